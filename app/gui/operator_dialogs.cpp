#include "gui/operator_dialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "gui/child_datum_dialog.h"
#include "gui/dialogs.h"
#include "gui/qt_text.h"

namespace vlt::gui {

namespace {
QString FilterOf(const FileRequest& request) {
  return QString::fromStdString(request.filter) + QStringLiteral(";;All Files (*)");
}

std::optional<std::string> Chosen(const QString& path) {
  if (path.isEmpty()) return std::nullopt;
  return PathFromQt(path);
}
}  // namespace

std::optional<std::string> QtOperatorDialogs::OpenFile(const FileRequest& request) {
  QFileDialog dialog(parent_, QString(), PathToQt(request.initialPath), FilterOf(request));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.suffix));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().front());
}

std::optional<std::string> QtOperatorDialogs::SaveFile(const FileRequest& request) {
  QFileDialog dialog(parent_, QString(), PathToQt(request.initialPath), FilterOf(request));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(QString::fromStdString(request.suffix));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return Chosen(dialog.selectedFiles().front());
}

std::optional<std::string> QtOperatorDialogs::ChooseFolder(const std::string& initialFolder) {
  return Chosen(QFileDialog::getExistingDirectory(parent_, QString(), PathToQt(initialFolder)));
}

bool QtOperatorDialogs::AskYesNo(const std::string& title, const std::string& text) {
  return QMessageBox::question(parent_, ToQt(title), ToQt(text), QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

InputAnswer QtOperatorDialogs::EditValue(const InputRequest& request) {
  InputDialog dialog(request.title, request.current, request.choices ? &*request.choices : nullptr,
                     parent_);
  dialog.exec();
  return {dialog.Accepted(), dialog.Abandoned(), dialog.ResultText()};
}

std::optional<SkipChoice> QtOperatorDialogs::ChooseSkippedTest() {
  SkipTestDialog dialog(parent_);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return SkipChoice{dialog.TestCode(), dialog.Reason()};
}

void QtOperatorDialogs::OpenChildren(data::Datum& item, DatumListHost& host) {
  ChildDatumDialog dialog(item, host, parent_);
  dialog.exec();
}

void QtOperatorDialogs::ShowAbout() {
  AboutDialog dialog(parent_);
  dialog.exec();
}

}  // namespace vlt::gui
