#include "gui/operator_dialogs.h"

#include <QFileDialog>
#include <algorithm>

#include "compliance/test_table.h"
#include "gui/child_datum_dialog.h"
#include "gui/dialog_gate.h"
#include "gui/dialogs.h"
#include "gui/qt_text.h"

namespace vlt::gui {

namespace {
QString FilterOf(const FileRequest& request) {
  return QString::fromStdString(request.filter) + QStringLiteral(";;All Files (*)");
}

bool Skippable(const std::string& code) {
  const compliance::TestRow* row = compliance::FindTest(code);
  return row != nullptr && row->skippable && row->make != nullptr;
}
}  // namespace

std::optional<std::string> QtOperatorDialogs::OpenFile(const FileRequest& request) {
  QFileDialog dialog(parent_, QString(), PathToQt(request.initialPath), FilterOf(request));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.suffix));
  FitOnScreen(dialog, parent_);
  if (gate_.Run(dialog, DialogGate::Kind::kTask) != QDialog::Accepted ||
      dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return PathFromQt(dialog.selectedFiles().front());
}

std::optional<std::string> QtOperatorDialogs::SaveFile(const FileRequest& request) {
  QFileDialog dialog(parent_, QString(), PathToQt(request.initialPath), FilterOf(request));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.suffix));
  FitOnScreen(dialog, parent_);
  if (gate_.Run(dialog, DialogGate::Kind::kTask) != QDialog::Accepted ||
      dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return PathFromQt(dialog.selectedFiles().front());
}

std::optional<std::string> QtOperatorDialogs::ChooseFolder(const std::string& initialFolder) {
  QFileDialog dialog(parent_, QString(), PathToQt(initialFolder));
  dialog.setFileMode(QFileDialog::Directory);
  dialog.setOption(QFileDialog::ShowDirsOnly);
  FitOnScreen(dialog, parent_);
  if (gate_.Run(dialog, DialogGate::Kind::kTask) != QDialog::Accepted ||
      dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return PathFromQt(dialog.selectedFiles().front());
}

bool QtOperatorDialogs::AskYesNo(const std::string& title, const std::string& text) {
  TextBox box(TextBox::Kind::kQuestion, ToQt(title), ToQt(text), parent_);
  return gate_.Run(box, DialogGate::Kind::kTask) == QDialog::Accepted;
}

SaveAnswer QtOperatorDialogs::AskToSave(const SaveQuestion& question) {
  DecisionButtons buttons;
  buttons.yes = ToQt(question.saveLabel);
  buttons.no = ToQt(question.discardLabel);
  buttons.cancel = true;
  buttons.focus = DecisionButtons::Focus::kCancel;
  DecisionBox box(question.statement, question.question, parent_, buttons);
  PlaceAwayFromLog(box, parent_);
  switch (gate_.Run(box, DialogGate::Kind::kTask)) {
    case DecisionBox::kYes:
      return SaveAnswer::kSave;
    case DecisionBox::kNo:
      return SaveAnswer::kDiscard;
    default:
      return SaveAnswer::kCancel;
  }
}

void QtOperatorDialogs::ShowNotice(const std::string& caption, const std::string& text,
                                   std::function<bool()> stillTrue) {
  TextBox box(TextBox::Kind::kInformation, ToQt(caption), ToQt(text), parent_);
  gate_.Run(box, DialogGate::Kind::kNotice, std::move(stillTrue));
}

InputAnswer QtOperatorDialogs::EditValue(const InputRequest& request) {
  InputDialog dialog(request.title, request.current, request.choices ? &*request.choices : nullptr,
                     parent_, request.check, request.meaning);
  gate_.Run(dialog, DialogGate::Kind::kTask);
  return {dialog.Accepted(), dialog.Abandoned(), dialog.ResultText()};
}

std::optional<SkipChoice> QtOperatorDialogs::ChooseSkippedTest() {
  SkipTestDialog dialog(parent_, Skippable);
  if (gate_.Run(dialog, DialogGate::Kind::kTask) != QDialog::Accepted) return std::nullopt;
  return SkipChoice{dialog.TestCode(), dialog.Reason()};
}

void QtOperatorDialogs::OpenChildren(data::Datum& item, DatumListHost& host) {
  // A window to look at values in, kept open for long: a test's question may
  // come up over it rather than wait unseen behind it.
  ChildDatumDialog dialog(item, host, parent_);
  dialog.exec();
}

void QtOperatorDialogs::ShowAbout() {
  AboutDialog dialog(parent_);
  gate_.Run(dialog, DialogGate::Kind::kNotice);
}

}  // namespace vlt::gui
