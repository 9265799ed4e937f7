// Start-up cost of the signal catalogue: building the main dictionary (1521
// entries and their command registrations) from the tables. Target: under 20 ms.
#include <benchmark/benchmark.h>

#include "dictionary/dictionary.h"

namespace {

using namespace vlt;

void BM_BuildMainDictionary(benchmark::State& state) {
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  const values::SharedValueMakers& makers = values::SharedValueMakers::Instance();
  dictionary::SignalCatalogueRows();  // the joined table is built once per process
  for (auto _ : state) {
    dictionary::MainDictionary built(makers, global);
    benchmark::DoNotOptimize(built.EntryCount());
  }
  state.SetLabel("dictionaries");
}
BENCHMARK(BM_BuildMainDictionary)->Unit(benchmark::kMillisecond);

// As at start-up: the shared value makers are built first, then the dictionary.
void BM_BuildWithSharedMakers(benchmark::State& state) {
  for (auto _ : state) {
    const framework::DgnTable global = framework::DgnTable::For(0xFF);
    values::SharedValueMakers makers;
    dictionary::MainDictionary built(makers, global);
    benchmark::DoNotOptimize(built.EntryCount());
  }
}
BENCHMARK(BM_BuildWithSharedMakers)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
