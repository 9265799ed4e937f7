// The eight NAME bytes a J1939 node claims its address with, and the fields of
// them that address arbitration and the compliance tests look at.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vlt::host {

// Byte 0 first, as on the wire: the 64-bit NAME value is little-endian.
using DeviceName = std::array<std::uint8_t, 8>;

inline constexpr std::uint16_t kMaxManufacturerCode = 0x7FF;
inline constexpr std::uint16_t kDefaultManufacturerCode = 0x123;
// Identity A5A5h, manufacturer 123h, function 80h; arbitrary-address-capable clear.
inline constexpr DeviceName kDefaultDutName{0xA5, 0xA5, 0x60, 0x24, 0x00, 0x80, 0x00, 0x00};

// The NAME as a number: in arbitration the lower value wins.
std::uint64_t NameValue(const DeviceName& name);
bool OutranksName(const DeviceName& rival, const DeviceName& own);

// The 11-bit manufacturer code: data[2] bits 5-7 low, data[3] high.
std::uint16_t ManufacturerCode(const DeviceName& name);
void SetManufacturerCode(DeviceName& name, std::uint16_t code);
// Bit 63: the node can move to another address when it loses its own.
bool ArbitraryAddressCapable(const DeviceName& name);
void SetArbitraryAddressCapable(DeviceName& name, bool capable);

// 16 hexadecimal digits, byte 0 first; blanks between digits are allowed.
std::optional<DeviceName> ParseDeviceName(std::string_view text);
std::string DeviceNameText(const DeviceName& name);  // 16 digits, upper case

}  // namespace vlt::host
