#include "gui/dialog_gate.h"

#include <QDialog>
#include <QTimer>
#include <algorithm>

namespace vlt::gui {

int DialogGate::Run(QDialog& dialog, Kind kind, std::function<bool()> stillTrue) {
  open_.push_back({&dialog, kind});
  QTimer watch;
  if (stillTrue) {
    if (!stillTrue()) {
      open_.pop_back();
      return QDialog::Rejected;
    }
    connect(&watch, &QTimer::timeout, &dialog, [&dialog, stillTrue] {
      if (!stillTrue()) dialog.reject();
    });
    watch.start(kStatePollMillis);
  }
  const int result = dialog.exec();
  std::erase_if(open_, [&dialog](const Open& entry) {
    return entry.dialog.isNull() || entry.dialog.data() == &dialog;
  });
  return result;
}

bool DialogGate::TaskOpen() const {
  return std::any_of(open_.begin(), open_.end(), [](const Open& entry) {
    return entry.kind == Kind::kTask && !entry.dialog.isNull() && entry.dialog->isVisible();
  });
}

bool DialogGate::AnyOpen() const {
  return std::any_of(open_.begin(), open_.end(), [](const Open& entry) {
    return !entry.dialog.isNull() && entry.dialog->isVisible();
  });
}

void DialogGate::CloseNotices() {
  for (const Open& entry : open_) {
    if (entry.kind == Kind::kNotice && !entry.dialog.isNull()) entry.dialog->reject();
  }
}

}  // namespace vlt::gui
