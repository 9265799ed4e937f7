// The one-line text form of a frame record, as data logs and reports print it.
#pragma once

#include <string>
#include <string_view>

#include "framework/frame_record.h"

namespace vlt::dictionary {

// The 29-bit identifier as the bus carried it, "18EEFFFD" for the tools' 0EE00h.
std::string FrameIdentifier(const framework::FrameRecord& record);

// Time stamp in seconds; then a text line's characters, or for a frame the
// optional identifier and DGN name, "DGN:SA " and the first 26 data bytes
// ("..." when there are more). A corrupt length never reads past the record.
std::string DescribeFrame(const framework::FrameRecord& record, bool withIdentifier);

// As above with the DGN's name supplied instead of looked up.
std::string DescribeFrame(const framework::FrameRecord& record, bool withIdentifier,
                          std::string_view dgnName);

}  // namespace vlt::dictionary
