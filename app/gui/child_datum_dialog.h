// "Child Data": the children of one item in a list of their own, refreshed every
// half second. Their pending values are applied by the main list, whose change
// collection reaches into children.
#pragma once

#include <QDialog>
#include <QTimer>
#include <memory>

#include "data/datum_list.h"
#include "gui/datum_list_view.h"

namespace vlt::gui {

class ChildDatumDialog final : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kRefreshMillis = 500;

  ChildDatumDialog(data::Datum& item, DatumListHost& host, QWidget* parent);

  DatumListView* View() const { return view_; }
  // One tick of the refresh timer.
  void Refresh() { view_->RefreshRows(); }

 private:
  data::DatumBoxMultiColumn model_;
  DatumListView* view_;
  QTimer timer_;
};

}  // namespace vlt::gui
