#include "compliance/a50_a60_dynamic_startup_conflict.h"

#include <cstdio>

#include "compliance/test_table.h"
#include "data/specifier.h"
#include "engine/bus_watches.h"
#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/network_messages.h"
#include "engine/tool_elements.h"
#include "framework/host_protocol.h"

namespace vlt::compliance {

namespace {

constexpr std::uint32_t kMinimumRunMs = 2000;
// The DUT has moved on once it has asked for a second address.
constexpr std::uint32_t kMovedOnCount = 2;

// Elements up to the watch; the responder contests the DUT's first target.
void AppendStartupConflictStart(engine::Test& test, engine::DataLog& log, std::uint32_t nameKind) {
  test.Append<engine::ESetToolAddress>(framework::kToolAddress);
  test.Append<engine::ESetToolMode>(engine::kToolModeEchoTools);
  test.Append<engine::ETextLogMemo>("Start with an empty network, DUT powered off or disconnected.",
                                    engine::OperatorCue::kPowerOff);
  test.Append<engine::EEmptyNetwork>();
  test.Append<engine::EDataLogAction>(engine::DataLog::Action::kRestart, &log);
  test.Append<engine::ERespondWithAddressClaimed>(&log, nameKind);
  test.Append<engine::ETextLogMemo>("Power Up DUT", engine::OperatorCue::kPowerOn);
}

// Matches what any of its specifiers matches; the report decodes two DGN blocks.
class SpecAnyOf final : public data::Specifier {
 public:
  SpecAnyOf(const data::Specifier& a, const data::Specifier& b)
      : Specifier(nullptr), a_(a), b_(b) {}
  bool Matches(const framework::FrameMessage& message) const override {
    return a_.Matches(message) || b_.Matches(message);
  }

 private:
  const data::Specifier& a_;
  const data::Specifier& b_;
};

}  // namespace

void EWatchForClaimingMessages_A50::Start() {
  EWatch::Start();
  // A repeated run starts from nothing, as the first one did.
  requestedTargets_ = {};
  allowedTargets_ = {};
  requestedCount_ = 0;
  if (LoadAllowedTargets(*test_, allowedTargets_)) Trace("EWatchForClaimingMessages processing.");
}

void EWatchForClaimingMessages_A50::JudgeRequest(engine::DataLog& log, int index,
                                                 const framework::FrameRecord& frame) {
  const std::uint8_t target = RequestTarget(frame);
  test_->PassCriterion(0x507, "");
  if (target == kGlobalTarget) {
    test_->FailCriterion(0x508, "");
  } else {
    test_->PassCriterion(0x508, "");
  }
  if (requestedTargets_[target] != 0) {
    test_->FailCriterion(0x501, "", &log, index);
  } else {
    requestedTargets_[target] = 1;
    ++requestedCount_;
    if (requestedCount_ == kMovedOnCount) {
      test_->PassCriterion(0x501, "", &log, index);
    } else if (requestedCount_ > kMovedOnCount) {
      test_->FailCriterion(0x509, "See log to verify.");
    }
  }
  if (frame.sourceAddress != kNullSourceAddress) {
    test_->FailCriterion(0x503, "", &log, index);
  } else {
    test_->PassCriterion(0x503, "");
  }
  if (allowedTargets_[target] == 0) {
    test_->FailCriterion(0x504, "", &log, index);
  } else {
    test_->PassCriterion(0x504, "");
  }
  if (frame.length != kRequestPayloadBytes) {
    test_->FailCriterion(0x506, "", &log, index);
  } else {
    test_->PassCriterion(0x506, "");
  }
}

void EWatchForClaimingMessages_A50::OnMatch(engine::DataLog& log, int index,
                                            const framework::FrameRecord& frame) {
  const bool movedOn = requestedCount_ >= kMovedOnCount;
  if (IsRequest(frame)) {
    const std::string requested = test_->SignalValue(frame, "~~DGNRequest");
    if (requested == kAddressClaimDgnText) {
      JudgeRequest(log, index, frame);
    } else if (requested.starts_with("EE")) {
      test_->FailCriterion(0x507, "", &log, index);
    }
  } else if (frame.dgn == engine::kAddressClaimDgn) {
    // The tool's own claim comes back through the echo and is no claim of the DUT.
    if (!IsToolClaimText(test_->SignalValue(frame, "~~ManufacturerID")) && !movedOn) {
      test_->FailCriterion(0x502, "", &log, index);
    }
  } else if (!movedOn) {
    test_->FailCriterion(0x505, "", &log, index);
  }
  active_ = false;
}

void EWatchForClaimingMessages_A60::Start() {
  EWatch::Start();
  requestStamp_.reset();
  claimStamp_.reset();
  test_->SetValue(kTargetAddressSetting, "FE");
  mindelay_ = ReadMinDelay(*test_);
  Trace("EWatchForClaimingMessages processing.");
  Trace("mindelay = " + std::to_string(mindelay_));
}

void EWatchForClaimingMessages_A60::JudgeClaim(engine::DataLog& log, int index,
                                               const framework::FrameRecord& frame,
                                               const std::string& manufacturer) {
  test_->MarkTime(1, frame.timeStamp);
  claimStamp_ = frame.timeStamp;
  test_->PassCriterion(0x606, "", &log, index);

  const std::string note = "Claiming Manufacturer ID " + manufacturer;
  if (manufacturer == test_->AppSettings().GetValue(kManufacturerIdSetting)) {
    test_->PassCriterion(0x605, note, &log, index);
  } else {
    test_->FailCriterion(0x605, note, &log, index);
  }

  if (test_->SignalValue(frame, "~~ArbAddrCapable") == "0") {
    test_->FailCriterion(0x601, "", &log, index);
  } else {
    test_->PassCriterion(0x601, "", &log, index);
  }

  const std::string targeted = test_->GetValue(kTargetAddressSetting);
  const std::string claimed = engine::ByteText(frame.sourceAddress);
  const std::string targetNote = "Targeted: " + targeted + "  Claimed: " + claimed;
  if (claimed == targeted || frame.sourceAddress >= kNullSourceAddress) {
    test_->PassCriterion(0x604, targetNote, &log, index);
  } else {
    test_->FailCriterion(0x604, targetNote, &log, index);
  }

  if (requestStamp_) {
    test_->PassCriterion(0x609, "");
    if (ShorterThan(*claimStamp_ - *requestStamp_, mindelay_)) {
      test_->FailCriterion(0x608, "", &log, index);
    } else {
      test_->PassCriterion(0x608, "", &log, index);
    }
  } else {
    test_->FailCriterion(0x609, "");
  }
}

void EWatchForClaimingMessages_A60::OnMatch(engine::DataLog& log, int index,
                                            const framework::FrameRecord& frame) {
  const bool request = IsRequest(frame);
  const std::string requested = request ? test_->SignalValue(frame, "~~DGNRequest") : "";
  if (request && requested == kAddressClaimDgnText) {
    test_->PassCriterion(0x603, "");
    // A request to all is answered for the DSA, so that is the address at stake.
    test_->SetValue(kTargetAddressSetting,
                    engine::ByteText(engine::ContestedAddress(*test_, RequestTarget(frame))));
    test_->MarkTime(0, frame.timeStamp);
    requestStamp_ = frame.timeStamp;
  } else if (request && requested.starts_with("EE")) {
    test_->FailCriterion(0x603, "", &log, index);
  } else if (frame.dgn == engine::kAddressClaimDgn) {
    const std::string manufacturer = test_->SignalValue(frame, "~~ManufacturerID");
    // The tool's own claim comes back through the echo and is no claim of the DUT.
    if (!IsToolClaimText(manufacturer)) JudgeClaim(log, index, frame, manufacturer);
  } else if (claimStamp_) {
    if (ShorterThan(frame.timeStamp - *claimStamp_, mindelay_)) {
      test_->FailCriterion(0x607, "", &log, index);
    } else {
      test_->PassCriterion(0x607, "", &log, index);
    }
  } else {
    test_->FailCriterion(0x602, "", &log, index);
  }
  active_ = false;
}

Test_A50::Test_A50(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  AppendStartupConflictStart(*this, log, engine::kNameKindLowest);
  Append<EWatchForClaimingMessages_A50>(&log);
  Append<engine::ETimeLimitMinimum>(kMinimumRunMs);
  AddCriterion(0x501, "Did not target new address.");
  AddCriterion(0x502, "Claimed address despite higher priority claim.");
  AddCriterion(0x503, "Request does not use SA FEh");
  AddCriterion(0x504, "Request target is outside the device's dynamic range.");
  AddCriterion(0x505, "Device begins transmit operations prematurely.");
  AddCriterion(0x506, "The request payload is not 8 bytes.");
  AddCriterion(0x507, "The requested DGN is not EE00h.");
  AddCriterion(0x508, "A global request for ADDRESS_CLAIM is transmitted.");
  AddCriterion(0x509, "The device attempts to claim multiple addresses.");
}

void Test_A50::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    PassIfUndecided(0x505, "");
    PassIfUndecided(0x509, "");
    PassIfUndecided(0x502, "");
    Criterion(0x501)->FailIfUndecided("");
  }
  Test::Finish();
}

void Test_A50::WriteReport() {
  Test::WriteReport();
  WriteDumpWithRequestsDecoded(*this);
}

Test_A60::Test_A60(const engine::TestContext& context)
    : Test(context, kCatalogueIndex, IdentityOf(kCatalogueIndex)) {
  engine::DataLog& log = AddDataLog(0);
  AppendStartupConflictStart(*this, log, engine::kNameKindHighest);
  Append<EWatchForClaimingMessages_A60>(&log);
  Append<engine::ETimeLimitMinimum>(kMinimumRunMs);
  AddCriterion(0x601, "Arbitrary Address Capable bit not 1.");
  AddCriterion(0x602, "Other message precedes ADDRESS_CLAIM.");
  AddCriterion(0x603, "Requested DGN not EE00h.");
  AddCriterion(0x604, "Address claimed does not match targeted address.");
  AddCriterion(0x605, "Manufacturer ID does not match manufacturer.");
  AddCriterion(0x606, "No ADDRESS_CLAIM message broadcast.");
  AddCriterion(0x607, "Less than 250ms elapsed between claim and operation.");
  AddCriterion(0x608, "Less than 250ms elapsed between request and claim.");
  AddCriterion(0x609, "No request for ADDRESS_CLAIM transmitted");
}

void Test_A60::Finish() {
  DataLogAt(0)->Stop();
  if (!Aborted()) {
    PassIfUndecided(0x602, "");
    Criterion(0x606)->FailIfUndecided("");
  }
  Test::Finish();
}

void Test_A60::WriteReport() {
  Test::WriteReport();
  const data::SpecByDGNBlock requests(nullptr, data::DgnRef::OfValue(engine::kRequestDgn));
  const data::SpecByDGNBlock claims(nullptr, data::DgnRef::OfValue(engine::kAddressClaimDgn));
  const SpecAnyOf decoder(requests, claims);
  Write(engine::Rule('-'));
  DumpDataLog(0, &decoder);
  Write(engine::Rule('-'));
}

}  // namespace vlt::compliance
