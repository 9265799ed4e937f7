#include "gui/child_datum_dialog.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "gui/qt_text.h"
#include "gui/window_geometry.h"

namespace vlt::gui {

ChildDatumDialog::ChildDatumDialog(data::Datum& item, DatumListHost& host, QWidget* parent)
    : QDialog(parent), model_(host.data) {
  setObjectName(QStringLiteral("childData"));
  setWindowTitle(ToQt(item.ShortTitle()));
  for (data::Datum* child : item.ChildrenNow()) model_.AddRow(child);
  view_ = new DatumListView(model_, host, this);
  auto* done = new QPushButton(tr("&Done"), this);
  // Enter belongs to the list (it edits); Escape, Left or "Done" close the window.
  done->setAutoDefault(false);
  done->setDefault(false);
  connect(done, &QPushButton::clicked, this, &QDialog::accept);
  connect(view_, &DatumListView::LeaveRequested, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 6);
  layout->addWidget(view_);
  auto* row = new QHBoxLayout;
  row->setContentsMargins(12, 0, 12, 0);
  row->addWidget(done);
  layout->addLayout(row);
  const int rows = std::min(view_->rowCount(), 16);
  const QRect available = AvailableGeometry(parent);
  resize(std::min(720, available.width() * 9 / 10),
         std::min(view_->HeightForRows(rows) + 48, available.height() * 9 / 10));
  view_->setFocus();
  connect(&timer_, &QTimer::timeout, this, &ChildDatumDialog::Refresh);
  timer_.start(kRefreshMillis);
}

}  // namespace vlt::gui
