// Test event codes: the high byte is the family (01h timers, 02h run control,
// 03h list control). Any other code reaches the active elements and does nothing else.
#pragma once

#include <cstdint>

namespace vlt::engine {

inline constexpr std::uint32_t kEvTick5 = 0x01000001;
inline constexpr std::uint32_t kEvTick25 = 0x01000002;
inline constexpr std::uint32_t kEvTick100 = 0x01000003;
inline constexpr std::uint32_t kEvTick250 = 0x01000004;
inline constexpr std::uint32_t kEvTick1000 = 0x01000005;
inline constexpr std::uint32_t kEvTick5000 = 0x01000006;
inline constexpr std::uint32_t kEvStart = 0x02000001;
inline constexpr std::uint32_t kEvPause = 0x02000002;
inline constexpr std::uint32_t kEvResume = 0x02000003;
inline constexpr std::uint32_t kEvAbort = 0x02000004;
inline constexpr std::uint32_t kEvGroupAbort = 0x03000001;
inline constexpr std::uint32_t kEvCompleteCurrent = 0x03000002;
// Posted when a setting holds an unusable value; nothing reacts to it.
inline constexpr std::uint32_t kEvInvalidSetting = 0x80004004;

// Nominal periods of the timer events; elements add these up to count time.
inline constexpr std::uint32_t kTick5Ms = 5;
inline constexpr std::uint32_t kTick25Ms = 25;
inline constexpr std::uint32_t kTick100Ms = 100;
inline constexpr std::uint32_t kTick250Ms = 250;
inline constexpr std::uint32_t kTick1000Ms = 1000;
inline constexpr std::uint32_t kTick5000Ms = 5000;

constexpr bool IsTimerEvent(std::uint32_t code) {
  return (code >> 24) == 0x01;
}

}  // namespace vlt::engine
