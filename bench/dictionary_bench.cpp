// Frames decoded per second by DecodeToText on one thread, for the traffic of an
// address-claiming test: claims, requests and status frames. Target: 1 million/s.
#include <benchmark/benchmark.h>

#include <vector>

#include "dictionary/dictionary.h"
#include "framework/host_protocol.h"

namespace {

using namespace vlt;

// DATE_TIME_STS stands for a status DGN of the catalogue when it is not built yet.
constexpr dictionary::EntryRow kDateTimeRows[] = {
    {dictionary::EntryKind::kByte, "dtYear", 0x1FFFF, 0, dictionary::DecByte(255), {0}},
    {dictionary::EntryKind::kByte, "dtMonth", 0x1FFFF, 0, dictionary::DecByte(255), {1}},
    {dictionary::EntryKind::kByte, "dtDay", 0x1FFFF, 0, dictionary::DecByte(255), {2}},
    {dictionary::EntryKind::kByte, "dtDow", 0x1FFFF, 0, dictionary::DecByte(255), {3}},
    {dictionary::EntryKind::kByte, "dtHour", 0x1FFFF, 0, dictionary::DecByte(255), {4}},
    {dictionary::EntryKind::kByte, "dtMinute", 0x1FFFF, 0, dictionary::DecByte(255), {5}},
    {dictionary::EntryKind::kByte, "dtSecond", 0x1FFFF, 0, dictionary::DecByte(255), {6}},
    {dictionary::EntryKind::kByte, "dtTimeZone", 0x1FFFF, 0, dictionary::DecByte(255), {7}},
};

struct Traffic {
  const framework::DgnTable global = framework::DgnTable::For(0xFF);
  dictionary::MainDictionary dictionary{values::SharedValueMakers::Instance(), global};
  std::vector<std::vector<std::uint8_t>> messages;
  std::vector<framework::FrameMessage> frames;

  Traffic() {
    if (!dictionary.Knows(0x1FFFF)) {
      dictionary.AddRows(kDateTimeRows, values::SharedValueMakers::Instance());
    }
    Add(0xEE00, 0x80, {0x01, 0x02, 0x63, 0x24, 0x00, 0x8C, 0x00, 0xA0});   // ADDRESS_CLAIM
    Add(0xEAFF, 0xFE, {0x00, 0xEE, 0x00});                                 // REQUEST
    Add(0xEA80, 0xF9, {0xEB, 0xFE, 0x00});                                 // REQUEST
    Add(0x1FECA, 0x80, {0x55, 0x42, 0x11, 0x22, 0x33, 0x05, 0xFF, 0xFF});  // DM_RV
    Add(0x1FFFF, 0x80, {0x18, 0x03, 0x11, 0x02, 0x0A, 0x1E, 0x00, 0xFF});  // DATE_TIME_STS
    for (const auto& message : messages)
      frames.push_back(framework::ParseHostMessage(message).frame);
  }
  void Add(std::uint32_t dgn, std::uint8_t source, std::vector<std::uint8_t> data) {
    messages.push_back(framework::FrameMessageBytes(dgn, source, data));
  }
};

Traffic& SharedTraffic() {
  static Traffic traffic;
  return traffic;
}

void BM_DecodeToTextMix(benchmark::State& state) {
  Traffic& traffic = SharedTraffic();
  std::size_t next = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(traffic.dictionary.DecodeToText(traffic.frames[next]));
    next = next + 1 == traffic.frames.size() ? 0 : next + 1;
  }
  state.SetItemsProcessed(state.iterations());
  state.SetLabel("frames");
}
BENCHMARK(BM_DecodeToTextMix);

void BM_DecodeToTextOne(benchmark::State& state) {
  Traffic& traffic = SharedTraffic();
  const auto& frame = traffic.frames[static_cast<std::size_t>(state.range(0))];
  for (auto _ : state) benchmark::DoNotOptimize(traffic.dictionary.DecodeToText(frame));
  state.SetItemsProcessed(state.iterations());
}
// 0 ADDRESS_CLAIM, 1 REQUEST, 3 DM_RV, 4 DATE_TIME_STS.
BENCHMARK(BM_DecodeToTextOne)->Arg(0)->Arg(1)->Arg(3)->Arg(4);

void BM_ValueOfManufacturer(benchmark::State& state) {
  Traffic& traffic = SharedTraffic();
  for (auto _ : state) {
    benchmark::DoNotOptimize(traffic.dictionary.ValueOf("~~ManufacturerID", traffic.frames[0]));
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ValueOfManufacturer);

}  // namespace

BENCHMARK_MAIN();
