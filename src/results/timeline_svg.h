// The timeline of a run as a plain SVG file: readable in any browser, the
// frame's text line as the tooltip of its mark, a criterion's line as the
// tooltip of its pin.
#pragma once

#include <string>

#include "results/run_trace.h"
#include "results/timeline_scene.h"

namespace vlt::results {

// `trace` gives the frames the scene's marks stand for.
std::string WriteTimelineSvg(const TimelineScene& scene, const RunTrace& trace);

// Model, layout and file in one.
std::string TimelineSvg(const RunTrace& trace);

}  // namespace vlt::results
