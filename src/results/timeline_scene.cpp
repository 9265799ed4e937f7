#include "results/timeline_scene.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "dictionary/dgn_names.h"
#include "dictionary/frame_text.h"
#include "engine/failure.h"
#include "engine/report_layout.h"
#include "framework/host_protocol.h"
#include "results/run_result.h"

namespace vlt::results {
namespace {

constexpr float kMarginPx = 16;
constexpr float kLaneLabelPx = 150;
constexpr float kLanePx = 58;
constexpr float kLimitRowPx = 18;
constexpr float kStepRowPx = 15;
constexpr float kLegendRowPx = 17;
// A 250 ms window is 30 px wide; a ten-second run fits a wide screen.
constexpr float kPxPerMs = 0.12F;
constexpr float kMinChartPx = 640;
constexpr float kMaxChartPx = 24000;
constexpr float kMinTickGapPx = 70;
constexpr float kCharEm = 0.6F;  // monospace advance per font size
constexpr float kMarkSize = 5;
constexpr float kLabelGapPx = 6;
constexpr float kFlagHeightPx = 13;
constexpr float kTitleRowPx = 14;
constexpr float kAxisCaptionGapPx = 34;
constexpr float kTitleColumnGapPx = 32;
constexpr std::size_t kTitleLabelChars = 15;

constexpr Colour kInk{17, 24, 39};
constexpr Colour kMuted{107, 114, 128};
constexpr Colour kGrid{229, 231, 235};
constexpr Colour kWhite{255, 255, 255};
constexpr Colour kLaneA{255, 255, 255};
constexpr Colour kLaneB{249, 250, 251};
constexpr Colour kTesterLane{238, 242, 255};
constexpr Colour kClaim{29, 78, 216};
constexpr Colour kCannotClaim{124, 58, 237};
constexpr Colour kRequest{217, 119, 6};
constexpr Colour kOperating{107, 114, 128};
constexpr Colour kPass{22, 163, 74};
constexpr Colour kDnp{220, 38, 38};
constexpr Colour kUndecided{156, 163, 175};
constexpr Colour kContention{244, 162, 97};
constexpr Colour kResponse{233, 196, 106};
constexpr Colour kTimeLimit{252, 165, 165};
constexpr Colour kMinimumTime{134, 239, 172};
constexpr Colour kQuietBus{147, 197, 253};
constexpr Colour kStepColour{55, 65, 81};

constexpr std::array<std::uint32_t, 15> kTickStepsMs = {
    50, 100, 200, 250, 500, 1000, 2000, 5000, 10000, 15000, 30000, 60000, 120000, 300000, 600000};

float TextWidth(std::string_view text, float size) {
  return static_cast<float>(text.size()) * size * kCharEm;
}

Colour KindColour(FrameKind kind) {
  switch (kind) {
    case FrameKind::kClaim:
      return kClaim;
    case FrameKind::kCannotClaim:
      return kCannotClaim;
    case FrameKind::kRequest:
      return kRequest;
    case FrameKind::kOperating:
      break;
  }
  return kOperating;
}

Shape KindShape(FrameKind kind) {
  switch (kind) {
    case FrameKind::kClaim:
      return Shape::kCircle;
    case FrameKind::kCannotClaim:
      return Shape::kDiamond;
    case FrameKind::kRequest:
      return Shape::kTriangle;
    case FrameKind::kOperating:
      break;
  }
  return Shape::kSquare;
}

Colour BandColour(BandKind kind) {
  switch (kind) {
    case BandKind::kContention:
      return kContention;
    case BandKind::kResponse:
      return kResponse;
    case BandKind::kTimeLimit:
      return kTimeLimit;
    case BandKind::kMinimumTime:
      return kMinimumTime;
    case BandKind::kQuietBus:
      break;
  }
  return kQuietBus;
}

std::string BandText(const TimelineBand& band) {
  const std::string ms = std::to_string(band.lengthMs) + " ms";
  switch (band.kind) {
    case BandKind::kContention:
      return ms + " after a claim";
    case BandKind::kResponse:
      return ms + " after a request";
    case BandKind::kTimeLimit:
      return "time limit " + ms;
    case BandKind::kMinimumTime:
      return "minimum run " + ms;
    case BandKind::kQuietBus:
      break;
  }
  return "quiet bus " + ms;
}

Colour StateColour(engine::Failure::State state) {
  switch (state) {
    case engine::Failure::State::kPassed:
      return kPass;
    case engine::Failure::State::kDidNotPass:
      return kDnp;
    case engine::Failure::State::kUndecided:
      break;
  }
  return kUndecided;
}

std::string LaneText(const TimelineLane& lane) {
  char text[48];
  if (lane.tester && lane.addressesDiffer) {
    std::snprintf(text, sizeof(text), "Tester");
  } else if (lane.tester) {
    std::snprintf(text, sizeof(text), "Tester %02Xh", lane.address);
  } else if (lane.address == framework::kNullAddress) {
    std::snprintf(text, sizeof(text), "FEh (null)");
  } else {
    std::snprintf(text, sizeof(text), "SA %02Xh (%u)", lane.address, lane.address);
  }
  return text;
}

// A stamp in seconds, as the log's frame lines print it.
std::string TickText(std::uint32_t stampMs) {
  char text[32];
  std::snprintf(text, sizeof(text), "%.3f", static_cast<double>(stampMs) / 1000.0);
  return text;
}

// "Label           : value", the labels of a column padded alike.
std::string Field(std::string_view label, const std::string& value) {
  std::string text(label);
  if (text.size() < kTitleLabelChars) text.append(kTitleLabelChars - text.size(), ' ');
  return text + " : " + value;
}

std::string StepText(const TimelineStep& step, const Timeline& t) {
  switch (step.kind) {
    case StepKind::kKeyPressed:
      return "key pressed";
    case StepKind::kLimitExceeded:
      return "Time limit exceeded.";
    case StepKind::kAborted:
      return "Test " + t.identity.code + " aborted.";
    case StepKind::kOperator:
      break;
  }
  return step.text;
}

// Places labels left to right in rows, each in the first row with room.
class RowPacker {
 public:
  explicit RowPacker(float gap) : gap_(gap) {}
  std::size_t Place(float from, float to) {
    for (std::size_t row = 0; row < ends_.size(); ++row) {
      if (from >= ends_[row] + gap_) {
        ends_[row] = to;
        return row;
      }
    }
    ends_.push_back(to);
    return ends_.size() - 1;
  }
  std::size_t Rows() const { return ends_.size(); }

 private:
  float gap_;
  std::vector<float> ends_;
};

class Layout {
 public:
  explicit Layout(const Timeline& t) : t_(t) {
    const float chart =
        std::clamp(static_cast<float>(t.lengthMs) * kPxPerMs, kMinChartPx, kMaxChartPx);
    chartPx_ = chart;
    pxPerMs_ = chart / static_cast<float>(std::max<std::uint32_t>(t.lengthMs, 1));
    x0_ = kMarginPx + kLaneLabelPx;
  }

  TimelineScene Run() {
    Title();
    Limits();
    Lanes();
    Axis();
    Legend();
    s_.width = std::max(s_.width, x0_ + chartPx_ + kMarginPx);
    s_.height = y_ + kMarginPx;
    return std::move(s_);
  }

 private:
  float X(std::uint32_t ms) const { return x0_ + static_cast<float>(ms) * pxPerMs_; }
  float Right() const { return x0_ + chartPx_; }

  void Text(float x, float y, std::string text, Colour colour, float size,
            Anchor anchor = Anchor::kStart, bool bold = false) {
    float left = x;
    const float width = TextWidth(text, size);
    if (anchor == Anchor::kMiddle) left -= width / 2;
    if (anchor == Anchor::kEnd) left -= width;
    s_.width = std::max(s_.width, left + width + kMarginPx);
    s_.texts.push_back({x, y, std::move(text), colour, size, anchor, bold});
  }

  std::int32_t Tip(std::string text) {
    s_.tips.push_back(std::move(text));
    return static_cast<std::int32_t>(s_.tips.size() - 1);
  }

  void Title() {
    std::string title = t_.identity.code + "  " + t_.identity.title;
    if (t_.aborted) title += "  ABORTED";
    if (!t_.finished) title += "  (running)";
    Text(kMarginPx, 24, title, kInk, 15, Anchor::kStart, true);
    // The report's tally: its closing "____" line counts once the report is
    // written; a run that ended without one has none to show.
    Tally tally;
    for (const TraceCriterion& c : t_.criteria) tally.Add(c.state);
    if (t_.reportWritten) ++tally.undecided;
    char counts[64];
    std::snprintf(counts, sizeof(counts), "PASS %d   DNP %d   ____ %d", tally.passed, tally.failed,
                  tally.undecided);
    char line[128];
    std::snprintf(line, sizeof(line), "%s   %u frames   %.3f s",
                  t_.finished && !t_.reportWritten ? "no report written" : counts,
                  static_cast<unsigned>(t_.marks.size()),
                  static_cast<double>(t_.lengthMs) / 1000.0);
    Text(kMarginPx, 42, line, kMuted, 11);
    TitleBlock(60);
  }

  // Whose run it is and the log it belongs to, in the words of the report's header.
  void TitleBlock(float top) {
    const engine::ReportHeaderValues& h = t_.header;
    const std::string when = h.when.tm_mday == 0 ? std::string() : engine::ReportDateTime(h.when);
    const std::pair<std::string_view, std::string> columns[2][3] = {
        {{"Product Name", h.productName},
         {"Product Version", h.productVersion},
         {"Company", h.company}},
        {{"Tested By", h.testedBy},
         {t_.reportWritten ? "Test Date/Time" : "Run Started", when},
         {"Log File", t_.logFile.empty() ? "not saved" : t_.logFile}}};
    float x = kMarginPx;
    for (const auto& column : columns) {
      float width = 0;
      float y = top;
      for (const auto& [label, value] : column) {
        std::string text = Field(label, value);
        width = std::max(width, TextWidth(text, 11));
        Text(x, y, std::move(text), kInk, 11);
        y += kTitleRowPx;
      }
      x += width + kTitleColumnGapPx;
    }
    y_ = top + 3 * kTitleRowPx;
  }

  // Limits that hold for the whole run, as bars above the lanes.
  void Limits() {
    RowPacker rows(4);
    const float top = y_;
    for (const TimelineBand& band : t_.bands) {
      if (band.lane >= 0) continue;
      const float from = X(band.fromMs);
      const float to = std::max(X(band.toMs), from + 2);
      std::string label = BandText(band);
      const float labelEnd = from + 4 + TextWidth(label, 10);
      const float rowY =
          top + static_cast<float>(rows.Place(from, std::max(to, labelEnd))) * kLimitRowPx;
      s_.rects.push_back({from, rowY, to - from, kLimitRowPx - 4, BandColour(band.kind), 0.7F});
      Text(from + 4, rowY + 10.5F, std::move(label), kInk, 10);
      if (band.fromMs + band.lengthMs <= t_.lengthMs) {
        limitEnds_.emplace_back(X(band.toMs), BandColour(band.kind));
      }
    }
    y_ = top + static_cast<float>(rows.Rows()) * kLimitRowPx + 6;
  }

  void Lanes() {
    const float top = y_;
    laneTop_ = top;
    const float bottom = top + static_cast<float>(t_.lanes.size()) * kLanePx;
    for (std::size_t i = 0; i < t_.lanes.size(); ++i) {
      const float laneTop = LaneTop(i);
      const Colour bg = t_.lanes[i].tester ? kTesterLane : (i % 2 == 0 ? kLaneA : kLaneB);
      s_.rects.push_back({kMarginPx, laneTop, Right() - kMarginPx, kLanePx, bg, 1.0F});
      Text(kMarginPx + 6, laneTop + kLanePx / 2 + 4, LaneText(t_.lanes[i]), kInk, 11,
           Anchor::kStart, true);
    }
    tickMs_ = TickStep();
    for (std::uint32_t ms = FirstTickMs(); ms <= t_.lengthMs; ms += tickMs_) {
      s_.lines.push_back({X(ms), top, X(ms), bottom, kGrid, 1.0F, false});
    }
    for (const auto& [x, colour] : limitEnds_) {
      s_.lines.push_back({x, top - 4, x, bottom, colour, 1.5F, true});
    }
    for (const TimelineStep& step : t_.steps) {
      s_.lines.push_back({X(step.atMs), top, X(step.atMs), bottom, kStepColour, 0.8F, true});
    }
    if (!t_.finished) {
      s_.lines.push_back({X(t_.lengthMs), top - 4, X(t_.lengthMs), bottom, kDnp, 1.0F, true});
    }
    for (const TimelineBand& band : t_.bands) {
      if (band.lane < 0) continue;
      const float laneTop = LaneTop(static_cast<std::size_t>(band.lane));
      const float from = X(band.fromMs);
      s_.rects.push_back({from, laneTop + 20, std::max(X(band.toMs) - from, 1.0F), 22,
                          BandColour(band.kind), 0.45F});
    }
    Marks();
    Pins();
    y_ = bottom;
  }

  float LaneTop(std::size_t lane) const { return laneTop_ + static_cast<float>(lane) * kLanePx; }

  // Ticks fall on round stamps of the log's time base, not on round times since the start.
  std::uint32_t FirstTickMs() const {
    const std::uint32_t past = t_.startMs % tickMs_;
    return past == 0 ? 0 : tickMs_ - past;
  }

  std::uint32_t TickStep() const {
    for (const std::uint32_t step : kTickStepsMs) {
      if (static_cast<float>(step) * pxPerMs_ >= kMinTickGapPx) return step;
    }
    return kTickStepsMs.back();
  }

  void Marks() {
    std::vector<float> labelEnd(t_.lanes.size(), -1e9F);
    for (const TimelineMark& mark : t_.marks) {
      const float x = X(mark.atMs);
      const float y = LaneTop(mark.lane) + 31;
      s_.marks.push_back({x, y, kMarkSize, KindShape(mark.kind), KindColour(mark.kind),
                          static_cast<std::int32_t>(mark.frame), -1});
      // Cheap test first: most marks of a busy lane never get a label.
      if (s_.labelledMarks >= kMaxMarkLabels || x < labelEnd[mark.lane] + kLabelGapPx) continue;
      std::string name = dictionary::DgnName(mark.dgn);
      const float half = TextWidth(name, 9) / 2;
      if (x - half < labelEnd[mark.lane] + kLabelGapPx) continue;
      labelEnd[mark.lane] = x + half;
      ++s_.labelledMarks;
      Text(x, y + 19, std::move(name), kMuted, 9, Anchor::kMiddle);
    }
  }

  // A stem from each evidence frame and a numbered flag per criterion it
  // decided, side by side; frames are taken in time order, and the flags of a
  // frame that would cover an earlier frame's move right along their stem.
  void Pins() {
    struct Stack {
      std::uint32_t frame = 0;
      float x = 0;
      std::uint16_t lane = 0;
      std::vector<const TimelinePin*> pins;  // in criterion order
    };
    std::vector<Stack> stacks;
    for (const TimelinePin& pin : t_.pins) {
      auto it = std::find_if(stacks.begin(), stacks.end(),
                             [&](const Stack& s) { return s.frame == pin.frame; });
      if (it == stacks.end())
        it = stacks.insert(stacks.end(), {pin.frame, X(pin.atMs), pin.lane, {}});
      it->pins.push_back(&pin);
    }
    std::stable_sort(stacks.begin(), stacks.end(),
                     [](const Stack& a, const Stack& b) { return a.x < b.x; });
    std::vector<float> laneFlagEnd(t_.lanes.size(), -1e9F);
    for (const Stack& stack : stacks) {
      const float laneTop = LaneTop(stack.lane);
      const float flagMiddle = laneTop + 3 + kFlagHeightPx / 2;
      float left = std::max(stack.x + 1, laneFlagEnd[stack.lane] + 2);
      s_.lines.push_back(
          {stack.x, laneTop + 31 - kMarkSize, stack.x, flagMiddle, kInk, 1.0F, false});
      if (left > stack.x + 1) {
        s_.lines.push_back({stack.x, flagMiddle, left, flagMiddle, kInk, 1.0F, false});
      }
      for (const TimelinePin* pin : stack.pins) {
        const TraceCriterion& c = t_.criteria[pin->criterion];
        const std::string number = std::to_string(pin->criterion + 1);
        const float half = (TextWidth(number, 9) + 6) / 2;
        const float cx = left + half;
        left += 2 * half + 1;
        const std::string tip = std::string(engine::StateTag(c.state)) + " : " + c.text +
                                (c.note.empty() ? "" : "  " + c.note);
        s_.marks.push_back({cx, flagMiddle, half, Shape::kFlag, pin->passed ? kPass : kDnp,
                            static_cast<std::int32_t>(pin->frame), Tip(tip)});
        Text(cx, laneTop + 13, number, kWhite, 9, Anchor::kMiddle, true);
      }
      laneFlagEnd[stack.lane] = left;
    }
  }

  void Axis() {
    const float axisY = y_ + 4;
    s_.lines.push_back({x0_, axisY, Right(), axisY, kInk, 1.0F, false});
    // Clear of a tick label centred on the axis' first pixel.
    Text(x0_ - kAxisCaptionGapPx, axisY + 17, "time stamp (s)", kMuted, 10, Anchor::kEnd);
    for (std::uint32_t ms = FirstTickMs(); ms <= t_.lengthMs; ms += tickMs_) {
      s_.lines.push_back({X(ms), axisY, X(ms), axisY + 5, kInk, 1.0F, false});
      Text(X(ms), axisY + 17, TickText(t_.startMs + ms), kMuted, 10, Anchor::kMiddle);
    }
    RowPacker rows(8);
    const float labelTop = axisY + 34;
    for (const TimelineStep& step : t_.steps) {
      const float x = X(step.atMs);
      std::string text = StepText(step, t_);
      const Colour colour = step.kind == StepKind::kOperator ? kStepColour : kDnp;
      s_.marks.push_back({x, axisY, 5, Shape::kStep, colour, -1, Tip(text)});
      const float width = TextWidth(text, 10);
      const float rowY = labelTop + static_cast<float>(rows.Place(x, x + width)) * kStepRowPx;
      s_.lines.push_back({x, axisY + 6, x, rowY - 9, kGrid, 1.0F, false});
      Text(x, rowY, std::move(text), colour, 10);
    }
    y_ = labelTop + static_cast<float>(rows.Rows()) * kStepRowPx + 6;
  }

  void Legend() {
    float x = kMarginPx;
    const float y = y_ + 8;
    const std::pair<FrameKind, const char*> kinds[] = {
        {FrameKind::kClaim, "ADDRESS_CLAIMED"},
        {FrameKind::kCannotClaim, "cannot claim (from FEh)"},
        {FrameKind::kRequest, "REQUEST"},
        {FrameKind::kOperating, "other DGN"}};
    for (const auto& [kind, text] : kinds) {
      s_.marks.push_back({x + 5, y - 4, kMarkSize, KindShape(kind), KindColour(kind), -1, -1});
      Text(x + 14, y, text, kInk, 10);
      x += 14 + TextWidth(text, 10) + 16;
    }
    for (const BandKind kind : {BandKind::kContention, BandKind::kResponse}) {
      s_.rects.push_back({x, y - 10, 22, 12, BandColour(kind), 0.45F});
      const std::string text = BandText({kind, 0, 0, kAddressContentionMs, 0});
      Text(x + 26, y, text, kInk, 10);
      x += 26 + TextWidth(text, 10) + 16;
    }
    y_ = y + 12;
    for (std::size_t i = 0; i < t_.criteria.size(); ++i) {
      const TraceCriterion& c = t_.criteria[i];
      y_ += kLegendRowPx;
      const std::string number = std::to_string(i + 1);
      s_.rects.push_back({kMarginPx, y_ - 11, 24, 14, StateColour(c.state), 1.0F});
      Text(kMarginPx + 12, y_, number, kWhite, 10, Anchor::kMiddle, true);
      Text(kMarginPx + 32, y_,
           std::string(engine::StateTag(c.state)) + " : " + c.text +
               (c.note.empty() ? "" : "   " + c.note),
           kInk, 11);
    }
    y_ += 6;
  }

  const Timeline& t_;
  TimelineScene s_;
  float chartPx_ = 0;
  float pxPerMs_ = 0;
  float x0_ = 0;
  float y_ = 0;
  float laneTop_ = 0;
  std::uint32_t tickMs_ = 1000;
  std::vector<std::pair<float, Colour>> limitEnds_;  // the ends of the limits waited out
};

}  // namespace

TimelineScene LayoutTimeline(const Timeline& timeline) {
  return Layout(timeline).Run();
}

std::vector<std::pair<float, float>> MarkPoints(const SceneMark& m) {
  const float s = m.size;
  switch (m.shape) {
    case Shape::kDiamond:
      return {{m.x, m.y - s - 1}, {m.x + s + 1, m.y}, {m.x, m.y + s + 1}, {m.x - s - 1, m.y}};
    case Shape::kTriangle:
      return {{m.x, m.y + s}, {m.x + s, m.y - s}, {m.x - s, m.y - s}};
    case Shape::kStep:
      return {{m.x, m.y}, {m.x + s, m.y + s + 3}, {m.x - s, m.y + s + 3}};
    case Shape::kCircle:
    case Shape::kSquare:
    case Shape::kFlag:
      break;
  }
  return {};
}

std::string MarkTip(const TimelineScene& scene, const RunTrace& trace, const SceneMark& mark) {
  if (mark.tip >= 0 && static_cast<std::size_t>(mark.tip) < scene.tips.size()) {
    return scene.tips[static_cast<std::size_t>(mark.tip)];
  }
  if (mark.frame >= 0 && static_cast<std::size_t>(mark.frame) < trace.frames.Size()) {
    return dictionary::DescribeFrame(trace.frames.At(static_cast<std::size_t>(mark.frame)), true);
  }
  return {};
}

int MarkAt(const TimelineScene& scene, float x, float y, float reach) {
  int best = -1;
  float bestDistance = 0;
  for (std::size_t i = 0; i < scene.marks.size(); ++i) {
    const SceneMark& m = scene.marks[i];
    const float halfHeight = m.shape == Shape::kFlag ? kFlagHeightPx / 2 : m.size;
    const float dx = std::max(std::fabs(x - m.x) - m.size, 0.0F);
    const float dy = std::max(std::fabs(y - m.y) - halfHeight, 0.0F);
    if (std::hypot(dx, dy) > reach) continue;
    // Marks of a busy lane overlap: the one whose middle is nearest wins.
    const float distance = std::hypot(x - m.x, y - m.y);
    if (best < 0 || distance < bestDistance) {
      best = static_cast<int>(i);
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace vlt::results
