#include "dictionary/frame_text.h"

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdio>

#include "dictionary/dgn_names.h"
#include "framework/tool_dgn.h"

namespace vlt::dictionary {
namespace {

inline constexpr std::size_t kNameColumnChars = 36;
inline constexpr std::size_t kShownDataBytes = 26;

__attribute__((format(printf, 2, 3))) void AppendF(std::string& out, const char* format, ...) {
  char buffer[64];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(buffer, sizeof(buffer), format, args);
  va_end(args);
  if (n > 0) out.append(buffer, std::min(static_cast<std::size_t>(n), sizeof(buffer) - 1));
}

}  // namespace

std::string FrameIdentifier(const framework::FrameRecord& record) {
  std::string out;
  // The bus's DGN, not the tools' name for it: a claim to all shows 18EEFFxx.
  const std::uint32_t wireDgn = framework::WireDgnOf(record.dgn);
  // Priority, reserved bit and DGN bit 16 share the identifier's top byte.
  const unsigned top =
      (record.priority * 4u + record.reservedBit * 2u + ((wireDgn >> 16) & 1u)) % 256u;
  AppendF(out, "%1X%04X%02X", top, static_cast<unsigned>(wireDgn & 0xFFFF),
          static_cast<unsigned>(record.sourceAddress));
  return out;
}

std::string DescribeFrame(const framework::FrameRecord& record, bool withIdentifier) {
  return DescribeFrame(record, withIdentifier, DgnName(record.dgn));
}

std::string DescribeFrame(const framework::FrameRecord& record, bool withIdentifier,
                          std::string_view dgnName) {
  std::string out;
  AppendF(out, "%11.3f  ", record.timeStamp * 0.001);
  // Records come back from saved logs and peers; a corrupt length must not
  // walk off the data array.
  const std::size_t length = std::min<std::size_t>(record.length, framework::kMaxFrameDataBytes);
  if (record.textFlag != 0) {
    out.append(reinterpret_cast<const char*>(record.data), length);
    return out;
  }
  if (withIdentifier) {
    out += FrameIdentifier(record);
    out += "  ";
    out += dgnName;
    if (dgnName.size() < kNameColumnChars) out.append(kNameColumnChars - dgnName.size(), ' ');
  }
  AppendF(out, "%05X:%02X ", static_cast<unsigned>(record.dgn),
          static_cast<unsigned>(record.sourceAddress));
  for (std::size_t i = 0; i < std::min(length, kShownDataBytes); ++i) {
    AppendF(out, " %02X", static_cast<unsigned>(record.data[i]));
  }
  if (record.length > kShownDataBytes) out += "...";
  return out;
}

}  // namespace vlt::dictionary
