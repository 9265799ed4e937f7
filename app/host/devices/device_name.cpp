#include "host/devices/device_name.h"

namespace vlt::host {

namespace {

constexpr std::uint8_t kArbitraryAddressBit = 0x80;  // in data[7]

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::uint64_t NameValue(const DeviceName& name) {
  std::uint64_t value = 0;
  for (std::size_t i = name.size(); i-- > 0;) value = (value << 8) | name[i];
  return value;
}

bool OutranksName(const DeviceName& rival, const DeviceName& own) {
  return NameValue(rival) < NameValue(own);
}

std::uint16_t ManufacturerCode(const DeviceName& name) {
  return static_cast<std::uint16_t>((name[2] >> 5) | (name[3] << 3));
}

void SetManufacturerCode(DeviceName& name, std::uint16_t code) {
  code &= kMaxManufacturerCode;
  name[2] = static_cast<std::uint8_t>((name[2] & 0x1F) | ((code & 7) << 5));
  name[3] = static_cast<std::uint8_t>(code >> 3);
}

bool ArbitraryAddressCapable(const DeviceName& name) {
  return (name[7] & kArbitraryAddressBit) != 0;
}

void SetArbitraryAddressCapable(DeviceName& name, bool capable) {
  name[7] = static_cast<std::uint8_t>(capable ? name[7] | kArbitraryAddressBit
                                              : name[7] & ~kArbitraryAddressBit);
}

std::optional<DeviceName> ParseDeviceName(std::string_view text) {
  DeviceName name{};
  std::size_t digits = 0;
  for (const char c : text) {
    if (c == ' ') continue;
    const int value = HexValue(c);
    if (value < 0 || digits == 16) return std::nullopt;
    name[digits / 2] = static_cast<std::uint8_t>((name[digits / 2] << 4) | value);
    ++digits;
  }
  if (digits != 16) return std::nullopt;
  return name;
}

std::string DeviceNameText(const DeviceName& name) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  for (const std::uint8_t b : name) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 15]);
  }
  return text;
}

}  // namespace vlt::host
