#include "engine/tool_elements.h"

#include <array>

#include "engine/test.h"
#include "engine/test_events.h"
#include "engine/watch.h"

namespace vlt::engine {
namespace {

constexpr std::array<const char*, 8> kModeNames = {
    "Silent",      "Housekeeping",      "Tools",      "Normal",
    "Echo|Silent", "Echo|Housekeeping", "Echo|Tools", "Echo|Normal"};

// The requested DGN EE00h low byte first, then five bytes FFh.
constexpr std::array<std::uint8_t, 8> kRequestForClaimData = {0x00, 0xEE, 0x00, 0xFF,
                                                              0xFF, 0xFF, 0xFF, 0xFF};

}  // namespace

std::string ToolModeName(std::uint32_t mode) {
  return mode < kModeNames.size() ? kModeNames[mode] : "Unknown";
}

void ApplyNameKind(std::uint32_t nameKind, settings::NameBytes& name) {
  // The manufacturer code is data[2] bits 5 to 7 (low) and data[3] (high).
  if (nameKind == kNameKindLowest) {
    name[2] &= 0x1F;
    name[3] = 0x00;
  } else if (nameKind == kNameKindHighest) {
    name[2] |= 0xE0;
    name[3] = 0xFF;
  }
}

std::string NotValidLine(const std::string& text, const std::string& setting) {
  return text + " is not a valid value for " + setting;
}

ESetToolMode::ESetToolMode(Test* test, std::uint32_t mode)
    : Element(test, true, true),
      modeSource_(&configuredMode_),
      configuredMode_(mode),
      wantedMode_(mode) {}

ESetToolMode::ESetToolMode(Test* test, const std::uint32_t* source)
    : Element(test, true, true),
      modeSource_(source),
      configuredMode_(kUnknownToolMode),
      wantedMode_(kUnknownToolMode) {}

std::uint32_t ESetToolMode::CurrentMode() const {
  return test_ != nullptr ? test_->App().Link().CurrentToolMode() : kUnknownToolMode;
}

void ESetToolMode::Start() {
  active_ = true;
  // From the configured mode each run, so a repeated run reads its source again.
  wantedMode_ = configuredMode_ == kUnknownToolMode ? *modeSource_ : configuredMode_;
  if (test_ == nullptr) return;
  if (wantedMode_ != CurrentMode()) test_->SendToolMode(wantedMode_);
  Write("Setting Brantel to " + ToolModeName(wantedMode_));
  Trace("ESetToolMode blocking.");
}

void ESetToolMode::OnEvent(std::uint32_t code) {
  if (wantedMode_ == CurrentMode()) {
    active_ = false;
    Trace("ESetToolMode complete.");
  } else if (code == kEvTick250 && test_ != nullptr) {
    test_->SendToolMode(wantedMode_);
  }
}

std::string ESetToolMode::WaitingFor() const {
  return "The host has not reported mode " + ToolModeName(wantedMode_) + ".";
}

void EGetToolMode::Start() {
  active_ = true;
  if (test_ != nullptr) test_->SendToolMode(kUnknownToolMode);
  Trace("EGetToolMode blocking.");
}

void EGetToolMode::OnEvent(std::uint32_t code) {
  if (test_ == nullptr) return;
  const std::uint32_t mode = test_->App().Link().CurrentToolMode();
  *modeTarget_ = mode;
  if (mode != kUnknownToolMode) {
    active_ = false;
    Trace("EGetToolMode complete.  Mode = " + ToolModeName(mode));
  } else if (code == kEvTick100) {
    test_->SendToolMode(kUnknownToolMode);
  }
}

std::string EGetToolMode::WaitingFor() const {
  return "The host has not answered the query for its mode.";
}

void ESetToolAddress::Start() {
  active_ = true;
  if (test_ != nullptr) test_->App().SetToolSourceAddress(*addressSource_);
  active_ = false;
  Trace("ESetToolAddress executed.");
}

std::uint32_t EEmptyNetwork::FrameCount() const {
  return test_ != nullptr ? test_->App().MasterParser().FrameCount() : 0;
}

void EEmptyNetwork::Start() {
  active_ = true;
  lastCount_ = FrameCount();
  quiet_ = 0;
  Trace("EEmptyNetwork blocking.");
}

void EEmptyNetwork::OnEvent(std::uint32_t code) {
  if (code != kEvTick100) return;
  const std::uint32_t count = FrameCount();
  if (count != lastCount_) {
    lastCount_ = count;
    quiet_ = 0;
    return;
  }
  quiet_ += kTick100Ms;
  if (quiet_ > quietLimit_) {
    active_ = false;
    if (test_ != nullptr) test_->NoteAt(RunNote::Kind::kQuietBus, test_->NowMs() - quiet_, quiet_);
    Trace("EEmptyNetwork complete.");
  }
}

std::string EEmptyNetwork::WaitingFor() const {
  return "The bus was never quiet for " + std::to_string(quietLimit_) +
         " ms: is the DUT powered off and the network empty?";
}

void ESendRequestForAddressMsg::Start() {
  active_ = true;
  if (test_ != nullptr) {
    test_->App().Link().Transmit(framework::kNullAddress, kRequestDgn | *destination_,
                                 kRequestForClaimData);
  }
  Trace("ESendRequestForAddressMsg executed.");
  active_ = false;
}

void ESendAddressClaimed::Start() {
  active_ = true;
  if (test_ == nullptr) {
    active_ = false;
    return;
  }
  if (settingsStore_ != nullptr) {
    const std::string text = settingsStore_->GetValue(addressSetting_, false);
    sourceAddress_ = static_cast<std::uint8_t>(settings::SettingNumber(text));
    if (sourceAddress_ == 0 && text != "00") {
      Write(NotValidLine(text, addressSetting_));
      Post(kEvInvalidSetting);
    }
  } else {
    sourceAddress_ = test_->App().ToolSourceAddress();
  }
  const std::string claim = test_->AppSettings().GetValue(kFullClaimSetting, false);
  if (claim.size() == kNameTextChars) {
    settings::NameBytes name{};
    settings::TextToNameBytes(claim, name);
    ApplyNameKind(nameKind_, name);
    test_->App().Link().Transmit(sourceAddress_, kAddressClaimDgn, name);
    Write("Transmitting ADDRESS_CLAIMED.");
  } else {
    Write(NotValidLine(claim, kFullClaimSetting));
  }
  active_ = false;
}

}  // namespace vlt::engine
