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
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "gui/window_fonts.h"
#include "gui/window_icon.h"
#include "reports/test_catalogue.h"

namespace vlt::gui {

namespace {
constexpr std::size_t kSkipCodeChars = 8;
}

DecisionBox::DecisionBox(const std::string& statement, const std::string& question, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("decisionBox"));
  setModal(true);
  setStyleSheet(QStringLiteral("QDialog#decisionBox { border: 2px solid #505050; }"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(14, 14, 14, 14);
  layout->setSpacing(10);

  auto* statementBox = new QLabel(ToQt(statement), this);
  statementBox->setObjectName(QStringLiteral("statement"));
  statementBox->setFont(MonospaceFont(14));
  statementBox->setAlignment(Qt::AlignCenter);
  statementBox->setWordWrap(true);
  statementBox->setMinimumSize(640, 90);
  statementBox->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* questionBox = new QLabel(ToQt(question), this);
  questionBox->setObjectName(QStringLiteral("question"));
  questionBox->setFont(MonospaceFont(10));
  questionBox->setAlignment(Qt::AlignCenter);

  yes_ = new QPushButton(tr("Yes"), this);
  no_ = new QPushButton(tr("No"), this);
  for (QPushButton* b : {yes_, no_}) {
    b->setMinimumHeight(34);
    b->setAutoDefault(false);
  }
  yes_->setDefault(true);
  connect(yes_, &QPushButton::clicked, this, [this] { done(kYes); });
  connect(no_, &QPushButton::clicked, this, [this] { done(kNo); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(yes_, 1);
  buttons->addSpacing(60);
  buttons->addWidget(no_, 1);

  layout->addWidget(statementBox);
  layout->addWidget(questionBox);
  layout->addLayout(buttons);
  yes_->setFocus();
}

InputDialog::InputDialog(const std::string& title, const std::string& current,
                         const values::ChoiceMap* choices, QWidget* parent)
    : QDialog(parent) {
  setWindowTitle(ToQt(title));
  setObjectName(choices != nullptr ? QStringLiteral("listInput") : QStringLiteral("stringInput"));
  auto* layout = new QGridLayout(this);
  auto* caption = new QLabel(choices != nullptr ? tr("List Input") : tr("String Input"), this);
  caption->setStyleSheet(QStringLiteral("font-weight: bold"));
  current_ = new QLineEdit(ToQt(current), this);
  current_->setReadOnly(true);
  current_->setObjectName(QStringLiteral("currentValue"));
  current_->setMinimumWidth(260);
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
  auto* cancel = new QPushButton(tr("Cancel"), this);
  auto* ok = new QPushButton(tr("OK"), this);
  abandon_ = new QPushButton(tr("Abandon Changes"), this);
  ok->setDefault(true);
  layout->addWidget(caption, 0, 0, 1, 2);
  layout->addWidget(current_, 1, 0, 1, 2);
  layout->addWidget(editor, 2, 0, 1, 2);
  layout->addWidget(cancel, 3, 0);
  layout->addWidget(ok, 3, 1);
  layout->addWidget(abandon_, 4, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, [this] {
    accepted_ = true;
    result_ = FromQt(combo_ != nullptr ? combo_->currentText() : edit_->text());
    accept();
  });
  if (combo_ != nullptr) {
    // The combo box keeps Return for itself; the operator expects it to mean OK.
    combo_->setInsertPolicy(QComboBox::NoInsert);
    connect(combo_->lineEdit(), &QLineEdit::returnPressed, ok, &QPushButton::click);
  }
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(abandon_, &QPushButton::clicked, this, [this] {
    abandoned_ = true;
    reject();
  });
  editor->setFocus();
}

QLineEdit* InputDialog::ValueEdit() const {
  return combo_ != nullptr ? combo_->lineEdit() : edit_;
}

std::vector<std::string> SkipTestLines() {
  const reports::TestCatalogue& catalogue = reports::TestCatalogue::Instance();
  std::vector<std::string> lines;
  for (std::uint16_t index = 0;; ++index) {
    const std::string code = catalogue.Code(index);
    if (code == reports::kNoEntryText) break;
    std::string line = code;
    if (line.size() < kSkipCodeChars) line.append(kSkipCodeChars - line.size(), ' ');
    lines.push_back(line + ": " + catalogue.Title(index));
  }
  return lines;
}

std::string SkipTestCode(const std::string& line) {
  std::string code = line.substr(0, kSkipCodeChars);
  while (!code.empty() && code.back() == ' ') code.pop_back();
  return code;
}

SkipTestDialog::SkipTestDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Skip Test"));
  setObjectName(QStringLiteral("skipTest"));
  auto* layout = new QGridLayout(this);
  tests_ = new QListWidget(this);
  tests_->setFont(MonospaceFont(9));
  for (const std::string& line : SkipTestLines()) tests_->addItem(ToQt(line));
  tests_->setMinimumSize(520, 230);
  reasons_ = new QListWidget(this);
  reasons_->addItem(QString::fromLatin1(kReasonNotDesigned));
  reasons_->addItem(QString::fromLatin1(kReasonNotRequired));
  reasons_->setMaximumHeight(52);
  auto* reminder = new QLabel(tr("Remember to SAVE the Log generated by this routine."), this);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addWidget(new QLabel(tr("Test"), this), 0, 0, Qt::AlignTop);
  layout->addWidget(tests_, 0, 1);
  layout->addWidget(new QLabel(tr("Reason"), this), 1, 0, Qt::AlignTop);
  layout->addWidget(reasons_, 1, 1);
  layout->addWidget(reminder, 2, 0, 1, 2);
  layout->addWidget(buttons, 3, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    const QListWidgetItem* test = tests_->currentItem();
    code_ = test != nullptr && test->isSelected() ? SkipTestCode(FromQt(test->text())) : "Err";
    const QListWidgetItem* reason = reasons_->currentItem();
    reason_ = reason != nullptr && reason->isSelected() ? FromQt(reason->text()) : "";
    accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("About Valmora"));
  auto* layout = new QHBoxLayout(this);
  auto* icon = new QLabel(this);
  icon->setPixmap(ApplicationIcon().pixmap(64, 64));
  auto* right = new QVBoxLayout;
  right->addWidget(new QLabel(tr("Valmora, Version 1.0"), this));
  auto* ok = new QPushButton(tr("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  right->addWidget(ok, 0, Qt::AlignRight);
  layout->addWidget(icon);
  layout->addLayout(right);
}

}  // namespace vlt::gui
