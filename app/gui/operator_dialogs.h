// What the window asks of the operator besides yes/no decisions: file and folder
// choices, value input, the skipped test, child windows. The window talks to this
// seam only, so that tests answer in place of a person.
#pragma once

#include <optional>
#include <string>

#include "values/value_maker.h"

class QWidget;

namespace vlt::data {
class Datum;
}

namespace vlt::gui {

class DatumListHost;

struct FileRequest {
  std::string suffix;       // the default extension, without the dot
  std::string filter;       // Qt's form, e.g. "ZCF Files (*.zcf)"
  std::string initialPath;  // may be empty
};

struct InputRequest {
  std::string title;
  std::string current;
  std::optional<values::ChoiceMap> choices;  // set: the list input
};

struct InputAnswer {
  bool accepted = false;
  bool abandoned = false;
  std::string text;
};

struct SkipChoice {
  std::string code;  // "Err" when no test was chosen
  std::string reason;
};

class OperatorDialogs {
 public:
  virtual ~OperatorDialogs() = default;
  // Paths are file system bytes; nothing when the operator cancels.
  virtual std::optional<std::string> OpenFile(const FileRequest& request) = 0;
  virtual std::optional<std::string> SaveFile(const FileRequest& request) = 0;
  virtual std::optional<std::string> ChooseFolder(const std::string& initialFolder) = 0;
  virtual bool AskYesNo(const std::string& title, const std::string& text) = 0;
  virtual InputAnswer EditValue(const InputRequest& request) = 0;
  // Nothing when cancelled.
  virtual std::optional<SkipChoice> ChooseSkippedTest() = 0;
  // Shows the item's children in a child window and returns when it closes.
  virtual void OpenChildren(data::Datum& item, DatumListHost& host) = 0;
  virtual void ShowAbout() = 0;
};

// Real dialogs over a parent window.
class QtOperatorDialogs final : public OperatorDialogs {
 public:
  explicit QtOperatorDialogs(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  std::optional<std::string> OpenFile(const FileRequest& request) override;
  std::optional<std::string> SaveFile(const FileRequest& request) override;
  std::optional<std::string> ChooseFolder(const std::string& initialFolder) override;
  bool AskYesNo(const std::string& title, const std::string& text) override;
  InputAnswer EditValue(const InputRequest& request) override;
  std::optional<SkipChoice> ChooseSkippedTest() override;
  void OpenChildren(data::Datum& item, DatumListHost& host) override;
  void ShowAbout() override;

 private:
  QWidget* parent_;
};

}  // namespace vlt::gui
