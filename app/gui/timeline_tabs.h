// The log pane and the current test's timeline as two tabs, "Log" and
// "Timeline". The timeline is live while the test runs: the tick thread hands
// copies of the running test to the feed (the window never reads the test
// itself), and the window's timer takes them and redraws. A click on a mark
// shows the log with the frame's line selected, once the report prints it;
// the picture can be saved as SVG.
#pragma once

#include <QScrollArea>
#include <QTabWidget>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/test_context.h"
#include "gui/timeline_view.h"
#include "gui/window_log_pane.h"
#include "results/run_trace.h"

namespace vlt::gui {

class TimelineTabs final : public QTabWidget {
  Q_OBJECT

 public:
  // Window timer ticks (50 ms) between redraws while a test runs.
  static constexpr int kTicksPerRedraw = 5;

  static constexpr int kLogTab = 0;
  static constexpr int kTimelineTab = 1;

  // Takes the pane's text box into the "Log" tab.
  TimelineTabs(WindowLogPane& pane, QWidget* parent);

  // What the test context hands every test: the tick thread's side.
  engine::RunObserver& Feed() { return feed_; }
  // One tick of the window's timer: takes what the running test fed and,
  // every few ticks, redraws when the "Timeline" tab shows. True when it redrew.
  bool OnTimer();
  // Takes what was fed at once, and redraws when the tab shows and anything
  // changed; true when it redrew.
  bool Refresh();

  bool HasRun() const { return !trace_.identity.code.empty(); }
  // The name of the file the run's log was saved as, for the picture's title (Windows-1252).
  void SetLogFile(const std::string& name);
  // The picture as an SVG file, laid out anew from all that was fed; false
  // with the reason when it was not written.
  bool Export(const std::string& path, std::string* error);
  // Shows the log with the line that prints the frame selected; false when no line does.
  bool SelectFrameLine(std::uint32_t frame);

  TimelineView* View() const { return view_; }
  const results::RunTrace& Trace() const { return trace_; }

 private:
  // Takes what was fed into the trace.
  void Take();
  // Lays the trace out into the view when it changed since it was last laid out.
  bool LayOut();

  results::TraceFeed feed_;
  results::RunTrace trace_;
  bool stale_ = false;            // the view shows less than the trace holds
  std::uint32_t shownNowMs_ = 0;  // the run's clock when it was laid out
  // The start of the ended run last shown from its start.
  std::optional<std::uint32_t> shownEndedRun_;
  WindowLogPane& pane_;
  QScrollArea* scroll_;
  TimelineView* view_;
  int ticks_ = 0;
};

}  // namespace vlt::gui
