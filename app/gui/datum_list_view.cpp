#include "gui/datum_list_view.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QResizeEvent>
#include <QScrollBar>
#include <algorithm>

#include "gui/qt_text.h"
#include "gui/window_fonts.h"
#include "gui/window_icon.h"
#include "settings/default_settings.h"

namespace vlt::gui {

namespace {
void SetMarker(QTableWidget& table, int row, int column, bool shown, Marker marker,
               const QString& tip) {
  QTableWidgetItem* cell = table.item(row, column);
  if (cell == nullptr) {
    cell = new QTableWidgetItem;
    cell->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    table.setItem(row, column, cell);
  }
  const bool has = cell->data(Qt::UserRole).toBool();
  if (has == shown) return;
  cell->setData(Qt::UserRole, shown);
  cell->setIcon(shown ? QIcon(MarkerPixmap(marker)) : QIcon());
  cell->setToolTip(shown ? tip : QString());
}
}  // namespace

DatumListView::DatumListView(data::DatumBoxMultiColumn& model, DatumListHost& host, QWidget* parent)
    : QTableWidget(0, 5, parent), model_(model), host_(host) {
  setObjectName(QStringLiteral("datumList"));
  setFont(MonospaceFont(10));
  setHorizontalHeaderLabels({QString(), tr("Item"), tr("Value"), QString(), QString()});
  horizontalHeaderItem(kItemColumn)->setTextAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeaderItem(kValueColumn)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setHighlightSections(false);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setShowGrid(false);
  setAlternatingRowColors(true);
  setIconSize(QSize(16, 16));
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  model_.SetRowObserver([this](std::size_t index) { WriteRow(index); });
  connect(this, &QTableWidget::cellClicked, this, &DatumListView::ClickCell);
  connect(this, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int /*column*/) { DoubleClickRow(row); });
  SyncRows();
  FitColumns();
}

void DatumListView::AddRow(data::Datum* item) {
  model_.AddRow(item);
  SyncRows();
}

void DatumListView::SyncRows() {
  for (auto index = static_cast<std::size_t>(rowCount()); index < model_.RowCount(); ++index) {
    const int row = static_cast<int>(index);
    insertRow(row);
    auto* title = new QTableWidgetItem;
    title->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    auto* value = new QTableWidgetItem;
    value->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setItem(row, kItemColumn, title);
    setItem(row, kValueColumn, value);
    WriteRow(index);
  }
  RefreshMarkers();
}

void DatumListView::WriteRow(std::size_t index) {
  if (index >= static_cast<std::size_t>(rowCount())) return;
  data::Datum* datum = model_.Row(index).item;
  const int row = static_cast<int>(index);
  item(row, kItemColumn)->setText(ToQt(datum->ShortTitle()));
  item(row, kValueColumn)->setText(ToQt(datum->ValueText()));
}

void DatumListView::RefreshMarkers() {
  for (int row = 0; row < rowCount(); ++row) {
    data::Datum* datum = model_.Row(static_cast<std::size_t>(row)).item;
    SetMarker(*this, row, kChildrenColumn, datum->HasChildrenNow(), Marker::kChildren,
              tr("Click to show the items under this one"));
    SetMarker(*this, row, kUnconfirmedColumn, datum->IsUnconfirmed(), Marker::kUnconfirmed,
              tr("The new value is not applied yet"));
    SetMarker(*this, row, kSettableColumn, datum->IsSettable(), Marker::kSettable,
              tr("Click or double-click to change the value"));
  }
}

void DatumListView::RefreshRows() {
  for (std::size_t i = 0; i < model_.RowCount(); ++i) model_.RefreshRow(i);
  RefreshMarkers();
}

void DatumListView::ClickCell(int row, int column) {
  if (row < 0 || row >= rowCount()) return;
  selectRow(row);
  data::Datum* datum = model_.Row(static_cast<std::size_t>(row)).item;
  if (column == kChildrenColumn) {
    host_.log.AppendLogLine("");
    OpenChildren(row);
  } else if ((column == kUnconfirmedColumn || column == kSettableColumn) && datum->IsSettable()) {
    EditRow(row);
  }
}

bool DatumListView::OpenChildren(int row) {
  if (row < 0 || row >= rowCount()) return false;
  data::Datum* datum = model_.Row(static_cast<std::size_t>(row)).item;
  if (!datum->HasChildrenNow()) return false;
  host_.dialogs.OpenChildren(*datum, host_);
  WriteRow(static_cast<std::size_t>(row));
  RefreshMarkers();
  return true;
}

void DatumListView::DoubleClickRow(int row) {
  if (row < 0 || row >= rowCount()) return;
  if (model_.Row(static_cast<std::size_t>(row)).item->IsSettable()) EditRow(row);
}

void DatumListView::EditRow(int row) {
  const auto index = static_cast<std::size_t>(row);
  data::Datum* datum = model_.Row(index).item;
  const std::string title = datum->ShortTitle();
  // The reason is the item's own error line, shown where the operator types.
  auto check = [datum, title](const std::string& text) {
    return datum->CheckText(text) ? std::string()
                                  : "[" + text + "] is not a valid setting for " + title + ".";
  };
  InputRequest request{title, datum->ValueText(), std::nullopt, check,
                       std::string(settings::SettingMeaning(title))};
  values::ChoiceMap choices;
  if (datum->GetValueMaker().GetChoices(choices) && !choices.empty()) request.choices = choices;
  const InputAnswer answer = host_.dialogs.EditValue(request);
  if (answer.abandoned) {
    model_.EditRow(index, std::nullopt);
  } else if (answer.accepted) {
    model_.EditRow(index, answer.text);
  }
  RefreshMarkers();
}

int DatumListView::HeightForRows(int rows) const {
  return horizontalHeader()->sizeHint().height() + rows * verticalHeader()->defaultSectionSize() +
         2 * frameWidth() + 2;
}

QSize DatumListView::sizeHint() const {
  return {QTableWidget::sizeHint().width(), HeightForRows(std::min(rowCount(), kMostRowsWanted))};
}

QString DatumListView::ValueAt(int row) const {
  return item(row, kValueColumn)->text();
}

QString DatumListView::TitleAt(int row) const {
  return item(row, kItemColumn)->text();
}

void DatumListView::keyPressEvent(QKeyEvent* event) {
  const int row = currentRow();
  const bool hasRow = row >= 0 && row < rowCount();
  const bool settable = hasRow && model_.Row(static_cast<std::size_t>(row)).item->IsSettable();
  switch (event->key()) {
    case Qt::Key_Space:
      if (host_.spaceEdits && !host_.spaceEdits()) {
        event->accept();  // the test's key now, not the list's
        return;
      }
      [[fallthrough]];
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
      // Enter on a heading opens it, like Right; on a setting it edits.
      if (settable) {
        EditRow(row);
      } else if (hasRow) {
        OpenChildren(row);
      }
      event->accept();
      return;
    case Qt::Key_Right:
      if (hasRow) OpenChildren(row);
      event->accept();
      return;
    case Qt::Key_Left:
      Q_EMIT LeaveRequested();
      event->accept();
      return;
    default:
      QTableWidget::keyPressEvent(event);
  }
}

void DatumListView::focusInEvent(QFocusEvent* event) {
  QTableWidget::focusInEvent(event);
  // The keyboard needs a current row to act on.
  if (currentRow() < 0 && rowCount() > 0) setCurrentCell(0, kItemColumn);
}

void DatumListView::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  FitColumns();
}

void DatumListView::FitColumns() {
  const int markers = 3 * kMarkerColumnWidth;
  // The viewport's own width lags behind a resize; take it from the frame.
  int width = maximumViewportSize().width();
  if (verticalScrollBar()->isVisible()) width -= verticalScrollBar()->sizeHint().width();
  const int text = std::max(width - markers - 2, 120);
  setColumnWidth(kChildrenColumn, kMarkerColumnWidth);
  setColumnWidth(kItemColumn, static_cast<int>(text * kItemFraction));
  setColumnWidth(kValueColumn, text - static_cast<int>(text * kItemFraction));
  setColumnWidth(kUnconfirmedColumn, kMarkerColumnWidth);
  setColumnWidth(kSettableColumn, kMarkerColumnWidth);
}

}  // namespace vlt::gui
