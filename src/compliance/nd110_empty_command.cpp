#include "compliance/nd110_empty_command.h"

#include "engine/data_log.h"

namespace vlt::compliance {

using engine::RequestOutcome;
using engine::RequestReply;

Test_ND110::Test_ND110(const engine::TestContext& context)
    : CommandTest(context, kCatalogueIndex, {}) {
  AppendCommandStart();
  AppendRequest(
      [this] {
        values::FrameBytes empty;
        empty.fill(0xFF);
        return CommandPlan(empty);
      },
      [this](const RequestOutcome& o, engine::DataLog& log) { Judge(o, log); });
  AddCriterion(kChanged, "Empty command changed the state.");
  AddCriterion(kNoAnswer, "No status or NAK in response to an empty command.");
  AddCriterion(kLate, "More than 250ms elapsed before command and response.");
}

void Test_ND110::Judge(const RequestOutcome& outcome, engine::DataLog& log) {
  const std::vector<Status> statuses = Statuses(outcome);
  const RequestReply* ack = outcome.First(RequestReply::Kind::kAcknowledgment);
  const RequestReply* first = statuses.empty() ? ack : statuses.front().reply;
  if (ack != nullptr && first != nullptr && ack->delayMs < first->delayMs) first = ack;
  if (first == nullptr) {
    FailCriterion(kNoAnswer, "no status and no NAK", &log, outcome.requestIndex);
    QuestionCriterion(kChanged, "no status came to show the state", &log, outcome.requestIndex);
    QuestionCriterion(kLate, "nothing came to time", &log, outcome.requestIndex);
    return;
  }
  PassCriterion(kNoAnswer,
                first == ack ? "NAK, code " + engine::AcknowledgmentCodeText(ack->frame.data[0])
                             : std::string("status"),
                &log, first->index);
  engine::JudgeDelay(*this, kLate, first == ack ? "NAK" : "status", *first, outcome.windowMs, log);
  JudgeStateKept(kChanged, outcome, statuses, log, first->index, "no status, only a NAK");
}

}  // namespace vlt::compliance
