#include "compliance/a20_a30_static_conflict.h"

#include <cstdio>

#include "compliance/test_a_read_address.h"
#include "compliance/test_table.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/report_layout.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"
#include "framework/tool_app.h"
#include "platform/prompter.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

namespace {

constexpr const char* kDsaSetting = "DSA For Address Claiming";
constexpr const char* kToleranceSetting = "250MS Timing Tolerance";

constexpr std::int32_t kAddressContentionMs = 250;
constexpr std::uint32_t kMinimumRunAfterClaimMs = 2000;
constexpr std::uint32_t kFirstClaimDgn = 0xEE00;
constexpr std::uint32_t kLastClaimDgn = 0xEEFF;

std::uint8_t DsaOf(const engine::Test& test) {
  return static_cast<std::uint8_t>(
      settings::SettingNumber(test.AppSettings().GetValue(kDsaSetting)));
}

std::string DgnText(std::uint32_t dgn) {
  char text[16];
  std::snprintf(text, sizeof(text), "%05X", dgn);
  return text;
}

}  // namespace

void EWatchForAddressClaim_A20::Start() {
  EWatch::Start();
  dsa_ = DsaOf(*test_);
  mindelay_ = kAddressContentionMs - static_cast<std::int32_t>(settings::SettingNumber(
                                         test_->AppSettings().GetValue(kToleranceSetting)));
  test_->Trace("EWatchForAddressClaim processing.");
  test_->Trace("mindelay = " + std::to_string(mindelay_));
}

void EWatchForAddressClaim_A20::Reset() {
  EWatch::Reset();
  toolClaimSeen_ = 0;
  responseSeen_ = 0;
}

void EWatchForAddressClaim_A20::OnMatch(engine::DataLog& log, int index,
                                        const framework::FrameRecord& frame) {
  // The host's echo shows the tool's own frames; its claim went out from the DSA.
  if (log.OwnTransmission(index)) {
    if (frame.dgn == engine::kAddressClaimDgn) {
      toolClaimSeen_ = 1;
      test_->MarkTime(kA20ToolClaimMark, frame.timeStamp);
      test_->Write("Tool has broadcast claim.");
    }
    return;
  }
  if (frame.sourceAddress != dsa_ || toolClaimSeen_ == 0 || responseSeen_ != 0) return;
  if (frame.dgn != engine::kAddressClaimDgn) {
    test_->FailCriterion(kA20MessageBeforeClaim, DgnText(frame.dgn) + " transmitted.", &log, index);
    return;
  }
  responseSeen_ = 1;
  test_->MarkTime(kA20ResponseMark, frame.timeStamp);
  const std::uint32_t response = test_->TimeBetween(kA20ToolClaimMark, kA20ResponseMark);
  const std::string note = "Response time = " + std::to_string(response) + " ms";
  // Signed: a tolerance above 250 leaves no time to answer in, so nothing passes.
  if (static_cast<std::int64_t>(response) < mindelay_) {
    test_->PassCriterion(kA20ResponseTime, note, &log, index);
  } else {
    test_->FailCriterion(kA20ResponseTime, note, &log, index);
  }
  const std::string expected = test_->AppSettings().GetValue(kFullClaimSetting);
  const std::string actual = settings::FrameDataText(frame, " ");
  if (actual != expected) {
    test_->FailCriterion(kA20ContentsDiffer, "Expected = " + expected + " , Actual = " + actual,
                         &log, index);
  }
}

void EWatchForStrayAddressClaim_A20::Start() {
  EWatch::Start();
  dsa_ = DsaOf(*test_);
  test_->Trace("EWatchForStrayAddressClaim processing.");
}

void EWatchForStrayAddressClaim_A20::OnMatch(engine::DataLog& log, int index,
                                             const framework::FrameRecord& frame) {
  if (frame.sourceAddress == dsa_ || frame.dgn < kFirstClaimDgn || frame.dgn > kLastClaimDgn) {
    return;
  }
  // Manufacturer code 0 or 7FFh ("N/D") marks the tool's own competing claims.
  const std::string manufacturer = test_->SignalValue(frame, "~~ManufacturerID");
  if (manufacturer == "0" || manufacturer == "N/D") return;
  test_->FailCriterion(kA20AddressChanged, "Address = " + std::to_string(frame.sourceAddress), &log,
                       index);
}

Test_A20_A30::Test_A20_A30(const engine::TestContext& context, std::uint16_t catalogueIndex,
                           std::uint32_t lowerPriority)
    : Test(context, catalogueIndex, IdentityOf(catalogueIndex)),
      claimDecoder_(std::make_unique<data::SpecByDGN>(
          nullptr, data::DgnRef::OfValue(engine::kAddressClaimDgn))) {
  engine::DataLog& log = AddDataLog(0);
  Append<engine::ESetToolAddress>(framework::kToolAddress);
  Append<engine::ESetToolMode>(engine::kToolModeEchoTools);
  Append<engine::EOperatorNotice>(
      "Make sure DUT is operating and no other devices are on the network.");
  Append<engine::EWaitForActivityAtAddress>(&log, kDsaSetting, &AppSettings());
  Append<engine::EWaitForUserKeypress>("Press <space> to transmit competing ADDRESS_CLAIM message.",
                                       platform::kSpaceBarKey);
  Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  for (engine::Element* watch :
       {static_cast<engine::Element*>(&Append<EWatchForAddressClaim_A20>(&log)),
        static_cast<engine::Element*>(&Append<EWatchForStrayAddressClaim_A20>(&log))}) {
    watch->SetHolds(false);
    watch->SetBlocks(false);
  }
  // Priority flag 1 gives manufacturer code 7FFh, 0 gives code 0.
  Append<engine::ESendAddressClaimed>(
      lowerPriority != 0 ? engine::kNameKindHighest : engine::kNameKindLowest, kDsaSetting,
      &AppSettings());
  Append<engine::ETimeLimitMinimum>(kMinimumRunAfterClaimMs);

  AddCriterion(kA20AddressChanged, "Source Address has changed.");
  AddCriterion(kA20MessageBeforeClaim, "Message broadcast before claim re-established.");
  AddCriterion(kA20ResponseTime, "More than 250ms elapsed before claim re-established.");
  AddCriterion(kA20ContentsDiffer, "Contents of ADDRESS_CLAIM message doesn't match.");
}

void Test_A20_A30::OnStart() {
  Test::OnStart();
  DataLogAt(0)->Restart();
}

void Test_A20_A30::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    PassIfUndecided(kA20AddressChanged, "");
    Criterion(kA20ResponseTime)->FailIfUndecided("No response detected.");
  }
  Test::Finish();
}

void Test_A20_A30::WriteReport() {
  Test::WriteReport();
  Write(engine::Rule('-'));
  Write(
      "This test is predicated on the assumption that the contents of the ADDRESS_CLAIM message "
      "have passed Test A-10.");
  Write(
      "Due to timing and bus queuing, some probability of failures of the time- and sequence- "
      "sensitive tests is acceptable.  Check timestamps carefully.");
  Write(engine::Rule('-'));
  DumpDataLog(0, claimDecoder_.get());
  Write(engine::Rule('-'));
}

}  // namespace vlt::compliance
