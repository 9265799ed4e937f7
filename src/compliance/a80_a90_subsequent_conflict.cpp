#include "compliance/a80_a90_subsequent_conflict.h"

#include <algorithm>
#include <memory>

#include "compliance/claim_watch_support.h"
#include "compliance/test_table.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

namespace {

constexpr std::uint32_t kMinimumRunMs = 1000;

// The tool's own claims carry manufacturer code 0 or 7FFh ("N/D"); the DUT's never do.
bool IsToolClaim(const engine::Test& test, const framework::FrameRecord& frame) {
  const std::string manufacturer = test.SignalValue(frame, "~~ManufacturerID");
  return manufacturer == "0" || manufacturer == "N/D";
}

std::uint32_t ToleranceMs(engine::Test& test) {
  return settings::SettingNumber(test.AppSettings().GetValue(claims::kToleranceSetting));
}

}  // namespace

EWatchForClaims_A80::EWatchForClaims_A80(engine::Test* test, engine::DataLog* log,
                                         const std::uint8_t* initialAddress)
    : EWatch(test, log), initialAddress_(initialAddress) {}

void EWatchForClaims_A80::Start() {
  // Judges every frame to the end of the test without holding it open.
  parsing_ = true;
  active_ = false;
  deviceClaimSeen_ = false;
  contestSeen_ = false;
  watchedAddress_ = *initialAddress_;
  maxDelay_ = static_cast<std::int32_t>(claims::kContentionMs + ToleranceMs(*test_));
  expectedName_ = test_->AppSettings().GetValue(engine::kFullClaimSetting);
  Trace("EWatchForContestingClaims processing.   Address=" + std::to_string(watchedAddress_));
}

void EWatchForClaims_A80::OnMatch(engine::DataLog& log, int index,
                                  const framework::FrameRecord& frame) {
  if (frame.textFlag != 0 || frame.sourceAddress != watchedAddress_) return;
  if (!claims::IsGlobalClaim(frame)) {
    if (contestSeen_ && !deviceClaimSeen_) {
      test_->FailCriterion(Test_A80::kNothingBeforeDefence, "", &log, index);
    }
    return;
  }
  if (IsToolClaim(*test_, frame)) {
    contestSeen_ = true;
    test_->MarkTime(Test_A80::kContestMark, frame.timeStamp);
    Trace("Contesting claim seen.");
    return;
  }
  if (!deviceClaimSeen_) {
    test_->MarkTime(Test_A80::kDefenceMark, frame.timeStamp);
    const std::uint32_t elapsed =
        test_->TimeBetween(Test_A80::kContestMark, Test_A80::kDefenceMark);
    const std::string note = "Elapsed time = " + std::to_string(elapsed) + " ms";
    if (elapsed > static_cast<std::uint32_t>(maxDelay_)) {
      test_->FailCriterion(Test_A80::kDefenceTime, note, &log, index);
    } else {
      test_->PassCriterion(Test_A80::kDefenceTime, note, &log, index);
    }
    test_->PassCriterion(Test_A80::kNothingBeforeDefence, "");
    deviceClaimSeen_ = true;
    Trace("Device claim seen.");
  }
  if (claims::DataText(frame) != expectedName_) {
    test_->FailCriterion(Test_A80::kClaimMatches, claims::MismatchNote(expectedName_, frame), &log,
                         index);
  } else {
    test_->PassCriterion(Test_A80::kClaimMatches, "");
  }
}

EWatchForClaims_A90::EWatchForClaims_A90(engine::Test* test, engine::DataLog* log,
                                         std::uint8_t* claimedAddress)
    : EWatch(test, log), claimedAddress_(claimedAddress) {}

void EWatchForClaims_A90::Start() {
  parsing_ = true;
  active_ = false;
  deviceClaimSeen_ = false;
  contestSeen_ = false;
  requestSeen_ = false;
  requestedTarget_ = claims::kGlobalAddress;
  *claimedAddress_ = claims::kNotFound;
  allowedTargets_.fill(false);
  // A tolerance above the contention time leaves no minimum; unclamped, the
  // unsigned comparison would fail every claim and every frame after it.
  minDelay_ = std::max<std::int32_t>(
      0, static_cast<std::int32_t>(claims::kContentionMs) -
             static_cast<std::int32_t>(std::min<std::uint32_t>(ToleranceMs(*test_), 0xFFFF)));
  expectedName_ = test_->AppSettings().GetValue(engine::kFullClaimSetting);
  const claims::AddressRange range =
      claims::DsaCategoryRange(test_->AppSettings().GetValue(claims::kDsaCategorySetting));
  if (range.Width() < claims::kMinRangeWidth) {
    Write(std::string(claims::kDsaCategorySetting) + " is not set.  Aborting test.");
    Post(engine::kEvAbort);
  } else {
    std::fill(allowedTargets_.begin() + range.low, allowedTargets_.begin() + range.high + 1, true);
    Trace("Acceptable address range " + std::to_string(range.low) + "-" +
          std::to_string(range.high));
  }
  Trace("EWatchForContestingClaims processing.   Mindelay=" + std::to_string(minDelay_) + " ms");
}

void EWatchForClaims_A90::OnMatch(engine::DataLog& log, int index,
                                  const framework::FrameRecord& frame) {
  if (frame.textFlag != 0) return;
  if (claims::IsGlobalClaim(frame)) {
    OnClaim(log, index, frame);
    return;
  }
  if ((frame.dgn & 0x1FF00) == engine::kRequestDgn) {
    const std::string requested = test_->SignalValue(frame, "~~DGNRequest");
    if (requested == "EE00") {
      OnRequest(log, index, frame);
      return;
    }
    if (requested.rfind("EE", 0) == 0) {
      test_->FailCriterion(Test_A90::kRequestedDgn, "", &log, index);
      return;
    }
  }
  OnOtherFrame(log, index);
}

void EWatchForClaims_A90::OnClaim(engine::DataLog& log, int index,
                                  const framework::FrameRecord& frame) {
  if (IsToolClaim(*test_, frame)) {
    contestSeen_ = true;
    test_->MarkTime(Test_A90::kContestMark, frame.timeStamp);
    Trace("Contesting claim seen.");
    return;
  }
  if (deviceClaimSeen_) {
    if (frame.sourceAddress != *claimedAddress_) {
      test_->FailCriterion(Test_A90::kOneClaim,
                           settings::FormatNumber("DUT already claimed SA %d.", *claimedAddress_),
                           &log, index);
    }
    return;
  }
  deviceClaimSeen_ = true;
  *claimedAddress_ = frame.sourceAddress;
  test_->MarkTime(Test_A90::kClaimMark, frame.timeStamp);
  Trace("DUT claim seen.");
  if (!requestSeen_) {
    test_->FailCriterion(Test_A90::kNothingBeforeRequest, "", &log, index);
  } else {
    const std::uint32_t delay = test_->TimeBetween(Test_A90::kRequestMark, Test_A90::kClaimMark);
    const std::string note = settings::FormatNumber("Delay = %d ms", delay);
    if (delay < static_cast<std::uint32_t>(minDelay_)) {
      test_->FailCriterion(Test_A90::kClaimWait, note, &log, index);
    } else {
      test_->PassCriterion(Test_A90::kClaimWait, note, &log, index);
    }
  }
  if (*claimedAddress_ != requestedTarget_) {
    test_->FailCriterion(Test_A90::kClaimedRequested,
                         "Requested: " + std::to_string(requestedTarget_) +
                             "  Claimed: " + std::to_string(*claimedAddress_),
                         &log, index);
  } else {
    test_->PassCriterion(Test_A90::kClaimedRequested, "");
  }
  if (claims::DataText(frame) != expectedName_) {
    test_->FailCriterion(Test_A90::kClaimMatches, claims::MismatchNote(expectedName_, frame), &log,
                         index);
  } else {
    test_->PassCriterion(Test_A90::kClaimMatches, "");
  }
}

void EWatchForClaims_A90::OnRequest(engine::DataLog& log, int index,
                                    const framework::FrameRecord& frame) {
  const auto target = static_cast<std::uint8_t>(frame.dgn & 0xFF);
  if (!requestSeen_) {
    test_->MarkTime(Test_A90::kRequestMark, frame.timeStamp);
    requestSeen_ = true;
    requestedTarget_ = target;
    if (!contestSeen_) {
      Write(
          "The device has transmitted the DGN Request for ADDRESS_CLAIM before the tool has "
          "contested the address.");
      Write("The test is invalid.");
      Post(engine::kEvInvalidSetting);
    }
  } else if (target != requestedTarget_) {
    test_->FailCriterion(Test_A90::kOneTarget, "See log to verify.");
  }
  test_->PassCriterion(Test_A90::kRequestedDgn, "");
  if (target == claims::kGlobalAddress) {
    test_->FailCriterion(Test_A90::kNoGlobalRequest, "");
  } else {
    test_->PassCriterion(Test_A90::kNoGlobalRequest, "");
  }
  if (frame.sourceAddress != claims::kNullAddress) {
    test_->FailCriterion(Test_A90::kRequestFromNull, "", &log, index);
  } else {
    test_->PassCriterion(Test_A90::kRequestFromNull, "");
  }
  if (!allowedTargets_[target]) {
    test_->FailCriterion(Test_A90::kTargetInRange, "", &log, index);
  } else {
    test_->PassCriterion(Test_A90::kTargetInRange, "");
  }
  if (frame.length != 8) {
    test_->FailCriterion(Test_A90::kRequestLength, "", &log, index);
  } else {
    test_->PassCriterion(Test_A90::kRequestLength, "");
  }
}

void EWatchForClaims_A90::OnOtherFrame(engine::DataLog& log, int index) {
  if (deviceClaimSeen_) {
    if (static_cast<std::uint32_t>(test_->TimeSince(Test_A90::kClaimMark)) <
        static_cast<std::uint32_t>(minDelay_)) {
      test_->FailCriterion(Test_A90::kQuietAfterClaim, "", &log, index);
    }
  } else if (requestSeen_) {
    test_->FailCriterion(Test_A90::kNothingBeforeClaim, "", &log, index);
  } else if (contestSeen_) {
    test_->FailCriterion(Test_A90::kNothingBeforeRequest, "", &log, index);
  }
}

SubsequentConflictTest::SubsequentConflictTest(const engine::TestContext& context,
                                               std::uint16_t catalogueIndex)
    : Test(context, catalogueIndex, IdentityOf(catalogueIndex)) {}

void SubsequentConflictTest::BuildList(const std::string& memo,
                                       std::unique_ptr<engine::EWatch> watch,
                                       std::uint32_t nameKind) {
  engine::DataLog& log = *DataLogAt(0);
  Append<engine::ESetToolAddress>(framework::kToolAddress);
  Append<engine::ESetToolMode>(engine::kToolModeEchoTools);
  Append<engine::ETextLogMemo>(memo);
  Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  Append<engine::EFindDevice>(&log, &initialAddress_);
  // The contesting claim carries the DUT's own address as its source.
  Append<engine::ESetToolAddress>(static_cast<const std::uint8_t*>(&initialAddress_));
  Append(std::move(watch));
  Append<engine::ESendAddressClaimed>(nameKind);
  Append<engine::ETextLogMemo>("Contesting ADDRESS_CLAIM transmitted.");
  Append<engine::ETimeLimitMinimum>(kMinimumRunMs);
  Append<engine::EFindDevice>(&log, &finalAddress_);
}

void SubsequentConflictTest::WriteReport() {
  Test::WriteReport();
  claims::DumpRequestsAndClaims(*this);
}

Test_A80::Test_A80(const engine::TestContext& context)
    : SubsequentConflictTest(context, kCatalogueIndex) {
  engine::DataLog& log = AddDataLog(0);
  BuildList("Start with device in normal operation.",
            std::make_unique<EWatchForClaims_A80>(this, &log, &initialAddress_),
            engine::kNameKindHighest);
  AddCriterion(kAddressKept, "DUT changed address.");
  AddCriterion(kDefenceTime,
               "More than 250ms elapsed between contesting and responding ADDRESS_CLAIMs.");
  AddCriterion(kNothingBeforeDefence, "Other message broadcast before responding ADDRESS_CLAIMs.");
  AddCriterion(kClaimMatches, "ADDRESS_CLAIM does not match previous claims.");
}

void Test_A80::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    if (finalAddress_ == kNotFound || initialAddress_ == kNotFound) {
      FailCriterion(kAddressKept, "Device using invalid source address.");
    } else if (finalAddress_ == initialAddress_) {
      PassCriterion(kAddressKept,
                    "Address remained " + std::to_string(initialAddress_) + " throughout test.");
    } else {
      FailCriterion(kAddressKept, "Address changed.  Initial=" + std::to_string(initialAddress_) +
                                      "  Final=" + std::to_string(finalAddress_));
    }
    if (engine::Failure* time = Criterion(kDefenceTime)) time->FailIfUndecided("");
  }
  Test::Finish();
}

Test_A90::Test_A90(const engine::TestContext& context)
    : SubsequentConflictTest(context, kCatalogueIndex) {
  engine::DataLog& log = AddDataLog(0);
  BuildList("Start with device in normal operation on an otherwise empty network.",
            std::make_unique<EWatchForClaims_A90>(this, &log, &claimedAddress_),
            engine::kNameKindLowest);
  AddCriterion(kRequestFromNull, "Request does not use SA FEh");
  AddCriterion(kTargetInRange, "Request target is outside the device's dynamic range.");
  AddCriterion(kNothingBeforeRequest, "Another message precedes the request.");
  AddCriterion(kRequestLength, "The request payload is not 8 bytes.");
  AddCriterion(kRequestedDgn, "The requested DGN is not EE00h.");
  AddCriterion(kNoGlobalRequest, "A global request for ADDRESS_CLAIM is transmitted.");
  AddCriterion(kOneTarget, "The device attempts to claim multiple addresses.");
  AddCriterion(kClaimMatches, "ADDRESS_CLAIM does not match previous claims.");
  AddCriterion(kAddressChanged, "DUT does not change address.");
  AddCriterion(kNothingBeforeClaim, "Other message broadcast before Requesting new ADDRESS_CLAIM.");
  AddCriterion(kClaimWait,
               "Less than 250ms elapsed between Requesting ADDRESS_CLAIM and transmitting "
               "ADDRESS_CLAIM.");
  AddCriterion(kQuietAfterClaim,
               "Less than 250ms elapsed between transmitting ADDRESS_CLAIM and operational DGNs.");
  AddCriterion(kClaimedRequested, "ADDRESS_CLAIM does not match address requested.");
  AddCriterion(kClaimedUsed, "ADDRESS_CLAIM does not match address used in operation.");
  AddCriterion(kOneClaim, "DUT claims multiple addresses.");
}

void Test_A90::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    if (finalAddress_ == kNotFound || initialAddress_ == kNotFound) {
      FailCriterion(kAddressChanged, "Device using invalid source address.");
    } else if (finalAddress_ == initialAddress_) {
      FailCriterion(kAddressChanged,
                    "Address remained " + std::to_string(initialAddress_) + " throughout test.");
    } else {
      PassCriterion(kAddressChanged,
                    "Address changed.  Initial=" + std::to_string(initialAddress_) +
                        "  Final=" + std::to_string(finalAddress_));
    }
    if (finalAddress_ != claimedAddress_) {
      FailCriterion(kClaimedUsed,
                    "Claimed: " + settings::FormatNumber("%d  Used: ", claimedAddress_) +
                        std::to_string(finalAddress_));
    } else {
      PassCriterion(kClaimedUsed, "");
    }
    for (const std::uint16_t id :
         {kNothingBeforeRequest, kOneTarget, kNothingBeforeClaim, kQuietAfterClaim, kOneClaim}) {
      PassIfUndecided(id, "");
    }
  }
  Test::Finish();
}

}  // namespace vlt::compliance
