#include "engine/tester_node.h"

#include <algorithm>
#include <cstdio>

#include "engine/data_log.h"
#include "engine/network_messages.h"
#include "engine/test.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "settings/setting_text.h"

namespace vlt::engine {
namespace {

// NAMEs compare as 64-bit numbers, byte 7 the most significant; the lower wins.
std::uint64_t NameValue(const std::uint8_t* bytes) {
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = (value << 8) | bytes[i];
  return value;
}

std::string NameText(const std::uint8_t* bytes) {
  std::string text;
  char pair[4];
  for (int i = 0; i < 8; ++i) {
    std::snprintf(pair, sizeof(pair), "%02X", bytes[i]);
    text += (i == 0 ? "" : " ") + std::string(pair);
  }
  return text;
}

bool IsClaimFrame(const framework::FrameRecord& frame) {
  return frame.textFlag == 0 && DgnWithoutDestination(frame.dgn) == kAddressClaimDgn &&
         frame.length >= kRvcFrameBytes;
}

}  // namespace

void EClaimTesterAddress::Start() {
  active_ = true;
  parsing_ = true;
  lost_ = false;
  claimsSent_ = 0;
  claimedAtMs_ = test_->NowMs();
  Write("Tester claiming address " + std::to_string(kTesterAddress) + " with NAME " +
        NameText(kTesterName.data()) + ".");
  SendClaim();
}

void EClaimTesterAddress::SendClaim() {
  test_->App().Link().Transmit(kTesterAddress, kAddressClaimDgn, kTesterName);
  ++claimsSent_;
}

void EClaimTesterAddress::OnEvent(std::uint32_t /*code*/) {
  if (active_ && !lost_ && test_->NowMs() - claimedAtMs_ > kClaimContentionMs) {
    active_ = false;
    Trace("EClaimTesterAddress: address " + std::to_string(kTesterAddress) + " claimed.");
  }
}

std::string EClaimTesterAddress::WaitingFor() const {
  return "The tester's claim of address " + std::to_string(kTesterAddress) + " to stand for " +
         std::to_string(kClaimContentionMs) + " ms.";
}

void EClaimTesterAddress::OnMatch(DataLog& log, int index, const framework::FrameRecord& frame) {
  if (lost_ || frame.textFlag != 0 || log.OwnTransmission(index)) return;
  if (const auto requested = RequestedDgn(frame); requested && *requested == kAddressClaimDgn) {
    const std::uint8_t to = DestinationOf(frame.dgn);
    if (to == kTesterAddress || to == framework::kGlobalAddress) SendClaim();
    return;
  }
  if (IsClaimFrame(frame) && frame.sourceAddress == kTesterAddress) {
    OnRivalClaim(log, index, frame);
  }
}

void EClaimTesterAddress::OnRivalClaim(DataLog& /*log*/, int /*index*/,
                                       const framework::FrameRecord& frame) {
  const std::uint64_t rival = NameValue(frame.data);
  const std::uint64_t own = NameValue(kTesterName.data());
  if (rival == own) return;
  if (rival > own) {
    SendClaim();  // ours ranks higher: the address stays the tester's
    return;
  }
  lost_ = true;
  parsing_ = false;
  active_ = false;
  // Cannot claim: the address goes to the higher-priority NAME.
  test_->App().Link().Transmit(framework::kNullAddress, kAddressClaimDgn, kTesterName);
  settings::NameBytes dutName{};
  const bool isDut =
      settings::TextToNameBytes(test_->AppSettings().GetValue(kFullClaimSetting, true), dutName) &&
      std::equal(dutName.begin(), dutName.end(), frame.data);
  Write("Address " + std::to_string(kTesterAddress) + " taken from the tester by " +
        (isDut ? std::string("the DUT") : std::string("a node")) + " with NAME " +
        NameText(frame.data) + ": a device must not claim the service tool's address.");
  Post(kEvAbort);
}

}  // namespace vlt::engine
