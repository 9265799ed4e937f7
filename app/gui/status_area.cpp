#include "gui/status_area.h"

#include <QEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/elided_label.h"
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
constexpr int kSmallPromptPointSize = 12;
constexpr int kBadgePointSize = 11;
constexpr int kBadgePaddingPx = 10;

QString BadgeSheet(const QString& background, const QString& text) {
  return QStringLiteral(
             "QLabel { background: %1; color: %2; border-radius: 3px; padding: 2px %3px; }")
      .arg(background, text)
      .arg(kBadgePaddingPx);
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

QString LimitLeftText(std::int64_t millis) {
  const std::int64_t seconds = millis <= 0 ? 0 : (millis + 999) / 1000;
  const QString left = seconds < 60 ? QStringLiteral("%1 s").arg(seconds)
                                    : QString::fromStdString(ElapsedText(seconds * 1000));
  return QObject::tr("Time limit: %1 left").arg(left);
}

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
  countdown_ = new QLabel(this);
  countdown_->setObjectName(QStringLiteral("limitCountdown"));
  countdown_->setAlignment(Qt::AlignCenter);
  QFont badgeFont = countdown_->font();
  badgeFont.setPointSize(kBadgePointSize);
  badgeFont.setBold(true);
  countdown_->setFont(badgeFont);
  countdown_->setStyleSheet(BadgeSheet(kPromptBadge));
  countdown_->setToolTip(tr("Past its time limit the test is aborted"));
  countdown_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  countdown_->setVisible(false);
  // Beside the prompt, not under it: a small screen has no room for another line.
  auto* promptRow = new QHBoxLayout;
  promptRow->setSpacing(4);
  promptRow->addWidget(prompt_, 1);
  // Large like the prompt: the operator confirms from across the bench.
  ok_ = new QPushButton(tr("OK"), this);
  ok_->setObjectName(QStringLiteral("promptOk"));
  ok_->setFont(badgeFont);
  ok_->setToolTip(tr("Press when you have done it (the space bar works too)"));
  ok_->setFocusPolicy(Qt::NoFocus);  // the space bar stays the test's
  ok_->setVisible(false);
  connect(ok_, &QPushButton::clicked, this, &StatusArea::Confirmed);
  promptRow->addWidget(ok_);
  promptRow->addWidget(countdown_);
  layout->addLayout(promptRow);

  // The names give way (the test's title, the run folder); the verdict, the
  // counts and the times never do.
  auto* row = new QHBoxLayout;
  row->setSpacing(8);
  verdictLabel_ = new QLabel(this);
  verdictLabel_->setObjectName(QStringLiteral("verdict"));
  verdictLabel_->setFont(badgeFont);
  verdictLabel_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  verdictLabel_->setVisible(false);
  runTest_ = new ElidedLabel(this);
  runTest_->setObjectName(QStringLiteral("runState"));
  runTest_->SetText(tr("No test run yet"));
  runDetail_ = new QLabel(this);
  runDetail_->setObjectName(QStringLiteral("runDetail"));
  runDetail_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  runDetail_->setVisible(false);
  linkDot_ = new QLabel(QStringLiteral("\u25CF"), this);
  linkDot_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  linkLabel_ = new ElidedLabel(this);
  linkLabel_->setObjectName(QStringLiteral("hostLink"));
  unsaved_ = new QLabel(tr("Log not saved"), this);
  unsaved_->setObjectName(QStringLiteral("logUnsaved"));
  unsaved_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  QFont italic = unsaved_->font();
  italic.setItalic(true);
  unsaved_->setFont(italic);
  unsaved_->setToolTip(tr("Save the log (Log File > Save Log) to keep the report"));
  unsaved_->setVisible(false);
  row->addWidget(linkDot_);
  row->addWidget(linkLabel_, 1);
  row->addWidget(verdictLabel_);
  row->addWidget(runTest_, 1);
  row->addWidget(runDetail_);
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
    // A long path or hint must not widen the window, nor be cut: it wraps.
    note->setMinimumWidth(40);
    note->setWordWrap(true);
    note->setVisible(false);
    notesRow->addWidget(note, 1);
  }
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
  linkLabel_->SetText(text);
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
      runTest_->SetText(tr("No test run yet"));
      runDetail_->clear();
      runDetail_->setVisible(false);
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
  runTest_->SetText(test);
  runDetail_->setText(detail);
  runDetail_->setVisible(true);
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
  if (label->toolTip() == text && label->isHidden() == text.isEmpty()) return;
  // A path wraps at its separators (a zero-width space after each): shown, not copied.
  QString shown = text;
  shown.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
  label->setText(shown);
  label->setToolTip(text);
  label->setVisible(!text.isEmpty());
  notes_->setVisible(!saved_->isHidden() || !hostNote_->isHidden() || !profileHint_->isHidden());
}

void StatusArea::SetPrompt(const std::string& prompt) {
  const QString text = ToQt(prompt);
  if (text == prompt_->text() && prompt_->isHidden() == prompt.empty()) return;
  prompt_->setText(text);
  FitPrompt();
  prompt_->setVisible(!prompt.empty());
}

void StatusArea::SetConfirmable(bool confirmable) {
  if (ok_->isHidden() == !confirmable) return;
  ok_->setVisible(confirmable);
  FitPrompt();
}

void StatusArea::FitPrompt() {
  const QMargins margins = layout()->contentsMargins();
  int room = contentsRect().width() - margins.left() - margins.right() - 2 * kBadgePaddingPx;
  if (!countdown_->isHidden()) room -= countdown_->sizeHint().width() + 4;
  if (!ok_->isHidden()) room -= ok_->sizeHint().width() + 4;
  QFont font = prompt_->font();
  font.setPointSize(kPromptPointSize);
  if (QFontMetrics(font).horizontalAdvance(prompt_->text()) > room) {
    font.setPointSize(kSmallPromptPointSize);
  }
  if (font != prompt_->font()) prompt_->setFont(font);
}

void StatusArea::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  FitPrompt();
}

void StatusArea::SetLimitLeft(std::optional<std::int64_t> millis) {
  const QString text = millis ? LimitLeftText(*millis) : QString();
  if (text != countdown_->text()) countdown_->setText(text);
  if (countdown_->isHidden() != !millis.has_value()) {
    countdown_->setVisible(millis.has_value());
    FitPrompt();
  }
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
  return linkLabel_->Text();
}

QString StatusArea::VerdictText() const {
  return verdictLabel_->text();
}

QString StatusArea::RunText() const {
  if (runDetail_->text().isEmpty()) return runTest_->Text();
  return runTest_->Text() + QStringLiteral("  -  ") + runDetail_->text();
}

QString StatusArea::PromptText() const {
  return prompt_->text();
}

bool StatusArea::PromptShown() const {
  return !prompt_->isHidden();
}

bool StatusArea::OkShown() const {
  return !ok_->isHidden();
}

QString StatusArea::CountdownText() const {
  return countdown_->text();
}

bool StatusArea::CountdownShown() const {
  return !countdown_->isHidden();
}

QString StatusArea::SavedText() const {
  return saved_->isHidden() ? QString() : saved_->toolTip();
}

QString StatusArea::HostNoteText() const {
  return hostNote_->isHidden() ? QString() : hostNote_->toolTip();
}

QString StatusArea::ProfileHintText() const {
  return profileHint_->isHidden() ? QString() : profileHint_->toolTip();
}

}  // namespace vlt::gui
