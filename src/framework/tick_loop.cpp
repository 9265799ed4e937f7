#include "framework/tick_loop.h"

#include <algorithm>

namespace vlt::framework {

TickLoop::TickLoop(BRLink& link, platform::Clock& clock, RunningTestSlot& runningTest,
                   std::atomic<std::uint32_t>& slowCounter)
    : link_(link), clock_(clock), runningTest_(runningTest), slowCounter_(slowCounter) {}

void TickLoop::Begin() {
  periodStartMicros_ = clock_.NowMicros();
}

void TickLoop::Step() {
  link_.ReceivePass();
  runningTest_.StepIfAny();
  const std::int64_t now = clock_.NowMicros();
  const auto elapsedMs = static_cast<std::uint32_t>((now - periodStartMicros_.load()) / 1000);
  if (elapsedMs < kMinPeriodMs) return;
  RunPeriod();
  // Time spent in the calls counts towards the next period; nothing is skipped.
  periodStartMicros_ = now;
}

std::int64_t TickLoop::PauseMicros() const {
  constexpr std::int64_t kFineStepMicros = 1000;
  if (const auto wake = runningTest_.WakeAtMicros()) {
    return std::clamp<std::int64_t>(*wake - clock_.NowMicros(), 0, kFineStepMicros);
  }
  if (fineStepRequests_.load() > 0 || runningTest_.Get() != nullptr) return kFineStepMicros;
  const std::int64_t untilPeriod =
      periodStartMicros_.load() + kMinPeriodMs * 1000 - clock_.NowMicros();
  return std::max(kFineStepMicros, untilPeriod);
}

void TickLoop::RunPeriod() {
  const std::uint32_t tick = link_.AdvanceTickCount();
  ParserRegistry& parsers = link_.Parsers();
  parsers.ForEach([](BRParser& p) { p.OnTick(); });
  if (tick % 10 == 2) {
    ++slowCounter_;
    parsers.ForEach([](BRParser& p) { p.OnTick10(); });
  }
  if (tick % 40 == 13) parsers.ForEach([](BRParser& p) { p.OnTick40(); });
  if (tick % 200 == 83) parsers.ForEach([](BRParser& p) { p.OnTick200(); });
  link_.CountDownRemoval();
}

TickThread::TickThread(TickLoop& loop, Pause pause) : loop_(loop), pause_(std::move(pause)) {}

TickThread::~TickThread() {
  Stop();
}

void TickThread::Start() {
  if (thread_.joinable()) return;
  run_ = true;
  loop_.Begin();
  thread_ = std::thread([this] {
    while (run_.load()) {
      pause_();
      loop_.Step();
    }
  });
}

void TickThread::Stop() {
  run_ = false;
  if (thread_.joinable()) thread_.join();
}

}  // namespace vlt::framework
