// Timing fidelity of the tester on real time: from a request for ADDRESS_CLAIM
// reaching the tester to its ADDRESS_CLAIMED answer leaving it (nominal 200 ms),
// over a series of requests sent through a real vlt-host.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

#include "compliance/test_table.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/test.h"
#include "framework/host_protocol.h"
#include "platform/datagram_socket.h"
#include "platform/mailslots.h"
#include "platform/run_dir.h"
#include "real_time_tester.h"
#include "support/host_process.h"

namespace {

using namespace std::chrono_literals;
using namespace vlt;
using Clock = std::chrono::steady_clock;

// The tester's mailslots, noting when a request arrives and when a claim leaves.
class TimingMailslots final : public platform::Mailslots {
 public:
  explicit TimingMailslots(const std::string& runDir) : inner_(runDir) {}
  int OpenHost() override { return inner_.OpenHost(); }
  int CreateToolSlot(std::string& name) override { return inner_.CreateToolSlot(name); }
  std::optional<std::size_t> NextMessageSize() override { return inner_.NextMessageSize(); }
  std::optional<std::size_t> Read(std::span<std::uint8_t> buffer) override {
    const auto n = inner_.Read(buffer);
    if (n && *n >= 8 && buffer[0] == framework::kMsgFrame &&
        (framework::ReadU32(buffer, 1) & 0x1FF00) == 0xEA00) {
      std::lock_guard lock(mutex_);
      requests_.push_back(Clock::now());
    }
    return n;
  }
  bool Write(std::span<const std::uint8_t> message) override {
    const auto now = Clock::now();
    if (message.size() >= 9 && message[0] == framework::kMsgTransmit &&
        framework::ReadU32(message, 2) == 0xEE00) {
      std::lock_guard lock(mutex_);
      answers_.push_back(now);
    }
    return inner_.Write(message);
  }
  void WaitForMessage(std::chrono::microseconds limit) override { inner_.WaitForMessage(limit); }

  std::vector<double> DelaysMs() {
    std::lock_guard lock(mutex_);
    std::vector<double> delays;
    for (std::size_t i = 0; i < std::min(requests_.size(), answers_.size()); ++i) {
      delays.push_back(
          std::chrono::duration<double, std::milli>(answers_[i] - requests_[i]).count());
    }
    return delays;
  }

 private:
  platform::UnixMailslots inner_;
  std::mutex mutex_;
  std::vector<Clock::time_point> requests_;
  std::vector<Clock::time_point> answers_;
};

// A test whose list answers `count` requests, one after the other.
class AnswerSeries : public engine::Test {
 public:
  AnswerSeries(const engine::TestContext& context, int count)
      : Test(context, 11, compliance::IdentityOf(11)) {
    engine::DataLog& log = AddDataLog(0);
    Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
    for (int i = 0; i < count; ++i) {
      auto& answer = Append<engine::ERespondWithAddressClaimed>(&log, 2u);
      answer.SetHolds(true);
      answer.SetBlocks(true);
    }
  }
  void WriteReport() override {}
};

void BM_AnswerToRequestForAddressClaim(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  testing::HostProcess host;
  if (!host.Start({"--dut", "none"})) {
    state.SkipWithError("vlt-host did not start");
    return;
  }
  TimingMailslots mailslots(host.RunDir());
  bench::RealTimeTester tester(mailslots);
  tester.Settings().SetValue("Full ADDRESS_CLAIM Value", "A5 A5 60 24 00 80 00 00");
  framework::ValmoraApp& app = tester.App();
  const engine::TestContext& context = tester.Context();

  // A second tool sends the requests, from the null address to address 80h.
  platform::DatagramSocket requester;
  requester.Bind(platform::ToolMailslotPath(host.RunDir(), "BENCHREQ"));
  requester.SetSendTimeout(0ms);
  const std::string hostPath = platform::HostMailslotPath(host.RunDir());
  requester.SendTo(hostPath, framework::RegistrationMessage("BENCHREQ"));
  const std::vector<std::uint8_t> request{0x00, 0xEE, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  const auto message = framework::TransmitMessage(0xFE, 0xEA80, 6, request);

  for (auto _ : state) {
    framework::Registered<AnswerSeries> test(app.Link().Parsers(), context, count);
    test.Start();
    std::this_thread::sleep_for(300ms);  // the base elements settle the host's mode
    for (int i = 0; i < count && test.Running(); ++i) {
      requester.SendTo(hostPath, message);
      std::this_thread::sleep_for(300ms);
    }
    test.PostEvent(0x02000004);  // whatever is left unanswered ends here
    while (test.Running() || app.RunningTest().Get() != nullptr) std::this_thread::sleep_for(10ms);
  }

  std::vector<double> delays = mailslots.DelaysMs();
  std::sort(delays.begin(), delays.end());
  if (delays.empty()) {
    state.SkipWithError("no answers");
  } else {
    state.counters["answers"] = static_cast<double>(delays.size());
    state.counters["min_ms"] = delays.front();
    state.counters["median_ms"] = delays[delays.size() / 2];
    state.counters["p99_ms"] = delays[std::min(delays.size() - 1, delays.size() * 99 / 100)];
    state.counters["max_ms"] = delays.back();
  }
}
BENCHMARK(BM_AnswerToRequestForAddressClaim)
    ->Arg(20)
    ->Arg(200)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
