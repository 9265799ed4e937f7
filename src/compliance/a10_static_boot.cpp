#include "compliance/a10_static_boot.h"

#include <cstdio>
#include <string>

#include "compliance/test_a_read_address.h"
#include "compliance/test_table.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/group.h"
#include "engine/report_layout.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

namespace {

constexpr const char* kClaimedAddressSetting = "Claimed Address";
constexpr const char* kDsaSetting = "DSA For Address Claiming";
constexpr const char* kManufacturerSetting = "Manufacturer ID";
constexpr const char* kToleranceSetting = "250MS Timing Tolerance";

constexpr std::int32_t kAddressContentionMs = 250;
constexpr std::uint32_t kEmptyNetworkQuietMs = 1000;
constexpr std::uint32_t kMinimumRunMs = 10000;
constexpr std::uint32_t kClaimLimitMs = 5000;
// Claims to one destination: EE01h to EEFFh.
constexpr std::uint32_t kFirstDirectedClaimDgn = 0xEE01;
constexpr std::uint32_t kLastDirectedClaimDgn = 0xEEFF;

std::string DgnText(std::uint32_t dgn) {
  char text[16];
  std::snprintf(text, sizeof(text), "%05X", dgn);
  return text;
}

}  // namespace

void EWatchForInitialMessage_A10::Start() {
  EWatch::Start();
  test_->Trace("EWatchForInitialMessage processing.");
}

void EWatchForInitialMessage_A10::OnMatch(engine::DataLog& log, int index,
                                          const framework::FrameRecord& frame) {
  if (frame.dgn >= kFirstDirectedClaimDgn && frame.dgn <= kLastDirectedClaimDgn) {
    test_->FailCriterion(kA10DgnNotEe00, "Using " + DgnText(frame.dgn) + " for claiming.", &log,
                         index);
  }
}

void EWatchForPostACDelay_A10::Start() {
  EWatch::Start();
  test_->Trace("EWatchForPostACDelay processing.");
  mindelay_ = kAddressContentionMs - static_cast<std::int32_t>(settings::SettingNumber(
                                         test_->AppSettings().GetValue(kToleranceSetting)));
  test_->Trace("mindelay = " + std::to_string(mindelay_));
}

void EWatchForPostACDelay_A10::OnMatch(engine::DataLog& log, int index,
                                       const framework::FrameRecord& frame) {
  const std::optional<std::uint32_t> claimMs = owner_->ClaimStamp();
  if (!claimMs) return;
  // The frame's own stamp is on the clock the claim's mark came from, also when
  // the host stamps frames on its own time base.
  const std::uint32_t delay = frame.timeStamp - *claimMs;
  const std::string note = "Post-claim delay = " + std::to_string(delay) + " ms";
  // A tolerance above 250 leaves no valid minimum: the comparison stays
  // unsigned so that such a profile never passes the quiet time.
  if (delay < static_cast<std::uint32_t>(mindelay_)) {
    test_->FailCriterion(kA10PostClaimQuiet, note, &log, index);
  } else {
    test_->PassCriterion(kA10PostClaimQuiet, note, &log, index);
  }
  if (frame.dgn == engine::kAddressClaimDgn &&
      std::to_string(frame.sourceAddress) != test_->GetValue(kClaimedAddressSetting)) {
    test_->FailCriterion(
        kA10MultipleAddresses,
        "Attempting to claim additional address = " + std::to_string(frame.sourceAddress), &log,
        index);
  }
}

void EWatchForAddressClaim_A10::Start() {
  EWatchForDGN::Start();
  Log()->Restart();
  test_->Trace("EWatchForAddressClaim blocking.");
}

void EWatchForAddressClaim_A10::Reset() {
  EWatchForDGN::Reset();
  firstClaimSeen_ = 0;
}

void EWatchForAddressClaim_A10::OnMatch(engine::DataLog& log, int index,
                                        const framework::FrameRecord& frame) {
  const std::string manufacturer = test_->SignalValue(frame, "~~ManufacturerID");
  const std::string arbitrary = test_->SignalValue(frame, "~~ArbAddrCapable");
  test_->Write("Address Claim Received.   MfgID=" + manufacturer + "  ArbAddrCapFlag=" + arbitrary);
  test_->PassCriterion(kA10BroadcastsClaim, "Address Claim Received", &log, index);
  if (firstClaimSeen_ == 0 && index != 0) {
    test_->FailCriterion(kA10MessageBeforeClaim, "See log to verify.");
  } else {
    test_->PassCriterion(kA10MessageBeforeClaim, "");
  }
  const std::string address = std::to_string(frame.sourceAddress);
  const std::string addressNote = "Attempting to claim " + address;
  if (address != test_->AppSettings().GetValue(kDsaSetting)) {
    test_->FailCriterion(kA10NotDsa, addressNote, &log, index);
  } else {
    test_->PassCriterion(kA10NotDsa, addressNote, &log, index);
  }
  if (arbitrary == "1") {
    test_->FailCriterion(kA10ArbitraryBit, "", &log, index);
  } else {
    test_->PassCriterion(kA10ArbitraryBit, "", &log, index);
  }
  const std::string manufacturerNote = "Claiming Manufacturer ID " + manufacturer;
  if (manufacturer == test_->AppSettings().GetValue(kManufacturerSetting)) {
    test_->PassCriterion(kA10Manufacturer, manufacturerNote, &log, index);
  } else {
    test_->FailCriterion(kA10Manufacturer, manufacturerNote, &log, index);
  }
  test_->SetValue(kClaimedAddressSetting, address);
  test_->SetValue(kFullClaimSetting, settings::FrameDataText(frame, " "));
  owner_->MarkClaim(frame.timeStamp);
  active_ = false;
  firstClaimSeen_ = 1;
  test_->Trace("EWatchForAddressClaim complete.");
}

void EWatchForAdditionalClaims_A10::Start() {
  EWatchForDGN::Start();
  test_->Trace("EWatchForAdditionalClaims processing.");
}

void EWatchForAdditionalClaims_A10::OnMatch(engine::DataLog& log, int index,
                                            const framework::FrameRecord& frame) {
  const std::string address = std::to_string(frame.sourceAddress);
  if (address == test_->GetValue(kClaimedAddressSetting)) return;
  test_->FailCriterion(kA10MultipleAddresses, "Attempting to claim additional address = " + address,
                       &log, index);
  parsing_ = false;
}

Test_A10::Test_A10(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)),
      claimDecoder_(std::make_unique<data::SpecByDGN>(
          nullptr, data::DgnRef::OfValue(engine::kAddressClaimDgn))) {
  engine::DataLog& log = AddDataLog(0);
  Append<engine::ESetToolAddress>(framework::kToolAddress);
  Append<engine::ESetToolMode>(engine::kToolModeTools);
  Append<engine::ETextLogMemo>("Start with an empty network, DUT powered off or disconnected.",
                               engine::OperatorCue::kPowerOff);
  Append<engine::EEmptyNetwork>(kEmptyNetworkQuietMs);
  Append<engine::ETextLogMemo>("Power Up DUT", engine::OperatorCue::kPowerOn);
  auto& checks = Append<engine::EGroup>(engine::EGroup::Mode::kAll, true, false);
  for (engine::Element* watch :
       {static_cast<engine::Element*>(&checks.Add<EWatchForInitialMessage_A10>(&log)),
        static_cast<engine::Element*>(&checks.Add<EWatchForPostACDelay_A10>(&log, this))}) {
    watch->SetHolds(false);
    watch->SetBlocks(false);
  }
  checks.Add<engine::ETimeLimitMinimum>(kMinimumRunMs);
  auto& claim = Append<engine::EGroup>(engine::EGroup::Mode::kSequence, true, true);
  claim.Add<engine::ETimeLimitAbort>(kClaimLimitMs, engine::kEvAbort,
                                     engine::LimitWords{"ADDRESS_CLAIM", "Power Up DUT"});
  claim.Add<EWatchForAddressClaim_A10>(&log, this);
  Append<engine::ETextLogMemo>("Checking for additional claim activity.");
  auto& additional = Append<EWatchForAdditionalClaims_A10>(&log);
  additional.SetHolds(false);
  additional.SetBlocks(false);

  AddCriterion(kA10BroadcastsClaim, "Broadcasts Address Claim");
  AddCriterion(kA10ArbitraryBit, "Arbitrary Address Capable bit is not zero.");
  AddCriterion(kA10NotDsa, "Claimed Address is not device type's DSA.");
  AddCriterion(kA10MessageBeforeClaim, "Any other message precedes the claim.");
  AddCriterion(kA10DgnNotEe00, "DGN is not EE00h.");
  AddCriterion(kA10MultipleAddresses, "Multiple addresses are claimed.");
  AddCriterion(kA10Manufacturer, "Manufacturer ID does not match manufacturer.");
  AddCriterion(kA10PostClaimQuiet,
               "Less than 250ms elapses after claim before further messages are broadcast.");
}

void Test_A10::MarkClaim(std::uint32_t stampMs) {
  claimStamp_ = stampMs;
  MarkTime(kA10ClaimMark, stampMs);
}

void Test_A10::OnStart() {
  Test::OnStart();
  claimStamp_.reset();  // a repeated run starts without a claim
  DataLogAt(0)->Restart();
}

void Test_A10::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    PassIfUndecided(kA10MultipleAddresses, "");
    Criterion(kA10BroadcastsClaim)->FailIfUndecided("");
    PassIfUndecided(kA10DgnNotEe00, "");
  }
  Test::Finish();
}

void Test_A10::WriteReport() {
  Test::WriteReport();
  DumpDataLog(0, claimDecoder_.get());
  Write(engine::Rule('-'));
}

}  // namespace vlt::compliance
