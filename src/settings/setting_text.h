// Small conversions that elements and tests apply to setting values. They read
// text that an operator typed or a profile carried, so every one of them takes
// any text without reading past it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/frame_record.h"

namespace vlt::settings {

inline constexpr std::size_t kNameBytes = 8;
using NameBytes = std::array<std::uint8_t, kNameBytes>;

// The format with its first integer conversion (%d, %i, %u, %x, %X, %o, %c, with
// flags, width, precision) filled with `n`; "%%" gives "%". Any other conversion,
// and any after the first, is copied as it stands, so that a format from outside
// can never read a missing argument.
std::string FormatNumber(std::string_view format, std::int64_t n);

// The decimal number formed by the text's digits, all other characters skipped
// ("10 ms" gives 10, no digits give 0); saturates at FFFFFFFFh.
std::uint32_t SettingNumber(std::string_view text);

// Each data byte of the record as "%02X", the separator between bytes. A record
// whose length exceeds its data area is read up to the area's end.
std::string FrameDataText(const framework::FrameRecord& record, std::string_view separator);

// The NAME of an ADDRESS_CLAIM from its text, eight hexadecimal pairs at
// positions 0, 3, ..., 21. All eight bytes are written as read, a pair that is
// not hexadecimal (or lies past the text) giving 00h, because the tests send the
// bytes either way; false when such a pair was found.
bool TextToNameBytes(std::string_view text, NameBytes& bytes);

}  // namespace vlt::settings
