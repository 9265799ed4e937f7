// A list view of data items over the core's list model: five columns (children
// marker, "Item", "Value", unconfirmed marker, settable marker). A click on the
// first column opens the item's children, a click on the markers at the right or
// a double click edits a settable value through the input dialogs. From the
// keyboard, Enter, F2 and Space edit the current row, Right opens a heading and
// Left goes back out of a child window.
#pragma once

#include <QTableWidget>
#include <cstddef>
#include <functional>

#include "data/datum_list.h"
#include "framework/log_output.h"
#include "gui/operator_dialogs.h"

namespace vlt::gui {

// What every list view and child window of the program shares.
struct DatumListHost {
  OperatorDialogs& dialogs;
  framework::LogOutput& log;
  data::DataContext& data;
  // Whether Space edits: not while a test waits for the space bar. None: always.
  std::function<bool()> spaceEdits{};
};

class DatumListView final : public QTableWidget {
  Q_OBJECT

 public:
  enum Column { kChildrenColumn, kItemColumn, kValueColumn, kUnconfirmedColumn, kSettableColumn };
  static constexpr int kMarkerColumnWidth = 26;
  static constexpr double kItemFraction = 0.6;
  static constexpr double kValueFraction = 0.4;
  static constexpr int kMostRowsWanted = 16;

  DatumListView(data::DatumBoxMultiColumn& model, DatumListHost& host, QWidget* parent);

  // Adds a row to the model and the view.
  void AddRow(data::Datum* item);
  // Shows rows the model holds but the view does not yet.
  void SyncRows();
  // The markers follow the items' state; the timer calls this after each update.
  void RefreshMarkers();
  // The child window's timer: rewrites the rows whose value changed.
  void RefreshRows();

  // The operator's gestures, also reached by tests.
  void ClickCell(int row, int column);
  void DoubleClickRow(int row);
  void EditRow(int row);
  // Opens the row's children, if it has any; true when it did.
  bool OpenChildren(int row);

  data::DatumBoxMultiColumn& Model() { return model_; }
  // The height that shows this many rows without scrolling.
  int HeightForRows(int rows) const;
  // Every row in sight, up to a screenful.
  QSize sizeHint() const override;
  QString ValueAt(int row) const;
  QString TitleAt(int row) const;

 Q_SIGNALS:
  // Left: the operator wants back out of the list (a child window closes).
  void LeaveRequested();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void WriteRow(std::size_t index);
  void FitColumns();

  data::DatumBoxMultiColumn& model_;
  DatumListHost& host_;
};

}  // namespace vlt::gui
