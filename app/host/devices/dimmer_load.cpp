#include "host/devices/dimmer_load.h"

#include <algorithm>

namespace vlt::host {
namespace {

constexpr std::uint8_t kNoData = 0xFF;
constexpr std::uint8_t kAnyInstance = 0xFF;

enum DimmerCommand : std::uint8_t {
  kSetBrightness = 0,
  kOnDuration = 1,
  kOnDelay = 2,
  kOff = 3,
  kToggle = 5,
};

bool Empty(const BusFrame& command) {
  return std::all_of(command.data.begin() + 1, command.data.end(),
                     [](std::uint8_t b) { return b == kNoData; });
}

}  // namespace

void DimmerLoad::PowerUp() {
  level_ = 0;
  lastOnLevel_ = kDimmerFullLevel;
  lastCommand_ = kNoData;
  switched_ = false;
  nextReportMicros_.reset();
}

BusFrame DimmerLoad::Status(std::uint8_t address) const {
  // Lock not supported, no overcurrent, no override, enabled; interlock not
  // supported, load status on or off; the bits no signal uses all ones.
  const std::uint8_t loadOn = level_ > 0 ? 0x04 : 0x00;
  const std::uint8_t data[8] = {kDimmerInstance,
                                kNoData,
                                level_,
                                0x03,
                                kNoData,
                                lastCommand_,
                                static_cast<std::uint8_t>(0xF3 | loadOn),
                                kNoData};
  return *MakeBusFrame(kDutStatusPriority, kDgnDimmerStatus, address, data);
}

void DimmerLoad::SetLevel(std::uint8_t level) {
  level_ = level;
  if (level > 0) lastOnLevel_ = level;
}

std::optional<BusFrame> DimmerLoad::StatusAnswer(std::uint32_t dgn, std::uint8_t instance,
                                                 std::uint8_t address) const {
  if (dgn != kDgnDimmerStatus || (instance != kAnyInstance && instance != kDimmerInstance)) {
    return std::nullopt;
  }
  return Status(address);
}

void DimmerLoad::StartReports(std::int64_t nowMicros) {
  // Nothing has changed yet: the first report is the period's.
  nextReportMicros_ = nowMicros + MsToMicros(kDimmerReportOffsetMs + kDimmerReportPeriodMs);
}

void DimmerLoad::Poll(std::uint8_t address, std::int64_t nowMicros, PendingFrames& pending) {
  if (!nextReportMicros_ || *nextReportMicros_ > nowMicros) return;
  pending.Add(nowMicros, Status(address));
  nextReportMicros_ = NextStatusMicros(*nextReportMicros_, nowMicros, kDimmerReportPeriodMs);
}

void DimmerLoad::Switch(std::optional<std::uint8_t> address, std::int64_t nowMicros,
                        PendingFrames& pending) {
  SetLevel(level_ > 0 ? 0 : lastOnLevel_);
  switched_ = true;
  if (!address) return;
  pending.Add(nowMicros + MsToMicros(common_.timing.reactionMs), Status(*address));
}

bool DimmerLoad::Obey(const BusFrame& command) {
  if (Empty(command)) return true;
  const std::uint8_t level = std::min(command.data[2], kDimmerFullLevel);
  switch (command.data[3]) {
    case kSetBrightness:
    case kOnDuration:
    case kOnDelay:
      if (command.data[2] != kNoData) SetLevel(level);
      break;
    case kOff:
      SetLevel(0);
      break;
    case kToggle:
      SetLevel(level_ > 0 ? 0 : lastOnLevel_);
      break;
    default:  // a variant this load lacks changes nothing
      break;
  }
  if (command.data[3] != kNoData) lastCommand_ = command.data[3];
  return true;
}

std::optional<CommandRefusal> DimmerLoad::OnFrame(const BusFrame& frame, std::uint8_t address,
                                                  std::int64_t nowMicros, PendingFrames& pending) {
  if (frame.Dgn() != kDgnDimmerCommand || frame.length != kMaxCanDataBytes ||
      frame.SourceAddress() == kNullAddress) {
    return std::nullopt;
  }
  const std::int64_t due = nowMicros + MsToMicros(common_.timing.reactionMs);
  if (frame.data[0] != kDimmerInstance) return std::nullopt;
  const std::uint8_t level = frame.data[2];
  if (level != kNoData && level > kDimmerFullLevel) {
    return CommandRefusal{kParameterOutOfRange, frame.SourceAddress(), due};
  }
  if (!Obey(frame)) return std::nullopt;
  pending.Add(due, Status(address));
  return std::nullopt;
}

}  // namespace vlt::host
