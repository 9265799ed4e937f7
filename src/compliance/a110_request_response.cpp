#include "compliance/a110_request_response.h"

#include "compliance/claim_watch_support.h"
#include "compliance/test_table.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/group.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

namespace {
constexpr std::uint32_t kMinimumRunMs = 1000;
constexpr std::uint32_t kAnswerLimitMs = 5000;
}  // namespace

EWatchForClaims_A110::EWatchForClaims_A110(engine::Test* test, engine::DataLog* log,
                                           const std::uint8_t* dutAddress)
    : EWatch(test, log), dutAddress_(dutAddress) {
  SetBlocks(false);
}

void EWatchForClaims_A110::Start() {
  active_ = true;
  parsing_ = true;
  requestSeen_ = false;  // a repeated run starts without the last run's request
  maxDelay_ = static_cast<std::int32_t>(
      claims::kContentionMs +
      settings::SettingNumber(test_->AppSettings().GetValue(claims::kToleranceSetting)));
  expectedName_ = test_->AppSettings().GetValue(engine::kFullClaimSetting);
  Trace("EWatchForClaims processing.   Starting address=" + std::to_string(*dutAddress_));
}

bool EWatchForClaims_A110::IsToolRequest(const framework::FrameRecord& frame) const {
  return frame.textFlag == 0 && frame.sourceAddress == claims::kNullAddress &&
         frame.dgn == (engine::kRequestDgn | *dutAddress_) && frame.length >= 3 &&
         frame.data[0] == 0x00 && frame.data[1] == 0xEE && frame.data[2] == 0x00;
}

std::string EWatchForClaims_A110::WaitingFor() const {
  // The answer is timed from the request as the bus carried it, which the host's echo shows.
  if (!requestSeen_)
    return "The Request for ADDRESS_CLAIM did not come back: is the host's echo on?";
  return "No ADDRESS_CLAIM with the profile's NAME from address " + std::to_string(*dutAddress_) +
         " answering the Request for ADDRESS_CLAIM.";
}

void EWatchForClaims_A110::OnMatch(engine::DataLog& log, int index,
                                   const framework::FrameRecord& frame) {
  if (IsToolRequest(frame)) {
    Write("Request sent by tool.");
    test_->MarkTime(Test_A110::kRequestMark, frame.timeStamp);
    requestSeen_ = true;
    return;
  }
  if (!claims::IsGlobalClaim(frame)) return;
  const bool fromDut = frame.sourceAddress == *dutAddress_;
  if (claims::DataText(frame) != expectedName_) {
    if (fromDut) {
      test_->FailCriterion(Test_A110::kContentsMatch, claims::MismatchNote(expectedName_, frame),
                           &log, index);
    }
    return;
  }
  if (!fromDut) {
    test_->FailCriterion(Test_A110::kSourceAddress,
                         "New address = " + std::to_string(frame.sourceAddress), &log, index);
    return;
  }
  if (!requestSeen_) {
    Write("Unexpected ADDRESS_CLAIM received.  Test is invalid.  Aborting.");
    Post(engine::kEvAbort);
    return;
  }
  test_->MarkTime(Test_A110::kAnswerMark, frame.timeStamp);
  const std::uint32_t delay = test_->TimeBetween(Test_A110::kRequestMark, Test_A110::kAnswerMark);
  const std::string note = "Delay = " + std::to_string(delay);
  if (delay > static_cast<std::uint32_t>(maxDelay_)) {
    test_->FailCriterion(Test_A110::kResponseTime, note, &log, index);
  } else {
    test_->PassCriterion(Test_A110::kResponseTime, note, &log, index);
  }
  test_->PassCriterion(Test_A110::kContentsMatch, "", &log, index);
  test_->PassCriterion(Test_A110::kSourceAddress, "", &log, index);
  active_ = false;
}

Test_A110::Test_A110(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  Append<engine::ESetToolAddress>(claims::kNullAddress);
  Append<engine::ESetToolMode>(engine::kToolModeEchoTools);
  Append<engine::ETextLogMemo>("Begin with DUT in normal operation.",
                               engine::OperatorCue::kNormalOperation);
  Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  Append<engine::EFindDevice>(&log, &dutAddress_);
  auto& group = Append<engine::EGroup>(engine::EGroup::Mode::kAll, true, true);
  group.Add<EWatchForClaims_A110>(&log, &dutAddress_);
  group.Add<engine::ESendRequestForAddressMsg>(&dutAddress_);
  group.Add<engine::ETimeLimitMinimum>(kMinimumRunMs);
  group.Add<engine::ETimeLimitAbort>(
      kAnswerLimitMs, engine::kEvAbort,
      engine::LimitWords{"answer to the Request for ADDRESS_CLAIM", "the request"});

  AddCriterion(kContentsMatch, "Contents of ADDRESS_CLAIM message doesn't match.");
  AddCriterion(kSourceAddress, "Source Address is incorrect.");
  AddCriterion(kResponseTime, "More than 250ms elapsed before request and response.");
}

void Test_A110::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    if (engine::Failure* time = Criterion(kResponseTime)) {
      time->FailIfUndecided("No response detected.");
    }
  }
  Test::Finish();
}

void Test_A110::WriteReport() {
  Test::WriteReport();
  claims::DumpRequestsAndClaims(*this);
}

}  // namespace vlt::compliance
