#include "compliance/nd150_transparency.h"

#include "engine/control_elements.h"
#include "engine/data_log.h"
#include "engine/operator_cues.h"

namespace vlt::compliance {

using engine::RequestOutcome;

namespace {

constexpr std::uint16_t kActionMark = 1;

}  // namespace

Test_ND150::Test_ND150(const engine::TestContext& context)
    : CommandTest(context, kCatalogueIndex, {kCommandOffSetting}) {
  AppendCommandStart();
  const auto off = [this] {
    AppendRequest([this] { return CommandPlan(kCommandOffSetting); },
                  [this](const RequestOutcome& o, engine::DataLog& log) {
                    JudgeObeyed(Kind::kOff, o, log, kNotObeyed, kLate);
                  });
  };
  off();
  Append<engine::ECall>([this] { promptIndex_ = log_->Size(); });
  action_ = &Append<engine::EOperatorAction>(engine::OperatorCue::kWorkControl, kActionMark);
  Append<engine::ETimeLimitMinimum>(kListenMs).SetBlocks(true);
  Append<engine::ECall>([this] { JudgeControl(); });
  off();
  AddCriterion(kNotReported, "Change by the DUT's own control not reported.");
  AddCriterion(kReportLate, "More than 250ms elapsed before own control and status.");
  AddCriterion(kNotObeyed, "Command Off Data not obeyed.");
  AddCriterion(kLate, "More than 250ms elapsed before command and status.");
}

void Test_ND150::JudgeControl() {
  if (!Usable()) return;
  const engine::DataLog& log = *log_;
  const auto before = StateBefore(log, static_cast<int>(promptIndex_));
  const bool person = action_->ByPerson();
  const std::int64_t doneMs = action_->DoneMs();
  // A person confirms after acting, so their change may show before the
  // confirmation; the host's switch is made at the moment it reports.
  std::optional<std::uint32_t> lastStatusMs;
  for (std::size_t i = 0; i < log.Size(); ++i) {
    if (log.OwnTransmission(static_cast<int>(i))) continue;
    const framework::FrameRecord frame = log.Frame(i);
    const auto state = StateOf(frame);
    if (!state) continue;
    const std::optional<std::uint32_t> previousMs = lastStatusMs;
    lastStatusMs = frame.timeStamp;
    if (i < promptIndex_ || (!person && frame.timeStamp < doneMs)) continue;
    if (before && *state == *before) continue;
    const int index = static_cast<int>(i);
    PassCriterion(kNotReported,
                  before ? "state " + StateText(*before) + " became " + StateText(*state)
                         : "state " + StateText(*state),
                  &log, index);
    const std::int64_t delayMs = static_cast<std::int64_t>(frame.timeStamp) - doneMs;
    const auto period = Rhythm().PeriodMs({StatusDgn(), Instance()});
    const bool periodic = period && previousMs && frame.timeStamp - *previousMs >= *period * 8 / 10;
    const std::string delay =
        "Delay = " + std::to_string(delayMs) + (periodic ? ", at the next periodic status" : "");
    if (periodic) {
      FailCriterion(kReportLate, delay, &log, index);
    } else if (person) {
      QuestionCriterion(kReportLate, delay + " after the operator confirmed (a person's timing)",
                        &log, index);
    } else if (delayMs > static_cast<std::int64_t>(engine::AnswerWindowMs(*this))) {
      FailCriterion(kReportLate, delay, &log, index);
    } else {
      PassCriterion(kReportLate, delay, &log, index);
    }
    return;
  }
  FailCriterion(kNotReported,
                (before ? "state " + StateText(*before) : std::string("no state")) +
                    " unchanged for " + std::to_string(kListenMs) + " ms after the action",
                &log, static_cast<int>(log.Size()) - 1);
  // Nothing came to time: a PASS here would read as a timely report.
  QuestionCriterion(kReportLate, "no change reported to time");
}

}  // namespace vlt::compliance
