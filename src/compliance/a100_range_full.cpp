#include "compliance/a100_range_full.h"

#include <algorithm>

#include "compliance/claim_watch_support.h"
#include "compliance/test_table.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/group.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"

namespace vlt::compliance {

namespace {

constexpr std::uint32_t kContestLimitMs = 60000;
// A DUT left without an address never sends its identifying DGN again.
constexpr std::uint32_t kFinalFindLimitMs = 5000;
constexpr const char* kExtendedSetting = "Perform Extended Test A-100";
constexpr const char* kTargetSetting = "Extended Test Target Address";

}  // namespace

EWatchForClaims_A100::EWatchForClaims_A100(engine::Test* test, engine::DataLog* log,
                                           const std::uint8_t* dutAddress)
    : EWatch(test, log), dutAddress_(dutAddress) {}

void EWatchForClaims_A100::Start() {
  active_ = true;
  parsing_ = true;
  settings::SettingManager& profile = test_->AppSettings();
  dutName_ = profile.GetValue(engine::kFullClaimSetting);
  dutNameBytes_ = {};
  settings::TextToNameBytes(dutName_, dutNameBytes_);
  if (dutName_.size() != engine::kNameTextChars) {
    Write(engine::NotValidLine(dutName_, engine::kFullClaimSetting));
    Post(engine::kEvInvalidSetting);
  }
  if (!MarkContested()) return;
  const std::uint8_t address = *dutAddress_;
  if (!contested_[address]) {
    Write("The DUT is already using an address (" + std::to_string(address) +
          ") outside the contested range.  Aborting test.");
    Post(engine::kEvAbort);
    return;
  }
  Trace("EWatchForClaims processing.   Starting address=" + std::to_string(address));
  Contest(address);
}

bool EWatchForClaims_A100::MarkContested() {
  settings::SettingManager& profile = test_->AppSettings();
  contested_.fill(false);
  if (profile.GetValue(kExtendedSetting) == "Yes") {
    std::fill(contested_.begin(), contested_.begin() + claims::kLastNodeAddress + 1, true);
    const std::string target = profile.GetValue(kTargetSetting);
    const std::uint32_t allowed = settings::SettingNumber(target);
    if (allowed < contested_.size()) contested_[allowed] = false;
    Trace("Allowed address = " + target);
    return true;
  }
  const claims::AddressRange range =
      claims::DsaCategoryRange(profile.GetValue(claims::kDsaCategorySetting));
  if (range.Width() < claims::kMinRangeWidth) {
    Write(std::string(claims::kDsaCategorySetting) + " is not set.  Aborting test.");
    Post(engine::kEvAbort);
    return false;
  }
  std::fill(contested_.begin() + range.low, contested_.begin() + range.high + 1, true);
  Trace("Contested range " + std::to_string(range.low) + "-" + std::to_string(range.high));
  return true;
}

settings::NameBytes EWatchForClaims_A100::ContestName(std::uint8_t address) const {
  settings::NameBytes name = dutNameBytes_;
  engine::ApplyNameKind(engine::kNameKindLowest, name);
  // The identity number is data[0], data[1] and the low five bits of data[2].
  name[0] = address;
  name[1] = 0x00;
  name[2] &= 0xE0;
  return name;
}

void EWatchForClaims_A100::Contest(std::uint8_t address) const {
  test_->App().Link().Transmit(address, engine::kAddressClaimDgn, ContestName(address));
}

void EWatchForClaims_A100::OnMatch(engine::DataLog& log, int index,
                                   const framework::FrameRecord& frame) {
  // Only the DUT's own claims; answering the echo of a contesting claim would
  // flood the bus, even when the DUT's NAME already has manufacturer code 0.
  if (log.OwnTransmission(index) || !claims::IsGlobalClaim(frame) ||
      claims::DataText(frame) != dutName_) {
    return;
  }
  const std::uint8_t address = frame.sourceAddress;
  if (address > claims::kLastNodeAddress || address == framework::kToolAddress) {
    test_->FailCriterion(Test_A100::kValidAddress, "Address = " + std::to_string(address), &log,
                         index);
    active_ = false;
    return;
  }
  if (contested_[address]) {
    Write("DUT claiming " + std::to_string(address) + ".  Contesting.");
    Contest(address);
    return;
  }
  Write("DUT claiming " + std::to_string(address));
  active_ = false;
  parsing_ = false;
  test_->PassCriterion(Test_A100::kFinalAddress, "Address = " + std::to_string(address), &log,
                       index);
}

Test_A100::Test_A100(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  Append<engine::ESetToolMode>(engine::kToolModeEchoTools);
  Append<engine::ETextLogMemo>("Begin with DUT in normal operation.",
                               engine::OperatorCue::kNormalOperation);
  Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  Append<engine::EFindDevice>(&log, &dutAddress_);
  auto& contest = Append<engine::EGroup>(engine::EGroup::Mode::kSequence, true, true);
  contest.Add<engine::ETimeLimitAbort>(
      kContestLimitMs, engine::kEvAbort,
      engine::LimitWords{"claim of an address outside the contested range",
                         "the first contesting claim"});
  contest.Add<EWatchForClaims_A100>(&log, &dutAddress_);
  // Bounded: a DUT that gave up every address stays silent, and the run must still end.
  auto& find = Append<engine::EGroup>(engine::EGroup::Mode::kAll, true, true);
  find.Add<engine::ETimeLimitAbort>(kFinalFindLimitMs, engine::kEvGroupAbort);
  find.Add<engine::EFindDevice>(&log, &finalAddress_);

  AddCriterion(kFinalAddress, "Final address not acceptable.");
  AddCriterion(kValidAddress, "Attempt to claim invalid address");
}

void Test_A100::OnStart() {
  Test::OnStart();
  finalAddress_ = kNotFound;
}

void Test_A100::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    if (engine::Failure* final = Criterion(kFinalAddress)) {
      final->FailIfUndecided("Final Address = " + std::to_string(finalAddress_));
    }
    PassIfUndecided(kValidAddress, "");
  }
  Test::Finish();
}

void Test_A100::WriteReport() {
  Test::WriteReport();
  claims::DumpClaims(*this);
}

}  // namespace vlt::compliance
