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
  // No taller than the log beside it needs: on a small screen the room goes to the prompt.
  scroll_->setMinimumHeight(pane.Widget()->minimumHeight());
  addTab(pane.Widget(), tr("Log"));
  addTab(scroll_, tr("Timeline"));
  connect(view_, &TimelineView::FrameClicked, this, &TimelineTabs::SelectFrameLine);
  connect(this, &QTabWidget::currentChanged, this, [this](int index) {
    if (index == kTimelineTab) Refresh();
  });
}

bool TimelineTabs::OnTimer() {
  // Taken every tick, so the status area's countdown is current; drawn less often.
  Take();
  if (++ticks_ < kTicksPerRedraw) return false;
  ticks_ = 0;
  return currentIndex() == kTimelineTab && LayOut();
}

void TimelineTabs::SetLogFile(const std::string& name) {
  if (name == trace_.logFile) return;
  trace_.logFile = name;
  stale_ = true;
  if (currentIndex() == kTimelineTab) LayOut();
}

bool TimelineTabs::Refresh() {
  Take();
  // Hidden, the picture waits for the tab to show it.
  return currentIndex() == kTimelineTab && LayOut();
}

void TimelineTabs::Take() {
  if (feed_.Update(trace_)) stale_ = true;
  // A running picture also grows with the run's clock.
  if (!trace_.finished && trace_.nowMs != shownNowMs_) stale_ = true;
}

bool TimelineTabs::LayOut() {
  if (!stale_ || !HasRun()) return false;
  stale_ = false;
  shownNowMs_ = trace_.nowMs;
  QScrollBar* bar = scroll_->horizontalScrollBar();
  // Following the run's end stays following it; a place the operator scrolled to
  // stays. Once it ended, the run is read from its start.
  const bool atEnd = bar->value() >= bar->maximum();
  const bool justEnded = trace_.finished && shownEndedRun_ != trace_.startMs;
  if (trace_.finished) shownEndedRun_ = trace_.startMs;
  view_->Show(&trace_, results::LayoutTimeline(results::BuildTimeline(trace_)));
  if (justEnded) {
    bar->setValue(bar->minimum());
    scroll_->verticalScrollBar()->setValue(0);
  } else if (atEnd && !trace_.finished) {
    bar->setValue(bar->maximum());
  }
  return true;
}

bool TimelineTabs::Export(const std::string& path, std::string* error) {
  if (!HasRun()) {
    if (error != nullptr) *error = "no test has run yet";
    return false;
  }
  Take();
  LayOut();
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
