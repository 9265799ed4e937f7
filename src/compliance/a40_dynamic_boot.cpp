#include "compliance/a40_dynamic_boot.h"

#include <algorithm>
#include <cstdio>
#include <limits>

#include "compliance/test_table.h"
#include "data/specifier.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/test_events.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"
#include "settings/setting_text.h"

namespace vlt::compliance {

namespace {

constexpr std::uint32_t kMinimumRunMs = 1000;

}  // namespace

DsaRange DsaCategoryRange(std::string_view categoryText) {
  for (const DsaCategory& category : kDsaCategories) {
    if (category.name == categoryText) return {category.low, category.high};
  }
  return {};
}

bool LoadAllowedTargets(engine::Test& test, AddressFlags& allowed) {
  const DsaRange range = DsaCategoryRange(test.AppSettings().GetValue(kDsaCategorySetting));
  if (range.high - range.low < kMinRangeSpan) {
    test.Write(std::string(kDsaCategorySetting) + " is not set.  Aborting test.");
    test.PostEvent(engine::kEvAbort);
    return false;
  }
  for (int a = range.low; a <= range.high; ++a) allowed[static_cast<std::size_t>(a)] = 1;
  char line[48];
  std::snprintf(line, sizeof(line), "Acceptable address range %d-%d", range.low, range.high);
  test.Trace(line);
  return true;
}

bool IsRequest(const framework::FrameRecord& frame) {
  return (frame.dgn & kDgnBlockMask) == engine::kRequestDgn;
}

bool IsToolClaimText(const std::string& manufacturerText) {
  return manufacturerText == kToolLowestMfgText || manufacturerText == kToolHighestMfgText;
}

std::int32_t ReadMinDelay(engine::Test& test) {
  const std::uint32_t tolerance =
      settings::SettingNumber(test.AppSettings().GetValue(kTimingToleranceSetting));
  // The tolerance saturates at FFFFFFFFh, so the difference fits in 64 bits.
  const std::int64_t minDelay = std::int64_t{kContentionMs} - std::int64_t{tolerance};
  return static_cast<std::int32_t>(
      std::max<std::int64_t>(minDelay, std::numeric_limits<std::int32_t>::min()));
}

bool ShorterThan(std::uint32_t delayMs, std::int32_t minDelayMs) {
  return static_cast<std::int64_t>(delayMs) < static_cast<std::int64_t>(minDelayMs);
}

void EWatchForInitialMessage_A40::Start() {
  EWatch::Start();
  // A repeated run starts from nothing, as the first one did.
  requestedTargets_ = {};
  allowedTargets_ = {};
  requestedCount_ = 0;
  firstRequestSeen_ = 0;
  firstRequestStamp_ = 0;
  if (LoadAllowedTargets(*test_, allowedTargets_)) Trace("EWatchForInitialMessage processing.");
}

void EWatchForInitialMessage_A40::OnMatch(engine::DataLog& log, int index,
                                          const framework::FrameRecord& frame) {
  const bool request = IsRequest(frame);
  const std::string requested = request ? test_->SignalValue(frame, "~~DGNRequest") : "";
  if (index == 0) {
    if (!request || requested != kAddressClaimDgnText) {
      test_->FailCriterion(0x403, "", &log, index);
    } else {
      test_->PassCriterion(0x403, "");
    }
  }
  if (request) {
    if (requested == kAddressClaimDgnText) {
      const std::uint8_t target = RequestTarget(frame);
      if (firstRequestSeen_ == 0) {
        test_->MarkTime(0, frame.timeStamp);
        firstRequestStamp_ = frame.timeStamp;
      }
      firstRequestSeen_ = 1;
      test_->PassCriterion(0x405, "");
      if (target == kGlobalTarget) {
        test_->FailCriterion(0x406, "");
      } else {
        test_->PassCriterion(0x406, "");
      }
      if (requestedTargets_[target] == 0) {
        requestedTargets_[target] = 1;
        if (++requestedCount_ > 1) test_->FailCriterion(0x407, "See log to verify.");
      }
      if (frame.sourceAddress != kNullSourceAddress) {
        test_->FailCriterion(0x401, "", &log, index);
      } else {
        test_->PassCriterion(0x401, "");
      }
      if (allowedTargets_[target] == 0) {
        test_->FailCriterion(0x402, "", &log, index);
      } else {
        test_->PassCriterion(0x402, "");
      }
      if (frame.length != kRequestPayloadBytes) {
        test_->FailCriterion(0x404, "", &log, index);
      } else {
        test_->PassCriterion(0x404, "");
      }
    } else if (requested.starts_with("EE")) {
      test_->FailCriterion(0x405, "", &log, index);
    }
  }
  active_ = false;
}

EWatchForInitialMessage_A40& AppendDynamicBootStart(engine::Test& test, engine::DataLog& log) {
  test.Append<engine::ESetToolAddress>(framework::kToolAddress);
  test.Append<engine::ESetToolMode>(engine::kToolModeTools);
  test.Append<engine::ETextLogMemo>("Start with an empty network, DUT powered off or disconnected.",
                                    engine::OperatorCue::kPowerOff);
  test.Append<engine::EEmptyNetwork>();
  test.Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  test.Append<engine::ETextLogMemo>("Power Up DUT", engine::OperatorCue::kPowerOn);
  return test.Append<EWatchForInitialMessage_A40>(&log);
}

void AddDynamicBootCriteria(engine::Test& test) {
  test.AddCriterion(0x401, "Request does not use SA FEh");
  test.AddCriterion(0x402, "Request target is outside the device's dynamic range.");
  test.AddCriterion(0x403, "Another message precedes the request.");
  test.AddCriterion(0x404, "The request payload is not 8 bytes.");
  test.AddCriterion(0x405, "The requested DGN is not EE00h.");
  test.AddCriterion(0x406, "A global request for ADDRESS_CLAIM is transmitted.");
  test.AddCriterion(0x407, "The device attempts to claim multiple addresses.");
}

void WriteDumpWithRequestsDecoded(const engine::Test& test) {
  const data::SpecByDGNBlock requests(nullptr, data::DgnRef::OfValue(engine::kRequestDgn));
  test.Write(engine::Rule('-'));
  test.DumpDataLog(0, &requests);
  test.Write(engine::Rule('-'));
}

Test_A40::Test_A40(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  AppendDynamicBootStart(*this, log);
  Append<engine::ETimeLimitMinimum>(kMinimumRunMs);
  AddDynamicBootCriteria(*this);
}

void Test_A40::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) PassIfUndecided(0x407, "");
  Test::Finish();
}

void Test_A40::WriteReport() {
  Test::WriteReport();
  WriteDumpWithRequestsDecoded(*this);
}

}  // namespace vlt::compliance
