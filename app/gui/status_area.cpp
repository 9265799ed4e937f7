#include "gui/status_area.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "gui/qt_text.h"

namespace vlt::gui {

namespace {

// Fixed pairs of background and text that read on light and dark themes alike.
struct Badge {
  const char* background;
  const char* text;
};
constexpr Badge kPassBadge{"#1e7b34", "#ffffff"};
constexpr Badge kDnpBadge{"#b3261e", "#ffffff"};
constexpr Badge kAbortedBadge{"#b45309", "#ffffff"};
constexpr Badge kCheckBadge{"#7a5c00", "#ffffff"};
constexpr Badge kPromptBadge{"#ffcc33", "#000000"};

constexpr const char* kLinkUpColour = "#2e9d3f";
constexpr const char* kLinkWaitColour = "#d08a00";
constexpr const char* kLinkDownColour = "#d0342c";

constexpr int kPromptPointSize = 16;
constexpr int kBadgePointSize = 11;

QString BadgeSheet(const QString& background, const QString& text) {
  return QStringLiteral(
             "QLabel { background: %1; color: %2; border-radius: 3px; padding: 2px 10px; }")
      .arg(background, text);
}

QString BadgeSheet(const Badge& badge) {
  return BadgeSheet(QLatin1String(badge.background), QLatin1String(badge.text));
}

const Badge* BadgeOf(RunVerdict verdict) {
  switch (verdict) {
    case RunVerdict::kPass:
      return &kPassBadge;
    case RunVerdict::kDnp:
      return &kDnpBadge;
    case RunVerdict::kAborted:
    case RunVerdict::kAborting:
      return &kAbortedBadge;
    case RunVerdict::kUndecided:
      return &kCheckBadge;
    default:
      return nullptr;
  }
}

QString Criteria(int count) {
  return count == 1 ? QStringLiteral("1 criterion") : QStringLiteral("%1 criteria").arg(count);
}

}  // namespace

QString VerdictWord(RunVerdict verdict) {
  switch (verdict) {
    case RunVerdict::kNone:
      return {};
    case RunVerdict::kRunning:
      return QStringLiteral("RUNNING");
    case RunVerdict::kAborting:
      return QStringLiteral("ABORTING");
    case RunVerdict::kPass:
      return QStringLiteral("PASS");
    case RunVerdict::kDnp:
      return QStringLiteral("DNP");
    case RunVerdict::kUndecided:
      return QStringLiteral("CHECK LOG");
    case RunVerdict::kAborted:
      return QStringLiteral("ABORTED");
    case RunVerdict::kComplete:
      return QStringLiteral("COMPLETE");
    case RunVerdict::kSkipped:
      return QStringLiteral("SKIPPED");
  }
  return {};
}

StatusArea::StatusArea(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("statusArea"));
  setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->setSpacing(4);

  prompt_ = new QLabel(this);
  prompt_->setObjectName(QStringLiteral("operatorPrompt"));
  prompt_->setAlignment(Qt::AlignCenter);
  prompt_->setWordWrap(true);
  QFont promptFont = prompt_->font();
  promptFont.setPointSize(kPromptPointSize);
  promptFont.setBold(true);
  prompt_->setFont(promptFont);
  prompt_->setStyleSheet(BadgeSheet(kPromptBadge));
  prompt_->setToolTip(tr("The running test waits for you to do this"));
  prompt_->setVisible(false);
  layout->addWidget(prompt_);

  auto* row = new QHBoxLayout;
  row->setSpacing(8);
  linkDot_ = new QLabel(QStringLiteral("\u25CF"), this);
  linkLabel_ = new QLabel(this);
  linkLabel_->setObjectName(QStringLiteral("hostLink"));
  linkLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  linkLabel_->setMinimumWidth(40);
  verdictLabel_ = new QLabel(this);
  verdictLabel_->setObjectName(QStringLiteral("verdict"));
  QFont badgeFont = verdictLabel_->font();
  badgeFont.setPointSize(kBadgePointSize);
  badgeFont.setBold(true);
  verdictLabel_->setFont(badgeFont);
  verdictLabel_->setVisible(false);
  run_ = new QLabel(tr("No test run yet"), this);
  run_->setObjectName(QStringLiteral("runState"));
  run_->setMinimumWidth(40);
  unsaved_ = new QLabel(tr("Log not saved"), this);
  unsaved_->setObjectName(QStringLiteral("logUnsaved"));
  QFont italic = unsaved_->font();
  italic.setItalic(true);
  unsaved_->setFont(italic);
  unsaved_->setToolTip(tr("Save the log (Log File > Save Log) to keep the report"));
  unsaved_->setVisible(false);
  row->addWidget(linkDot_);
  row->addWidget(linkLabel_);
  row->addWidget(verdictLabel_);
  row->addWidget(run_, 1);
  row->addWidget(unsaved_);
  layout->addLayout(row);

  notes_ = new QWidget(this);
  auto* notesRow = new QHBoxLayout(notes_);
  notesRow->setContentsMargins(0, 0, 0, 0);
  notesRow->setSpacing(12);
  saved_ = new QLabel(notes_);
  saved_->setObjectName(QStringLiteral("logSaved"));
  saved_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  hostNote_ = new QLabel(notes_);
  hostNote_->setObjectName(QStringLiteral("hostNote"));
  profileHint_ = new QLabel(notes_);
  profileHint_->setObjectName(QStringLiteral("profileHint"));
  for (QLabel* note : {saved_, hostNote_, profileHint_}) {
    // A long path must not widen the window: the whole text is in the tooltip.
    note->setMinimumWidth(40);
    note->setVisible(false);
    notesRow->addWidget(note);
  }
  notesRow->addStretch(1);
  notes_->setVisible(false);
  layout->addWidget(notes_);
  SetLink(HostLinkState::kNotConnected, "");
}

void StatusArea::SetLink(HostLinkState state, const std::string& runFolder) {
  // Called on every timer tick: a style sheet is costly to apply, so only on a change.
  if (linkShown_ && state == link_ && runFolder == runFolder_) return;
  linkShown_ = true;
  link_ = state;
  runFolder_ = runFolder;
  QString text;
  const char* colour = kLinkDownColour;
  switch (state) {
    case HostLinkState::kConnected:
      text = tr("Host: connected");
      colour = kLinkUpColour;
      break;
    case HostLinkState::kConnecting:
      text = tr("Host: registering...");
      colour = kLinkWaitColour;
      break;
    case HostLinkState::kNotConnected:
      text = tr("Host: not connected - tests need vlt-host");
      break;
    case HostLinkState::kLost:
      text = tr("Host: lost - waiting for vlt-host");
      break;
    case HostLinkState::kReconnecting:
      text = tr("Host: reconnecting...");
      colour = kLinkWaitColour;
      break;
  }
  if (!runFolder.empty()) text += tr(", run folder %1").arg(PathToQt(runFolder));
  linkLabel_->setText(text);
  linkLabel_->setToolTip(text);
  linkDot_->setStyleSheet(QStringLiteral("QLabel { color: %1; }").arg(QLatin1String(colour)));
}

void StatusArea::SetRun(const std::string& code, const std::string& title,
                        const RunOutcome& outcome, std::int64_t elapsedMillis) {
  const bool restyle = outcome.verdict != verdict_;
  verdict_ = outcome.verdict;
  const QString test = ToQt(code) + QStringLiteral("  ") + ToQt(title);
  const QString elapsed = QString::fromStdString(ElapsedText(elapsedMillis));
  QString detail;
  switch (outcome.verdict) {
    case RunVerdict::kNone:
      run_->setText(tr("No test run yet"));
      if (restyle) Restyle();
      return;
    case RunVerdict::kRunning:
      detail = tr("running  %1").arg(elapsed);
      break;
    case RunVerdict::kAborting:
      detail = tr("aborting  %1").arg(elapsed);
      break;
    case RunVerdict::kPass:
      detail = tr("%1 passed  (%2)").arg(Criteria(outcome.criteria), elapsed);
      break;
    case RunVerdict::kDnp:
      detail =
          tr("%1 of %2 did not pass  (%3)")
              .arg(QString::number(outcome.dnpCount), QString::number(outcome.criteria), elapsed);
      break;
    case RunVerdict::kUndecided:
      detail = tr("%1 left for you to judge in the log  (%2)")
                   .arg(Criteria(outcome.undecidedCount), elapsed);
      break;
    case RunVerdict::kAborted:
      detail = tr("aborted after %1").arg(elapsed);
      break;
    case RunVerdict::kComplete:
      detail = tr("complete  (%1)").arg(elapsed);
      break;
    case RunVerdict::kSkipped:
      detail = tr("logged as skipped");
      break;
  }
  run_->setText(test + QStringLiteral("  -  ") + detail);
  run_->setToolTip(run_->text());
  if (restyle) Restyle();
}

void StatusArea::SetLogUnsaved(bool unsaved) {
  unsaved_->setVisible(unsaved);
}

void StatusArea::SetSavedTo(const std::string& path) {
  ShowNote(saved_, path.empty() ? QString() : tr("Saved to %1").arg(PathToQt(path)));
}

void StatusArea::SetHostNote(const std::string& line) {
  ShowNote(hostNote_, ToQt(line));
}

void StatusArea::SetProfileHint(const std::string& text) {
  ShowNote(profileHint_, ToQt(text));
}

void StatusArea::ShowNote(QLabel* label, const QString& text) {
  if (label->text() == text && label->isHidden() == text.isEmpty()) return;
  label->setText(text);
  label->setToolTip(text);
  label->setVisible(!text.isEmpty());
  notes_->setVisible(!saved_->isHidden() || !hostNote_->isHidden() || !profileHint_->isHidden());
}

void StatusArea::SetPrompt(const std::string& prompt) {
  const QString text = ToQt(prompt);
  if (text == prompt_->text() && prompt_->isHidden() == prompt.empty()) return;
  prompt_->setText(text);
  prompt_->setVisible(!prompt.empty());
}

void StatusArea::Restyle() {
  verdictLabel_->setText(VerdictWord(verdict_));
  verdictLabel_->setVisible(verdict_ != RunVerdict::kNone);
  if (const Badge* badge = BadgeOf(verdict_)) {
    verdictLabel_->setStyleSheet(BadgeSheet(*badge));
  } else if (verdict_ == RunVerdict::kRunning) {
    // The theme's own selection colours: a running test is "in hand", not judged.
    const QPalette& colours = palette();
    verdictLabel_->setStyleSheet(BadgeSheet(colours.color(QPalette::Highlight).name(),
                                            colours.color(QPalette::HighlightedText).name()));
  } else {
    verdictLabel_->setStyleSheet(
        BadgeSheet(QStringLiteral("transparent"), QStringLiteral("palette(text)")));
  }
}

void StatusArea::changeEvent(QEvent* event) {
  QFrame::changeEvent(event);
  if (event->type() == QEvent::PaletteChange) Restyle();
}

QString StatusArea::LinkText() const {
  return linkLabel_->text();
}

QString StatusArea::VerdictText() const {
  return verdictLabel_->text();
}

QString StatusArea::RunText() const {
  return run_->text();
}

QString StatusArea::PromptText() const {
  return prompt_->text();
}

bool StatusArea::PromptShown() const {
  return !prompt_->isHidden();
}

QString StatusArea::SavedText() const {
  return saved_->isHidden() ? QString() : saved_->text();
}

QString StatusArea::HostNoteText() const {
  return hostNote_->isHidden() ? QString() : hostNote_->text();
}

QString StatusArea::ProfileHintText() const {
  return profileHint_->isHidden() ? QString() : profileHint_->text();
}

}  // namespace vlt::gui
