#include "compliance/a70_dynamic_starting_no_conflict.h"

#include "compliance/test_table.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"

namespace vlt::compliance {

namespace {
constexpr std::uint32_t kMinimumRunMs = 1000;
}  // namespace

EWatchForAddressClaim_A70::EWatchForAddressClaim_A70(engine::Test* test, engine::DataLog* log,
                                                     const EWatchForInitialMessage_A40& boot)
    : EWatch(test, log), boot_(boot) {
  SetHolds(false);
  SetBlocks(false);
}

void EWatchForAddressClaim_A70::Start() {
  EWatch::Start();
  mindelay_ = ReadMinDelay(*test_);
  Trace("EWatchForClaimingMessages processing.");
  Trace("mindelay = " + std::to_string(mindelay_));
}

void EWatchForAddressClaim_A70::OnMatch(engine::DataLog& log, int index,
                                        const framework::FrameRecord& frame) {
  if (frame.dgn != engine::kAddressClaimDgn) return;
  const std::optional<std::uint32_t> requestStamp = boot_.FirstRequestStamp();
  if (!requestStamp) {
    test_->FailCriterion(0x701, "No Request for ADDRESS_CLAIM broadcast.");
    return;
  }
  const std::uint32_t delay = frame.timeStamp - *requestStamp;
  const std::string note = "Delay = " + std::to_string(delay) + " ms";
  if (ShorterThan(delay, mindelay_)) {
    test_->FailCriterion(0x701, note, &log, index);
  } else {
    test_->PassCriterion(0x701, note, &log, index);
  }
}

Test_A70::Test_A70(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  const EWatchForInitialMessage_A40& boot = AppendDynamicBootStart(*this, log);
  Append<EWatchForAddressClaim_A70>(&log, boot);
  Append<engine::ETimeLimitMinimum>(kMinimumRunMs);
  AddDynamicBootCriteria(*this);
  AddCriterion(0x701,
               "Less than 250ms elapsed between Request for ADDRESS_CLAIM and ADDRESS_CLAIM.");
}

void Test_A70::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    PassIfUndecided(0x407, "");
    Criterion(0x701)->FailIfUndecided("");
  }
  Test::Finish();
}

void Test_A70::WriteReport() {
  Test::WriteReport();
  Write(engine::Rule('-'));
  DumpDataLog(0, nullptr);
  Write(engine::Rule('-'));
}

}  // namespace vlt::compliance
