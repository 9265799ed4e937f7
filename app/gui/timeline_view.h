// The timeline of a run drawn with QPainter: the same laid-out scene the SVG
// file is written from, so the window and the file show one picture. A click on
// a frame's mark (or a criterion's pin) reports that frame; hovering shows the
// frame's text line.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

#include "results/run_trace.h"
#include "results/timeline_scene.h"

namespace vlt::gui {

class TimelineView final : public QWidget {
  Q_OBJECT

 public:
  explicit TimelineView(QWidget* parent = nullptr);

  // The trace must outlive the view or the next call; null shows no run.
  void Show(const results::RunTrace* trace, results::TimelineScene scene);
  const results::TimelineScene& Scene() const { return scene_; }
  bool HasRun() const { return trace_ != nullptr; }
  // The frame whose mark or pin lies at `point`; none there.
  std::optional<std::uint32_t> FrameAt(QPointF point) const;

  QSize sizeHint() const override;

 Q_SIGNALS:
  void FrameClicked(std::uint32_t frame);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  const results::RunTrace* trace_ = nullptr;
  results::TimelineScene scene_;
};

}  // namespace vlt::gui
