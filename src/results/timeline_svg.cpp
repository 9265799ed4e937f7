#include "results/timeline_svg.h"

#include <cstdio>

#include "results/markup.h"

namespace vlt::results {
namespace {

// One decimal is finer than a screen pixel.
void Number(std::string& out, float value) {
  char text[32];
  const int n = std::snprintf(text, sizeof(text), "%.1f", static_cast<double>(value));
  if (n > 2 && text[n - 1] == '0' && text[n - 2] == '.') {
    out.append(text, static_cast<std::size_t>(n - 2));
  } else {
    out.append(text, static_cast<std::size_t>(n));
  }
}

void Attr(std::string& out, const char* name, float value) {
  out += ' ';
  out += name;
  out += "=\"";
  Number(out, value);
  out += '"';
}

void Fill(std::string& out, const char* name, Colour c) {
  char text[32];
  std::snprintf(text, sizeof(text), " %s=\"#%02x%02x%02x\"", name, c.r, c.g, c.b);
  out += text;
}

void Points(std::string& out, const std::vector<std::pair<float, float>>& points) {
  out += " points=\"";
  bool first = true;
  for (const auto& [x, y] : points) {
    if (!first) out += ' ';
    first = false;
    Number(out, x);
    out += ',';
    Number(out, y);
  }
  out += '"';
}

// Opens the mark's element; its name, for closing it.
const char* OpenMark(std::string& out, const SceneMark& m) {
  const float s = m.size;
  const char* element = "polygon";
  switch (m.shape) {
    case Shape::kCircle:
      element = "circle";
      out += "<circle";
      Attr(out, "cx", m.x);
      Attr(out, "cy", m.y);
      Attr(out, "r", s);
      break;
    case Shape::kSquare:
      element = "rect";
      out += "<rect";
      Attr(out, "x", m.x - s * 0.8F);
      Attr(out, "y", m.y - s * 0.8F);
      Attr(out, "width", s * 1.6F);
      Attr(out, "height", s * 1.6F);
      break;
    case Shape::kFlag:
      element = "rect";
      out += "<rect";
      Attr(out, "x", m.x - s);
      Attr(out, "y", m.y - 6.5F);
      Attr(out, "width", 2 * s);
      Attr(out, "height", 13);
      Attr(out, "rx", 2);
      break;
    case Shape::kDiamond:
    case Shape::kTriangle:
    case Shape::kStep:
      out += "<polygon";
      Points(out, MarkPoints(m));
      break;
  }
  Fill(out, "fill", m.colour);
  return element;
}

const char* AnchorName(Anchor anchor) {
  switch (anchor) {
    case Anchor::kMiddle:
      return "middle";
    case Anchor::kEnd:
      return "end";
    case Anchor::kStart:
      break;
  }
  return "start";
}

}  // namespace

std::string WriteTimelineSvg(const TimelineScene& scene, const RunTrace& trace) {
  std::string out;
  // About 150 bytes a mark with its tooltip.
  out.reserve(4096 + scene.marks.size() * 160 + scene.texts.size() * 80);
  out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\"";
  Attr(out, "width", scene.width);
  Attr(out, "height", scene.height);
  out += " viewBox=\"0 0 ";
  Number(out, scene.width);
  out += ' ';
  Number(out, scene.height);
  out += "\" font-family=\"DejaVu Sans Mono, Menlo, Consolas, monospace\">\n";
  out += "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n";
  for (const SceneRect& r : scene.rects) {
    out += "<rect";
    Attr(out, "x", r.x);
    Attr(out, "y", r.y);
    Attr(out, "width", r.w);
    Attr(out, "height", r.h);
    Fill(out, "fill", r.fill);
    if (r.opacity < 1.0F) Attr(out, "fill-opacity", r.opacity);
    out += "/>\n";
  }
  for (const SceneLine& l : scene.lines) {
    out += "<line";
    Attr(out, "x1", l.x1);
    Attr(out, "y1", l.y1);
    Attr(out, "x2", l.x2);
    Attr(out, "y2", l.y2);
    Fill(out, "stroke", l.colour);
    Attr(out, "stroke-width", l.width);
    if (l.dashed) out += " stroke-dasharray=\"4 3\"";
    out += "/>\n";
  }
  for (const SceneMark& m : scene.marks) {
    const char* element = OpenMark(out, m);
    const std::string tip = MarkTip(scene, trace, m);
    if (tip.empty()) {
      out += "/>\n";
      continue;
    }
    out += "><title>";
    out += XmlContent(tip);
    out += "</title></";
    out += element;
    out += ">\n";
  }
  for (const SceneText& t : scene.texts) {
    out += "<text";
    Attr(out, "x", t.x);
    Attr(out, "y", t.y);
    Attr(out, "font-size", t.size);
    Fill(out, "fill", t.colour);
    if (t.anchor != Anchor::kStart) {
      out += " text-anchor=\"";
      out += AnchorName(t.anchor);
      out += '"';
    }
    if (t.bold) out += " font-weight=\"bold\"";
    // Labels over a mark must not take its tooltip.
    out += " pointer-events=\"none\" xml:space=\"preserve\">";
    out += XmlContent(t.text);
    out += "</text>\n";
  }
  out += "</svg>\n";
  return out;
}

std::string TimelineSvg(const RunTrace& trace) {
  return WriteTimelineSvg(LayoutTimeline(BuildTimeline(trace)), trace);
}

}  // namespace vlt::results
