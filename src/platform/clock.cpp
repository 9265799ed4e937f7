#include "platform/clock.h"

#include <chrono>

namespace vlt::platform {

std::int64_t SteadyClock::NowMicros() const {
  using namespace std::chrono;
  return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

int SteadyClock::UtcMillisecondField() const {
  using namespace std::chrono;
  auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  return static_cast<int>(ms % 1000);
}

std::int64_t SteadyClock::UtcSeconds() const {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace vlt::platform
