#include "engine/bus_watches.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "engine/test.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "settings/setting_text.h"

namespace vlt::engine {
namespace {

constexpr const char* kIdentifyingDgn = "Identifying DGN";
constexpr const char* kIdentifyingInstance = "Identifying Instance";

std::uint32_t HexValue(const std::string& text) {
  return static_cast<std::uint32_t>(std::strtoul(text.c_str(), nullptr, 16));
}

}  // namespace

std::uint8_t ContestedAddress(Test& test, std::uint8_t requestTarget) {
  if (requestTarget != framework::kGlobalAddress) return requestTarget;
  return static_cast<std::uint8_t>(
      settings::SettingNumber(test.AppSettings().GetValue(kDsaForClaimingSetting)));
}

void EWaitForActivityAtAddress::Start() {
  const std::string value =
      settingsStore_ != nullptr ? settingsStore_->GetValue(addressSetting_, false) : "N/A";
  if (value == "N/A") {
    Write(addressSetting_ + " does not indicate a valid address.");
    Post(kEvAbort);
    active_ = false;
    return;
  }
  address_ = static_cast<std::uint8_t>(settings::SettingNumber(value));
  count_ = 0;
  Write("Waiting for activity at address " + std::to_string(address_));
  Trace("EWaitForActivityAtAddress started.");
  active_ = true;
  parsing_ = true;
}

void EWaitForActivityAtAddress::OnMatch(DataLog& /*log*/, int /*index*/,
                                        const framework::FrameRecord& frame) {
  if (frame.sourceAddress != address_) return;
  ++count_;
  if (count_ == needed_) {
    active_ = false;
    Trace("EWaitForActivityAtAddress complete.");
  }
}

std::string EWaitForActivityAtAddress::WaitingFor() const {
  return std::to_string(count_) + " of " + std::to_string(needed_) + " frames from address " +
         std::to_string(address_) + " heard: is the DUT at that address and in normal operation?";
}

ERespondWithAddressClaimed::ERespondWithAddressClaimed(Test* test, DataLog* log,
                                                       std::uint32_t nameKind)
    : EWatch(test, log), nameKind_(nameKind) {
  SetHolds(false);
  SetBlocks(false);
}

void ERespondWithAddressClaimed::Start() {
  parsing_ = true;
  active_ = true;
  // An answer still pending from an earlier run must not leave in this one.
  dueMicros_.reset();
  if (test_ == nullptr) return;
  claimText_ = test_->AppSettings().GetValue(kFullClaimSetting, false);
  if (claimText_.size() != kNameTextChars) {
    Write(NotValidLine(claimText_, kFullClaimSetting));
    Post(kEvInvalidSetting);
  }
  Trace("ERespondWithAddressClaimed processing");
}

std::uint32_t ERespondWithAddressClaimed::Due() const {
  return dueMicros_ ? static_cast<std::uint32_t>(*dueMicros_ / 1000) : kNothingDue;
}

std::int64_t ERespondWithAddressClaimed::ArrivalMicros(
    const framework::FrameRecord& request) const {
  // A watch sees a frame as its log stamps it, so now is the arrival; a 03h stamp
  // is on the host's clock, not on the common time base, and only now will do.
  const std::int64_t now = test_->NowMicros();
  if (request.messageType != framework::kMsgFrame) return now;
  const std::int64_t stampMicros = static_cast<std::int64_t>(request.timeStamp) * 1000;
  return std::clamp<std::int64_t>(now, stampMicros, stampMicros + 999);
}

void ERespondWithAddressClaimed::OnMatch(DataLog& /*log*/, int /*index*/,
                                         const framework::FrameRecord& frame) {
  if ((frame.dgn & 0x1FF00) != kRequestDgn || dueMicros_ || test_ == nullptr) return;
  if (test_->SignalValue(frame, "~~DGNRequest") != "EE00") return;
  const auto target = static_cast<std::uint8_t>(frame.dgn & 0xFF);
  responder_ = ContestedAddress(*test_, target);
  if (target == framework::kGlobalAddress) {
    Write("Request for ADDRESS_CLAIM to all: contesting address " + std::to_string(responder_) +
          " (" + kDsaForClaimingSetting + ").");
  }
  dueMicros_ = ArrivalMicros(frame) + static_cast<std::int64_t>(delay_) * 1000;
  test_->WakeAt(*dueMicros_);
}

void ERespondWithAddressClaimed::OnEvent(std::uint32_t /*code*/) {
  AnswerIfDue();
}

void ERespondWithAddressClaimed::OnLoopStep() {
  AnswerIfDue();
}

void ERespondWithAddressClaimed::AnswerIfDue() {
  if (!dueMicros_ || test_ == nullptr || test_->NowMicros() < *dueMicros_) return;
  settings::NameBytes name{};
  settings::TextToNameBytes(claimText_, name);
  ApplyNameKind(nameKind_, name);
  test_->App().Link().Transmit(responder_, kAddressClaimDgn, name);
  Write("Transmitting ADDRESS_CLAIMED.");
  dueMicros_.reset();
  active_ = false;
  parsing_ = false;
}

void EFindDevice::Start() {
  active_ = true;
  parsing_ = true;
  if (test_ == nullptr) return;
  settings::SettingManager& app = test_->AppSettings();
  const std::string dgnText = app.GetValue(kIdentifyingDgn, false);
  const std::string instanceText = app.GetValue(kIdentifyingInstance, false);
  dgn_ = HexValue(dgnText);
  instance_ = instanceText != "N/D"
                  ? static_cast<std::uint8_t>(settings::SettingNumber(instanceText))
                  : kAnyInstance;
  if (dgn_ < 0x10000 || dgn_ > 0x1FFFF) {
    Write(NotValidLine(dgnText, kIdentifyingDgn));
    Post(kEvAbort);
  }
  if (instance_ == 0 && dgn_ != kInstanceZeroDgn) {
    Write(NotValidLine(instanceText, kIdentifyingInstance));
    Post(kEvAbort);
  }
  char text[80];
  std::snprintf(text, sizeof(text), "EFindDevice blocking. DGN=%5X   Instance=%02X", dgn_,
                static_cast<unsigned>(instance_));
  Trace(text);
}

std::string EFindDevice::WaitingFor() const {
  char dgn[16];
  std::snprintf(dgn, sizeof(dgn), "%05X", static_cast<unsigned>(dgn_));
  const std::string instance =
      instance_ == kAnyInstance ? "" : " instance " + std::to_string(instance_);
  return std::string("No frame of DGN ") + dgn + instance +
         " heard: is the DUT in normal operation?";
}

void EFindDevice::OnMatch(DataLog& /*log*/, int /*index*/, const framework::FrameRecord& frame) {
  if (frame.dgn != dgn_) return;
  if (instance_ != kAnyInstance && (frame.length < 1 || frame.data[0] != instance_)) return;
  if (result_ != nullptr) *result_ = frame.sourceAddress;
  active_ = false;
  parsing_ = false;
  char text[96];
  std::snprintf(text, sizeof(text), "DUT found at source address=%u   time=%11.3f",
                static_cast<unsigned>(frame.sourceAddress), frame.timeStamp / 1000.0);
  Write(text);
}

}  // namespace vlt::engine
