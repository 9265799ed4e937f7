// TimelineScene: a timeline laid out as plain drawing primitives in pixels, so
// that the SVG file and the desktop program's widget draw the same picture and
// a click finds the same mark. Text is measured as a monospace font of 0.6 em.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "results/timeline.h"

namespace vlt::results {

// Labels beyond this many are left out (a label needs room in its lane too);
// every frame keeps its mark.
inline constexpr int kMaxMarkLabels = 400;

struct Colour {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Colour&) const = default;
};

enum class Shape : std::uint8_t {
  kCircle,    // ADDRESS_CLAIMED
  kDiamond,   // cannot claim
  kTriangle,  // request
  kSquare,    // other DGNs
  kFlag,      // a criterion's pin: a box `size` px either side, 13 px high
  kStep,      // an operator's step on the axis: a triangle pointing up
};

enum class Anchor : std::uint8_t { kStart, kMiddle, kEnd };

struct SceneRect {
  float x = 0, y = 0, w = 0, h = 0;
  Colour fill;
  float opacity = 1.0F;
};

struct SceneLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  Colour colour;
  float width = 1.0F;
  bool dashed = false;
};

struct SceneText {
  float x = 0, y = 0;  // y: the baseline
  std::string text;    // Windows-1252
  Colour colour;
  float size = 11.0F;
  Anchor anchor = Anchor::kStart;
  bool bold = false;
};

struct SceneMark {
  float x = 0, y = 0;
  float size = 5.0F;  // half its width
  Shape shape = Shape::kCircle;
  Colour colour;
  std::int32_t frame = -1;  // the trace's frame it stands for
  std::int32_t tip = -1;    // its tooltip in the scene's tips, when it is no frame
};

struct TimelineScene {
  float width = 0;
  float height = 0;
  // Drawn in this order: rects, lines, marks, texts.
  std::vector<SceneRect> rects;
  std::vector<SceneLine> lines;
  std::vector<SceneMark> marks;
  std::vector<SceneText> texts;
  std::vector<std::string> tips;  // Windows-1252
  int labelledMarks = 0;
};

TimelineScene LayoutTimeline(const Timeline& timeline);

// The corners of a mark drawn as a polygon (diamond, triangle, step); none for the other shapes.
std::vector<std::pair<float, float>> MarkPoints(const SceneMark& mark);

// What a mark tells when pointed at: its own tip, else its frame's line; empty for none.
std::string MarkTip(const TimelineScene& scene, const RunTrace& trace, const SceneMark& mark);

// Of the marks within `reach` px of (x, y), the one whose middle is nearest; -1 for none.
int MarkAt(const TimelineScene& scene, float x, float y, float reach = 3.0F);

}  // namespace vlt::results
