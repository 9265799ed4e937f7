#include "compliance/nd130_nak.h"

#include "compliance/nd10_nd20_requests.h"
#include "engine/data_log.h"

namespace vlt::compliance {

using engine::RequestOutcome;
using engine::RequestReply;

Test_ND130::Test_ND130(const engine::TestContext& context)
    : CommandTest(context, kCatalogueIndex, {kCommandOffSetting, kRefusedCommandSetting}) {
  AppendCommandStart();
  AppendRequest([this] { return CommandPlan(kCommandOffSetting); }, {});
  AppendRequest([this] { return CommandPlan(kRefusedCommandSetting); },
                [this](const RequestOutcome& o, engine::DataLog& log) { JudgeRefused(o, log); });
  AppendRequest(
      [this]() -> std::optional<engine::RequestPlan> {
        const auto dgn = SlotDgn(kUnsupportedDgnSetting, 1);
        if (!dgn) return std::nullopt;
        engine::RequestPlan plan;
        plan.dgn = *dgn;
        plan.destination = dut_;
        return plan;
      },
      [this](const RequestOutcome& o, engine::DataLog& log) {
        JudgeUnsupportedNak(
            *this,
            {kNoRequestNak,
             kRequestNakLate,
             {kRequestNakCode, kRequestNakRequester, kRequestNakDgn, kRequestNakDestination}},
            o, log);
      });
  AddCriterion(kNoNak, "No NAK for a command that cannot be carried out.");
  AddCriterion(kNakLate, "More than 250ms elapsed before command and NAK.");
  AddCriterion(kNakCode, "NAK code is 0 (ACK) for a refused command.");
  AddCriterion(kNakCommander, "NAK byte 4 is not the commander's address.");
  AddCriterion(kNakDgn, "NAK bytes 5-7 are not the command DGN.");
  AddCriterion(kNakDestination, "NAK not sent to the commander.");
  AddCriterion(kChanged, "Refused command changed the state.");
  AddCriterion(kNoRequestNak, "No NAK for an unsupported DGN.");
  AddCriterion(kRequestNakLate, "More than 250ms elapsed before request and NAK.");
  AddCriterion(kRequestNakCode, "NAK code is not 1 (not supported).");
  AddCriterion(kRequestNakRequester, "NAK byte 4 is not the requester's address.");
  AddCriterion(kRequestNakDgn, "NAK bytes 5-7 are not the requested DGN.");
  AddCriterion(kRequestNakDestination, "NAK not sent to the requester.");
}

void Test_ND130::JudgeRefused(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::string dgn = DgnLabel(CommandDgn());
  if (const RequestReply* reply = outcome.First(RequestReply::Kind::kAcknowledgment)) {
    PassCriterion(kNoNak, dgn, &log, reply->index);
    engine::JudgeDelay(*this, kNakLate, dgn, *reply, outcome.windowMs, log);
    if (const auto ack = engine::ReadAcknowledgment(reply->frame)) {
      engine::JudgeNak(
          *this, {kNakCode, kNakCommander, kNakDgn, kNakDestination}, *ack, CommandDgn(),
          [](std::uint8_t code) { return code != engine::kAckCode; }, log, reply->index,
          outcome.plan.source);
    }
  } else {
    FailCriterion(kNoNak, dgn + ": no NAK", &log, outcome.requestIndex);
  }
  const std::vector<Status> statuses = Statuses(outcome);
  JudgeStateKept(kChanged, outcome, statuses, log, outcome.requestIndex, "");
}

void Test_ND130::Finish() {
  if (!Aborted() && Usable() && !SlotDgn(kUnsupportedDgnSetting, 1)) {
    for (const std::uint16_t id : {kNoRequestNak, kRequestNakLate, kRequestNakCode,
                                   kRequestNakRequester, kRequestNakDgn, kRequestNakDestination}) {
      QuestionCriterion(id, "No Unsupported DGN 1 is set (0 means not used).");
    }
  }
  CommandTest::Finish();
}

}  // namespace vlt::compliance
