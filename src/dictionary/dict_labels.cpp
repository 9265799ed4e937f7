#include "dictionary/dict_labels.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "values/value_maker_text.h"

namespace vlt::dictionary {

namespace {

using framework::FrameMessage;

// Labels run for every decoded signal, so the suffix is built on the stack.
__attribute__((format(printf, 2, 3))) std::string Labelled(std::string_view name,
                                                           const char* format, ...) {
  char suffix[96];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(suffix, sizeof(suffix), format, args);
  va_end(args);
  std::string label;
  const std::size_t kept =
      n > 0 ? std::min<std::size_t>(static_cast<std::size_t>(n), sizeof(suffix) - 1) : 0;
  label.reserve(name.size() + kept);
  label.append(name);
  label.append(suffix, kept);
  return label;
}

// Instances sit in the data the frame actually carries; a short frame's missing
// bytes read as the not-available code rather than whatever lies beyond it.
unsigned D(const FrameMessage& frame, std::size_t index) {
  return index < frame.data.size() ? frame.data[index] : 0xFFu;
}

std::string Dsa(unsigned dsa) {
  return values::DsaAbbreviation(static_cast<std::uint8_t>(dsa));
}

// The per-phase labels of L13 and L14.
std::string AcLine(std::string_view name, const FrameMessage& frame, bool splitPhase) {
  const unsigned b = D(frame, 0);
  if (splitPhase && (b == 17 || b == 33)) return Labelled(name, " [SP:L1]");
  if ((b >> 4) == 1) return Labelled(name, " [%2u:L1]", b & 0x0Fu);
  if ((b >> 4) == 2) return Labelled(name, " [%2u:L2]", b & 0x0Fu);
  return Labelled(name, " [%2u:%2u]", b & 0x0Fu, b >> 4);
}

// L5 and L6: a digital input's position number when the nibble holds one.
std::string Position(std::string_view name, const FrameMessage& frame, std::size_t nibbleByte) {
  const unsigned nibble = D(frame, nibbleByte) & 0x0Fu;
  if (nibble > 13) return Labelled(name, " [%3u]", D(frame, 0));
  return Labelled(name, " [%02u:%03u]", nibble, D(frame, 1));
}

}  // namespace

std::string L0(std::string_view name, const FrameMessage&) {
  return std::string(name);
}

std::string L1(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%3u]", D(frame, 0));
}

std::string L2(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%3u]", D(frame, 1));
}

std::string L3(std::string_view name, const FrameMessage& frame) {
  if ((D(frame, 1) & 0x80u) != 0) return Labelled(name, " [%3u]", D(frame, 0));
  return Labelled(name, " [G%02X]", D(frame, 1));
}

std::string L4(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%3u:%3u]", D(frame, 0), D(frame, 1));
}

std::string L5(std::string_view name, const FrameMessage& frame) {
  return Position(name, frame, 4);
}

std::string L6(std::string_view name, const FrameMessage& frame) {
  return Position(name, frame, 3);
}

std::string L7(std::string_view name, const FrameMessage& frame) {
  static constexpr const char* kCriteria[] = {"Vdc", "SoC", "Adc", "Tmp", "Vac", " QT", "Sch"};
  const unsigned criterion = D(frame, 2);
  if (criterion < std::size(kCriteria)) {
    return Labelled(name, " [%3u:%s]", D(frame, 0), kCriteria[criterion]);
  }
  return Labelled(name, " [%3u:%3u]", D(frame, 0), criterion);
}

std::string L8(std::string_view name, const FrameMessage& frame) {
  if (D(frame, 2) > 253) return Labelled(name, " [%3u:%3u]", D(frame, 0), D(frame, 1));
  return Labelled(name, " [%3u:%3u:%3u]", D(frame, 0), D(frame, 1), D(frame, 2));
}

std::string L9(std::string_view name, const FrameMessage& frame) {
  static constexpr const char* kRooms[] = {"SR1", "SR2", "SR3", "SR4", "GEN", "STP", "CVR"};
  const unsigned room = D(frame, 0);
  if (room >= 1 && room <= std::size(kRooms)) return Labelled(name, " [%s]", kRooms[room - 1]);
  return Labelled(name, " [%3u]", room);
}

std::string L10(std::string_view name, const FrameMessage& frame) {
  const char* period = nullptr;
  switch (D(frame, 1)) {
    case 0:
      period = "Slp";
      break;
    case 1:
      period = "Wak";
      break;
    case 2:
      period = "Awy";
      break;
    case 3:
      period = "Ret";
      break;
    case 250:
      period = "Sto";
      break;
    default:
      return Labelled(name, " [%3u:%3u]", D(frame, 0), D(frame, 1));
  }
  return Labelled(name, " [%3u:%s]", D(frame, 0), period);
}

std::string L11(std::string_view name, const FrameMessage& frame) {
  const unsigned b = D(frame, 0);
  const unsigned line = (b & 0x30u) != 0 ? 2 : 1;
  if (b < 64) return Labelled(name, " [%2u:I%u]", b & 0x0Fu, line);
  return Labelled(name, " [%2u:O%u]", b & 0x0Fu, line);
}

std::string L12(std::string_view name, const FrameMessage& frame) {
  const unsigned b = D(frame, 0);
  return Labelled(name, " [%1u:%s:%s:%s]", b & 7u, (b & 0x70u) != 0 ? "Sec" : "Pri",
                  (b & 8u) != 0 ? "Inp" : "Out", "L2");
}

std::string L13(std::string_view name, const FrameMessage& frame) {
  return AcLine(name, frame, true);
}

std::string L14(std::string_view name, const FrameMessage& frame) {
  return AcLine(name, frame, false);
}

std::string L15(std::string_view name, const FrameMessage& frame) {
  const unsigned id = D(frame, 0) | (D(frame, 1) << 8) | (D(frame, 2) << 16) | (D(frame, 3) << 24);
  return Labelled(name, " [%08X]", id);
}

std::string L16(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [A%1X:T%1X]", D(frame, 0) >> 4, D(frame, 0) & 0x0Fu);
}

std::string L17(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [A%1X]", D(frame, 0) >> 4);
}

std::string L18(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%4u]", D(frame, 0) + (D(frame, 1) & 7u) * 256);
}

std::string L19(std::string_view name, const FrameMessage& frame) {
  const unsigned b = D(frame, 0);
  if ((b >> 6) == 0) return Labelled(name, " [%2u:Re]", b & 0x3Fu);
  if ((b >> 6) == 1) return Labelled(name, " [%2u:Fr]", b & 0x3Fu);
  return Labelled(name, " [%2u:%2u]", b & 0x3Fu, b >> 6);
}

std::string L20(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%5u:%3u]", D(frame, 0) | (D(frame, 1) << 8), D(frame, 2));
}

std::string L21(std::string_view name, const FrameMessage& frame) {
  const unsigned b = D(frame, 1);
  const unsigned c = b >> 4;
  const unsigned d0 = D(frame, 0);
  switch (b & 0x0Fu) {
    case 0:
      if (b > 15) return Labelled(name, " [%2u:**:%2u]", d0, c);
      return Labelled(name, " [%2u: all ]", d0);
    case 1:
      return Labelled(name, " [%2u:CM:%2u]", d0, c);
    case 2:
      return Labelled(name, " [%2u:HS:%2u]", d0, c);
    case 3:
      return Labelled(name, " [%2u:IF:%2u]", d0, c);
    case 4:
      return Labelled(name, " [%2u:OF:%2u]", d0, c);
    default:
      return Labelled(name, " [%2u:%2u:%2u]", d0, b & 0x0Fu, c);
  }
}

std::string L22(std::string_view name, const FrameMessage& frame) {
  const unsigned b = D(frame, 0);
  if ((b & 0x80u) != 0) return Labelled(name, " [%3u/%3u]", b, D(frame, 1));
  return Labelled(name, " [%3u:%3u]", b, D(frame, 1));
}

std::string L23(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%04X]", D(frame, 0) | (D(frame, 1) << 8));
}

std::string L24(std::string_view name, const FrameMessage& frame) {
  const std::string dsa = Dsa(D(frame, 1));
  if (D(frame, 5) < 0xFE) {
    return Labelled(name, " [%s:%3u %3u]", dsa.c_str(), D(frame, 5), D(frame, 0));
  }
  return Labelled(name, " [%s %3u]", dsa.c_str(), D(frame, 0));
}

std::string L25(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%3u]", frame.dgn & 0xFFu);
}

std::string L26(std::string_view name, const FrameMessage& frame) {
  return Labelled(name, " [%s %3u:%3u]", Dsa(frame.dgn & 0xFFu).c_str(), D(frame, 0), D(frame, 1));
}

std::string L27(std::string_view name, const FrameMessage& frame) {
  static constexpr char kKinds[] = {'H', 'F', 'C'};
  const unsigned kind = D(frame, 2) >> 4;
  return Labelled(name, " [%s:%u %2u:%c]", Dsa(D(frame, 0)).c_str(), D(frame, 1),
                  D(frame, 2) & 0x0Fu, kind < std::size(kKinds) ? kKinds[kind] : '?');
}

}  // namespace vlt::dictionary
