#include "host/static_dut.h"

#include <algorithm>
#include <cctype>

namespace vlt::host {

namespace {

constexpr std::int64_t kMicrosPerMs = 1000;

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool IsRequestForClaim(const BusFrame& frame) {
  const auto data = frame.Data();
  return frame.Pgn() == kPgnRequest && data.size() >= 3 && data[0] == 0x00 && data[1] == 0xEE &&
         data[2] == 0x00;
}

}  // namespace

std::uint16_t ManufacturerCode(const DeviceName& name) {
  return static_cast<std::uint16_t>((name[2] >> 5) | (name[3] << 3));
}

void SetManufacturerCode(DeviceName& name, std::uint16_t code) {
  code &= kMaxManufacturerCode;
  name[2] = static_cast<std::uint8_t>((name[2] & 0x1F) | ((code & 7) << 5));
  name[3] = static_cast<std::uint8_t>(code >> 3);
}

std::optional<DeviceName> ParseDeviceName(std::string_view text) {
  DeviceName name{};
  std::size_t digits = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    const int value = HexValue(c);
    if (value < 0 || digits == 16) return std::nullopt;
    name[digits / 2] = static_cast<std::uint8_t>((name[digits / 2] << 4) | value);
    ++digits;
  }
  if (digits != 16) return std::nullopt;
  return name;
}

std::string DeviceNameText(const DeviceName& name) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t b : name) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 15]);
  }
  return text;
}

StaticDut::StaticDut(StaticDutConfig config, std::int64_t nowMicros) : config_(config) {
  if (config_.poweredAtStart) MoveTo(State::kBooting, nowMicros);
}

void StaticDut::MoveTo(State next, std::int64_t nowMicros) {
  state_ = next;
  stateSinceMicros_ = nowMicros;
  switch (next) {
    case State::kOff:
    case State::kBooting:
      claimDueMicros_.reset();  // a reboot forgets what it was asked
      break;
    case State::kClaimed:
      break;
    case State::kRunning:
      nextStatusMicros_ = nowMicros;
      break;
  }
}

void StaticDut::SetPower(bool on, std::int64_t nowMicros) {
  if (on && state_ == State::kOff) MoveTo(State::kBooting, nowMicros);
  if (!on && state_ != State::kOff) MoveTo(State::kOff, nowMicros);
}

void StaticDut::OnBusFrame(const BusFrame& frame, std::int64_t nowMicros) {
  if (state_ == State::kOff || state_ == State::kBooting) return;
  const std::uint8_t destination = frame.DestinationAddress();
  const bool forUs = destination == config_.address || destination == kGlobalAddress;
  const bool answer =
      (IsRequestForClaim(frame) && forUs) ||
      // Another node claiming our address: a static node defends it.
      (frame.Pgn() == kPgnAddressClaim && frame.SourceAddress() == config_.address &&
       !std::equal(frame.Data().begin(), frame.Data().end(), config_.name.begin(),
                   config_.name.end()));
  if (!answer) return;
  const std::int64_t due = nowMicros + kDutClaimAnswerDelayMs * kMicrosPerMs;
  if (!claimDueMicros_ || due < *claimDueMicros_) claimDueMicros_ = due;
}

void StaticDut::SendDueClaim(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  if (claimDueMicros_ && *claimDueMicros_ <= nowMicros) {
    out.push_back(ClaimFrame());
    claimDueMicros_.reset();
  }
}

void StaticDut::Poll(std::int64_t nowMicros, std::vector<BusFrame>& out) {
  switch (state_) {
    case State::kOff:
      return;
    case State::kBooting:
      if (nowMicros >= stateSinceMicros_ + kDutBootDelayMs * kMicrosPerMs) {
        out.push_back(ClaimFrame());
        MoveTo(State::kClaimed, nowMicros);
      }
      return;
    case State::kClaimed:
      SendDueClaim(nowMicros, out);
      if (nowMicros < stateSinceMicros_ + kDutFirstStatusAfterClaimMs * kMicrosPerMs) return;
      MoveTo(State::kRunning, nowMicros);
      [[fallthrough]];
    case State::kRunning:
      SendDueClaim(nowMicros, out);
      if (nowMicros >= nextStatusMicros_) {
        out.push_back(StatusFrame());
        nextStatusMicros_ += kDutStatusPeriodMs * kMicrosPerMs;
        // After a stall the period starts afresh rather than sending a burst.
        if (nextStatusMicros_ <= nowMicros) {
          nextStatusMicros_ = nowMicros + kDutStatusPeriodMs * kMicrosPerMs;
        }
      }
      return;
  }
}

std::optional<std::int64_t> StaticDut::NextDeadlineMicros() const {
  std::optional<std::int64_t> next;
  switch (state_) {
    case State::kOff:
      return std::nullopt;
    case State::kBooting:
      return stateSinceMicros_ + kDutBootDelayMs * kMicrosPerMs;
    case State::kClaimed:
      next = stateSinceMicros_ + kDutFirstStatusAfterClaimMs * kMicrosPerMs;
      break;
    case State::kRunning:
      next = nextStatusMicros_;
      break;
  }
  if (claimDueMicros_) next = std::min(*next, *claimDueMicros_);
  return next;
}

std::string StaticDut::Describe() const {
  return "static " + std::to_string(config_.address);
}

BusFrame StaticDut::ClaimFrame() const {
  return *MakeBusFrame(kClaimPriority, kPgnAddressClaim | kGlobalAddress, config_.address,
                       config_.name);
}

BusFrame StaticDut::StatusFrame() const {
  // Fresh-water tank (instance 0) half full at resolution 100; absolute level and
  // tank size not available.
  static constexpr std::uint8_t kTankStatus[8] = {0x00, 50, 100, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  return *MakeBusFrame(kDutStatusPriority, kDgnTankStatus, config_.address, kTankStatus);
}

}  // namespace vlt::host
