#include "gui/timeline_tabs.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>

#include "platform/registry_file.h"
#include "results/timeline.h"
#include "results/timeline_svg.h"

namespace vlt::gui {

TimelineTabs::TimelineTabs(WindowLogPane& pane, QWidget* parent) : QTabWidget(parent), pane_(pane) {
  setObjectName(QStringLiteral("logTabs"));
  setDocumentMode(true);
  scroll_ = new QScrollArea(this);
  scroll_->setBackgroundRole(QPalette::Base);
  scroll_->setWidgetResizable(false);
  view_ = new TimelineView(scroll_);
  scroll_->setWidget(view_);
  addTab(pane.Widget(), tr("Log"));
  addTab(scroll_, tr("Timeline"));
  connect(view_, &TimelineView::FrameClicked, this, &TimelineTabs::SelectFrameLine);
}

bool TimelineTabs::OnTimer() {
  // Between redraws the feed keeps collecting what the tick thread hands it.
  if (++ticks_ < kTicksPerRedraw) return false;
  ticks_ = 0;
  return Refresh();
}

bool TimelineTabs::Refresh() {
  if (!feed_.Update(trace_) || trace_.identity.code.empty()) return false;
  QScrollBar* bar = scroll_->horizontalScrollBar();
  // Following the run's end stays following it; a place the operator scrolled to stays.
  const bool atEnd = bar->value() >= bar->maximum();
  view_->Show(&trace_, results::LayoutTimeline(results::BuildTimeline(trace_)));
  if (atEnd && !trace_.finished) bar->setValue(bar->maximum());
  return true;
}

bool TimelineTabs::Export(const std::string& path, std::string* error) const {
  if (!HasRun()) {
    if (error != nullptr) *error = "no test has run yet";
    return false;
  }
  return platform::WriteFileAtomically(path, results::WriteTimelineSvg(view_->Scene(), trace_),
                                       error);
}

bool TimelineTabs::SelectFrameLine(std::uint32_t frame) {
  QPlainTextEdit* edit = pane_.Widget();
  const auto line = results::FrameLineInPane(pane_.Text(), trace_, frame);
  if (!line) return false;
  const QTextBlock block = edit->document()->findBlockByNumber(static_cast<int>(*line));
  if (!block.isValid()) return false;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  setCurrentIndex(kLogTab);
  edit->setTextCursor(cursor);
  edit->ensureCursorVisible();
  return true;
}

}  // namespace vlt::gui
