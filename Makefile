# Entry points for a fresh Debian 12 machine; each installs what is missing first.
#   make demo   build, then run the tester's main job on the built-in simulated bus
#   make check  build with AddressSanitizer/UndefinedBehaviorSanitizer and run every test
#   make soak   the long consecutive-run tests, from the release build
.PHONY: deps demo check release debug tsan-check soak fuzz clean

deps:
	@scripts/install-deps.sh

release: deps
	cmake --preset release
	cmake --build --preset release

debug: deps
	cmake --preset debug
	cmake --build --preset debug

# Only what the demo runs: the tester and the host, not the tests, benchmarks or valmora.
demo: deps
	cmake --preset release
	cmake --build --preset release --target vlt vlt-host
	build/release/app/cli/vlt demo --out build/demo-logs

# Tests run side by side, one per core: they keep to their own folders, and the few
# that load the machine on the wall clock are marked to run alone.
check: debug
	ctest --preset debug -j $$(nproc)

tsan-check: deps
	cmake --preset tsan
	cmake --build --preset tsan --target vlt_threaded_tests
	ctest --preset tsan

# A thousand runs each of A-10 and A-110 in one session on virtual time; too
# slow under the sanitizers, so from the release build.
soak: deps
	cmake --preset release
	cmake --build --preset release --target vlt_soak_tests
	ctest --preset soak

# Every fuzz target for FUZZ_SECONDS (default 60) under ASan/UBSan with libFuzzer, two at a time.
fuzz: deps
	scripts/fuzz.sh $${FUZZ_SECONDS:-60}

clean:
	rm -rf build
