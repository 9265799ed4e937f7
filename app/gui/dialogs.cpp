#include "gui/dialogs.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>
#include <QTextEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "compliance/test_table.h"
#include "gui/qt_text.h"
#include "gui/window_fonts.h"
#include "gui/window_geometry.h"
#include "gui/window_icon.h"
#include "reports/summary_report.h"
#include "reports/test_catalogue.h"

namespace vlt::gui {

namespace {
constexpr std::size_t kSkipCodeChars = 8;
// The project has not named its licence yet; one line to change when it does.
constexpr const char* kProgramLicence = "Licence: the licence agreement that came with Valmora.";
// A text box's text: at least this wide, at most this share of the screen.
constexpr int kTextBoxMinWidthPx = 260;
constexpr int kTextBoxMaxWidthPx = 600;
constexpr double kTextBoxWidthShare = 0.8;
constexpr double kTextBoxHeightShare = 0.6;
constexpr QSize kFrameAllowance{8, 32};
}  // namespace

DecisionBox::DecisionBox(const std::string& statement, const std::string& question, QWidget* parent,
                         const DecisionButtons& buttons)
    : QDialog(parent,
              buttons.cancel ? kSmallDialogFlags : kSmallDialogFlags & ~Qt::WindowCloseButtonHint) {
  setObjectName(QStringLiteral("decisionBox"));
  setWindowTitle(QStringLiteral("Valmora"));
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 14);
  layout->setSpacing(10);

  auto* statementBox = new QLabel(ToQt(statement), this);
  statementBox->setObjectName(QStringLiteral("statement"));
  statementBox->setFont(MonospaceFont(14));
  statementBox->setAlignment(Qt::AlignCenter);
  statementBox->setWordWrap(true);
  statementBox->setMinimumSize(std::min(640, ScreenShare(parent, 0.9)), 90);
  statementBox->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* questionBox = new QLabel(ToQt(question), this);
  questionBox->setObjectName(QStringLiteral("question"));
  questionBox->setFont(MonospaceFont(10));
  questionBox->setAlignment(Qt::AlignCenter);
  questionBox->setWordWrap(true);

  yes_ = new QPushButton(buttons.yes, this);
  no_ = new QPushButton(buttons.no, this);
  auto* row = new QHBoxLayout;
  row->addWidget(yes_, 1);
  row->addSpacing(40);
  row->addWidget(no_, 1);
  if (buttons.cancel) {
    cancel_ = new QPushButton(tr("&Cancel"), this);
    row->addSpacing(40);
    row->addWidget(cancel_, 1);
    connect(cancel_, &QPushButton::clicked, this, [this] { done(kCancel); });
  }
  connect(yes_, &QPushButton::clicked, this, [this] { done(kYes); });
  connect(no_, &QPushButton::clicked, this, [this] { done(kNo); });
  QPushButton* focus = buttons.focus == DecisionButtons::Focus::kNo ? no_
                       : buttons.focus == DecisionButtons::Focus::kCancel && cancel_ != nullptr
                           ? cancel_
                           : yes_;
  for (QPushButton* b : {yes_, no_, cancel_}) {
    if (b == nullptr) continue;
    b->setMinimumHeight(34);
    b->setAutoDefault(false);
    b->setDefault(b == focus);
  }

  layout->addWidget(statementBox);
  layout->addWidget(questionBox);
  layout->addLayout(row);
  focus->setFocus();
}

void DecisionBox::reject() {
  if (cancel_ != nullptr) done(kCancel);
}

void PlaceAwayFromLog(QWidget& box, const QWidget* window) {
  if (window == nullptr || !window->isVisible()) return;
  box.adjustSize();
  const QRect frame = window->frameGeometry();
  const QRect inside = window->geometry();
  QPoint at(frame.center().x() - box.width() / 2, inside.top() + 8);
  if (const QScreen* screen = window->screen()) {
    const QRect available = screen->availableGeometry();
    at.setX(std::clamp(at.x(), available.left(),
                       std::max(available.left(), available.right() - box.width())));
    at.setY(std::clamp(at.y(), available.top(),
                       std::max(available.top(), available.bottom() - box.height())));
  }
  box.move(at);
}

TextBox::TextBox(Kind kind, const QString& title, const QString& message, QWidget* parent)
    : QDialog(parent, kSmallDialogFlags) {
  // The core's texts end their lines in CR LF.
  QString text = message;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  setObjectName(QStringLiteral("textBox"));
  setWindowTitle(title);
  setModal(true);
  QStyle::StandardPixmap symbol = QStyle::SP_MessageBoxInformation;
  if (kind == Kind::kWarning) symbol = QStyle::SP_MessageBoxWarning;
  if (kind == Kind::kQuestion) symbol = QStyle::SP_MessageBoxQuestion;
  auto* icon = new QLabel(this);
  const int iconPx = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
  icon->setPixmap(style()->standardIcon(symbol, nullptr, this).pixmap(iconPx, iconPx));

  text_ = new QTextEdit(this);
  text_->setObjectName(QStringLiteral("text"));
  text_->setPlainText(text);
  text_->setReadOnly(true);
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text_->setFrameShape(QFrame::NoFrame);
  text_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  text_->viewport()->setBackgroundRole(QPalette::Window);
  text_->setFocusPolicy(Qt::NoFocus);

  auto* buttons = new QDialogButtonBox(this);
  if (kind == Kind::kQuestion) {
    ok_ = buttons->addButton(QDialogButtonBox::Yes);
    no_ = buttons->addButton(QDialogButtonBox::No);
    no_->setDefault(true);
    no_->setFocus();
  } else {
    ok_ = buttons->addButton(QDialogButtonBox::Ok);
    ok_->setDefault(true);
    ok_->setFocus();
  }
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  if (no_ != nullptr) connect(no_, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, Qt::AlignTop);
  layout->addWidget(text_, 0, 1);
  layout->addWidget(buttons, 1, 0, 1, 2);

  // As wide as the longest line, within a share of the screen; as high as the
  // wrapped text, within another share, beyond which it scrolls.
  const QRect available = AvailableGeometry(parent);
  const int widest = std::min(kTextBoxMaxWidthPx,
                              static_cast<int>(available.width() * kTextBoxWidthShare) - iconPx);
  int longest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    longest = std::max(longest, text_->fontMetrics().horizontalAdvance(line));
  }
  const int margin = 2 * static_cast<int>(text_->document()->documentMargin()) + 2;
  const int width = std::clamp(longest + margin, std::min(kTextBoxMinWidthPx, widest), widest);
  // Measured apart: the edit lays its own document out only once it is shown.
  QTextDocument measure;
  measure.setDefaultFont(text_->font());
  measure.setDocumentMargin(text_->document()->documentMargin());
  QTextOption wrap;
  wrap.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  measure.setDefaultTextOption(wrap);
  measure.setPlainText(text);
  measure.setTextWidth(width);
  const int tallest = static_cast<int>(available.height() * kTextBoxHeightShare);
  const int height = static_cast<int>(measure.size().height()) + 2;
  const int scrollBar = height > tallest ? style()->pixelMetric(QStyle::PM_ScrollBarExtent) : 0;
  text_->setFixedSize(width + scrollBar, std::min(height, tallest));
}

QString TextBox::Text() const {
  return text_->toPlainText();
}

void FitOnScreen(QWidget& box, const QWidget* near) {
  const QRect available = AvailableGeometry(near != nullptr ? near : &box);
  // Before it is shown a box has no frame yet: room for a title bar and borders.
  const QSize frame =
      (box.frameGeometry().size() - box.geometry().size()).expandedTo(kFrameAllowance);
  const QSize room = available.size() - frame;
  box.resize(box.sizeHint().boundedTo(room).expandedTo(box.minimumSizeHint()).boundedTo(room));
  QPoint at = near != nullptr && near->isVisible()
                  ? near->frameGeometry().center() - QPoint(box.width() / 2, box.height() / 2)
                  : available.center() - QPoint(box.width() / 2, box.height() / 2);
  at.setX(std::clamp(at.x(), available.left(),
                     std::max(available.left(), available.right() - box.width() - frame.width())));
  at.setY(
      std::clamp(at.y(), available.top(),
                 std::max(available.top(), available.bottom() - box.height() - frame.height())));
  box.move(at);
}

InputDialog::InputDialog(const std::string& title, const std::string& current,
                         const values::ChoiceMap* choices, QWidget* parent, TextCheck check,
                         const std::string& meaning)
    : QDialog(parent, kSmallDialogFlags), check_(std::move(check)) {
  setWindowTitle(ToQt(title));
  setObjectName(choices != nullptr ? QStringLiteral("listInput") : QStringLiteral("stringInput"));
  auto* layout = new QGridLayout(this);
  auto* caption = new QLabel(choices != nullptr ? tr("List Input") : tr("String Input"), this);
  caption->setStyleSheet(QStringLiteral("font-weight: bold"));
  current_ = new QLineEdit(ToQt(current), this);
  current_->setReadOnly(true);
  current_->setObjectName(QStringLiteral("currentValue"));
  current_->setMinimumWidth(std::min(260, ScreenShare(parent, 0.5)));
  current_->setToolTip(tr("The value now"));
  auto* currentLabel = new QLabel(tr("C&urrent:"), this);
  currentLabel->setBuddy(current_);
  QWidget* editor = nullptr;
  if (choices != nullptr) {
    combo_ = new QComboBox(this);
    combo_->setEditable(true);
    for (const auto& [key, text] : *choices) combo_->addItem(ToQt(text));
    combo_->setEditText(ToQt(current));
    editor = combo_;
  } else {
    edit_ = new QLineEdit(ToQt(current), this);
    edit_->selectAll();
    editor = edit_;
  }
  editor->setObjectName(QStringLiteral("newValue"));
  editor->setToolTip(tr("The new value"));
  auto* newLabel = new QLabel(tr("Ne&w:"), this);
  newLabel->setBuddy(editor);
  problem_ = new QLabel(this);
  problem_->setObjectName(QStringLiteral("problem"));
  problem_->setWordWrap(true);
  problem_->setStyleSheet(QStringLiteral("QLabel { color: #d0342c; font-weight: bold; }"));
  problem_->setVisible(false);
  auto* cancel = new QPushButton(tr("&Cancel"), this);
  ok_ = new QPushButton(tr("&OK"), this);
  abandon_ = new QPushButton(tr("&Abandon Changes"), this);
  abandon_->setToolTip(tr("Drop a value that is set but not applied yet"));
  ok_->setDefault(true);
  layout->addWidget(caption, 0, 0, 1, 3);
  if (!meaning.empty()) {
    meaning_ = new QLabel(ToQt(meaning), this);
    meaning_->setObjectName(QStringLiteral("meaning"));
    meaning_->setWordWrap(true);
    layout->addWidget(meaning_, 1, 0, 1, 3);
  }
  layout->addWidget(currentLabel, 2, 0);
  layout->addWidget(current_, 2, 1, 1, 2);
  layout->addWidget(newLabel, 3, 0);
  layout->addWidget(editor, 3, 1, 1, 2);
  layout->addWidget(problem_, 4, 0, 1, 3);
  layout->addWidget(cancel, 5, 1);
  layout->addWidget(ok_, 5, 2);
  layout->addWidget(abandon_, 6, 1, 1, 2);
  connect(ok_, &QPushButton::clicked, this, [this] {
    if (!Problem().isEmpty()) return;
    accepted_ = true;
    result_ = FromQt(combo_ != nullptr ? combo_->currentText() : edit_->text());
    accept();
  });
  if (combo_ != nullptr) {
    // The combo box keeps Return for itself; the operator expects it to mean OK.
    combo_->setInsertPolicy(QComboBox::NoInsert);
    connect(combo_->lineEdit(), &QLineEdit::returnPressed, ok_, &QPushButton::click);
    connect(combo_, &QComboBox::editTextChanged, this, &InputDialog::Check);
  } else {
    connect(edit_, &QLineEdit::textChanged, this, &InputDialog::Check);
  }
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(abandon_, &QPushButton::clicked, this, [this] {
    abandoned_ = true;
    reject();
  });
  Check();
  editor->setFocus();
}

void InputDialog::Check() {
  const std::string text = FromQt(combo_ != nullptr ? combo_->currentText() : edit_->text());
  const std::string problem = check_ ? check_(text) : std::string();
  problem_->setText(ToQt(problem));
  problem_->setVisible(!problem.empty());
  ok_->setEnabled(problem.empty());
  ok_->setToolTip(problem.empty() ? QString() : ToQt(problem));
}

QString InputDialog::Problem() const {
  return problem_->text();
}

QString InputDialog::Meaning() const {
  return meaning_ != nullptr ? meaning_->text() : QString();
}

QLineEdit* InputDialog::ValueEdit() const {
  return combo_ != nullptr ? combo_->lineEdit() : edit_;
}

std::vector<std::string> SkipTestLines() {
  // Every test of the catalogue, ND tests included, in index order.
  std::vector<std::string> lines;
  for (const auto& [index, entry] : compliance::Catalogue().Entries()) {
    std::string line = entry.code;
    if (line.size() < kSkipCodeChars) line.append(kSkipCodeChars - line.size(), ' ');
    lines.push_back(line + ": " + entry.title);
  }
  return lines;
}

std::string SkipTestCode(const std::string& line) {
  std::string code = line.substr(0, kSkipCodeChars);
  while (!code.empty() && code.back() == ' ') code.pop_back();
  return code;
}

SkipTestDialog::SkipTestDialog(QWidget* parent, std::function<bool(const std::string&)> skippable)
    : QDialog(parent, kSmallDialogFlags), skippable_(std::move(skippable)) {
  setWindowTitle(tr("Skip Test"));
  setObjectName(QStringLiteral("skipTest"));
  auto* layout = new QGridLayout(this);
  tests_ = new QListWidget(this);
  tests_->setFont(MonospaceFont(9));
  for (const std::string& line : SkipTestLines()) tests_->addItem(ToQt(line));
  tests_->setMinimumSize(std::min(520, ScreenShare(parent, 0.8)), 160);
  reasons_ = new QListWidget(this);
  reasons_->addItem(QString::fromLatin1(kReasonNotDesigned));
  reasons_->addItem(QString::fromLatin1(kReasonNotRequired));
  reasons_->setMaximumHeight(52);
  auto* reminder = new QLabel(tr("Remember to SAVE the Log generated by this routine."), this);
  hint_ = new QLabel(this);
  hint_->setObjectName(QStringLiteral("hint"));
  hint_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  ok_ = buttons->button(QDialogButtonBox::Ok);
  auto* testLabel = new QLabel(tr("&Test"), this);
  testLabel->setBuddy(tests_);
  auto* reasonLabel = new QLabel(tr("&Reason"), this);
  reasonLabel->setBuddy(reasons_);
  layout->addWidget(testLabel, 0, 0, Qt::AlignTop);
  layout->addWidget(tests_, 0, 1);
  layout->addWidget(reasonLabel, 1, 0, Qt::AlignTop);
  layout->addWidget(reasons_, 1, 1);
  layout->addWidget(hint_, 2, 0, 1, 2);
  layout->addWidget(reminder, 3, 0, 1, 2);
  layout->addWidget(buttons, 4, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (!ok_->isEnabled()) return;
    const QListWidgetItem* test = tests_->currentItem();
    code_ = test != nullptr && test->isSelected() ? SkipTestCode(FromQt(test->text())) : "Err";
    const QListWidgetItem* reason = reasons_->currentItem();
    reason_ = reason != nullptr && reason->isSelected() ? FromQt(reason->text()) : "";
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(tests_, &QListWidget::itemSelectionChanged, this, &SkipTestDialog::Check);
  Check();
}

void SkipTestDialog::Check() {
  if (!skippable_) {
    hint_->setVisible(false);
    return;
  }
  const QListWidgetItem* test = tests_->currentItem();
  QString hint;
  if (test == nullptr || !test->isSelected()) {
    hint = tr("Choose the test to log as skipped.");
  } else if (const std::string code = SkipTestCode(FromQt(test->text())); !skippable_(code)) {
    hint = tr("%1 is not a compliance test and cannot be logged as skipped.").arg(ToQt(code));
  }
  hint_->setText(hint);
  hint_->setVisible(!hint.isEmpty());
  ok_->setEnabled(hint.isEmpty());
}

QString SkipTestDialog::Hint() const {
  return hint_->isHidden() ? QString() : hint_->text();
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent, kSmallDialogFlags) {
  setWindowTitle(tr("About Valmora"));
  setObjectName(QStringLiteral("about"));
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel(this);
  icon->setPixmap(ApplicationIcon().pixmap(64, 64));
  auto* right = new QVBoxLayout;
  const QStringList lines{
      tr("Valmora, Version 1.0"),
      tr("The Valmora Tester for RV-C address claiming, for Linux."),
      tr("Built %1").arg(QString::fromStdString(reports::ProgramCompileDate())),
      tr("Qt %1 (built with Qt %2)")
          .arg(QString::fromLatin1(qVersion()), QStringLiteral(QT_VERSION_STR)),
      QString::fromLatin1(kProgramLicence),
      tr("Qt is used under the GNU Lesser General Public License, version 3."),
  };
  text_ = new QLabel(lines.join(QLatin1Char('\n')), this);
  text_->setObjectName(QStringLiteral("aboutText"));
  text_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  right->addWidget(text_);
  auto* ok = new QPushButton(tr("&OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  right->addWidget(ok, 0, Qt::AlignRight);
  layout->addWidget(icon, 0, Qt::AlignTop);
  layout->addLayout(right);
}

QString AboutDialog::Text() const {
  return text_->text();
}

}  // namespace vlt::gui
