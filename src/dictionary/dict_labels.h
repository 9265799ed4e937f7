// Label functions: how a dictionary entry names its value in a decoded frame,
// usually the signal's name followed by the sending device's instance, read
// from the frame's data or the destination byte of its DGN ("~~DGNRequest [  5]").
#pragma once

#include <string>
#include <string_view>

#include "framework/host_protocol.h"

namespace vlt::dictionary {

// A data byte the frame does not have reads as FFh, the not-available code.
using LabelFunction = std::string (*)(std::string_view name, const framework::FrameMessage& frame);

// "d" is the frame's data.
std::string L0(std::string_view name, const framework::FrameMessage& frame);   // the name alone
std::string L1(std::string_view name, const framework::FrameMessage& frame);   // [d0]
std::string L2(std::string_view name, const framework::FrameMessage& frame);   // [d1]
std::string L3(std::string_view name, const framework::FrameMessage& frame);   // [d0] or [Gd1]
std::string L4(std::string_view name, const framework::FrameMessage& frame);   // [d0:d1]
std::string L5(std::string_view name, const framework::FrameMessage& frame);   // by d4 & 0Fh
std::string L6(std::string_view name, const framework::FrameMessage& frame);   // by d3 & 0Fh
std::string L7(std::string_view name, const framework::FrameMessage& frame);   // AGS criterion d2
std::string L8(std::string_view name, const framework::FrameMessage& frame);   // cell [d0:d1:d2]
std::string L9(std::string_view name, const framework::FrameMessage& frame);   // slide room d0
std::string L10(std::string_view name, const framework::FrameMessage& frame);  // schedule d1
std::string L11(std::string_view name, const framework::FrameMessage& frame);  // inverter I/O
std::string L12(std::string_view name, const framework::FrameMessage& frame);  // ATS line
std::string L13(std::string_view name, const framework::FrameMessage& frame);  // generic AC
std::string L14(std::string_view name, const framework::FrameMessage& frame);  // generator AC
std::string L15(std::string_view name, const framework::FrameMessage& frame);  // tire sensor id
std::string L16(std::string_view name, const framework::FrameMessage& frame);  // axle:tire
std::string L17(std::string_view name, const framework::FrameMessage& frame);  // axle
std::string L18(std::string_view name, const framework::FrameMessage& frame);  // function
std::string L19(std::string_view name, const framework::FrameMessage& frame);  // refrigerator
std::string L20(std::string_view name, const framework::FrameMessage& frame);  // sync payload
std::string L21(std::string_view name, const framework::FrameMessage& frame);  // A/C component
std::string L22(std::string_view name, const framework::FrameMessage& frame);  // broker
std::string L23(std::string_view name, const framework::FrameMessage& frame);  // tunnel
std::string L24(std::string_view name, const framework::FrameMessage& frame);  // alarm DSA
std::string L25(std::string_view name, const framework::FrameMessage& frame);  // DGN's address
std::string L26(std::string_view name, const framework::FrameMessage& frame);  // driver DSA
std::string L27(std::string_view name, const framework::FrameMessage& frame);  // version DSA

}  // namespace vlt::dictionary
