// What the engine needs of the signal dictionary, handed in as functions so the
// dictionary plugs in without the engine depending on it.
#pragma once

#include <functional>
#include <string>

#include "framework/frame_record.h"

namespace vlt::engine {

// The text of one named signal decoded from a frame ("N/A" for an unknown name).
using SignalValueFn =
    std::function<std::string(const framework::FrameRecord& frame, const std::string& name)>;
// A frame's decoded signals as one text.
using FrameDecodeFn = std::function<std::string(const framework::FrameRecord& frame)>;

}  // namespace vlt::engine
