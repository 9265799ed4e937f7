#include "data/datum_string.h"

#include <algorithm>
#include <cstring>

namespace vlt::data {

namespace {

constexpr std::size_t kCountShift = 5;

}  // namespace

DatumString36Char::DatumString36Char(DataContext& context, std::string title, int layout)
    : Datum(context, std::move(title), std::vector<std::uint8_t>(kTextChars + 1, 0)),
      locationIndex_(layout == kLayoutFromByte3 ? 2 : 1),
      charsPerPacket_(layout == kLayoutFromByte3 ? 5 : 6) {}

void DatumString36Char::OnFrame(const framework::FrameMessage& message) {
  if (!Accepts(message) || message.data.size() != kFrameDataBytes) return;
  const std::uint8_t location = message.data[locationIndex_];
  const std::size_t count = location >> kCountShift;
  const std::size_t offset = location & kMaxOffset;
  if (count > charsPerPacket_ || offset + count > kTextChars) return;
  const bool changed = EditRaw([&](std::vector<std::uint8_t>& text) {
    std::size_t written = 0;
    for (std::size_t at = locationIndex_ + 1; at < kFrameDataBytes && written < count; ++at) {
      if (message.data[at] == 0xFF) continue;  // padding; the next character takes its place
      text[offset + written++] = message.data[at];
    }
  });
  // Keyed children play no part for a text.
  CountReception(changed, false);
}

std::vector<std::vector<std::uint8_t>> DatumString36Char::BuildPackets(
    std::string_view text) const {
  text = text.substr(0, std::min(text.find('\0'), kTextChars));
  std::vector<std::vector<std::uint8_t>> packets;
  std::vector<std::uint8_t> message = GetSetter().BuildMessage(Context().ToolAddress());
  if (message.size() < kTransmitDataAt + kFrameDataBytes) return packets;
  const std::size_t first = kTransmitDataAt + locationIndex_ + 1;
  const std::size_t end = kTransmitDataAt + kFrameDataBytes;
  auto send = [&](std::size_t offset, std::size_t count, std::string_view chars) {
    message[kTransmitDataAt + locationIndex_] =
        static_cast<std::uint8_t>(offset | (count << kCountShift));
    std::copy(chars.begin(), chars.end(), message.begin() + static_cast<std::ptrdiff_t>(first));
    packets.push_back(message);
    std::fill(message.begin() + static_cast<std::ptrdiff_t>(first),
              message.begin() + static_cast<std::ptrdiff_t>(end), 0);
  };
  std::size_t offset = 0;
  while (true) {
    const std::size_t remaining = text.size() - offset;
    if (remaining == 0) {
      // The text ended at a packet boundary: a zero character marks its end.
      if (offset <= kLastEndMarkerOffset) send(offset, 1, std::string_view("\0", 1));
      break;
    }
    // An offset the location byte cannot hold would land at the wrong place.
    if (offset > kMaxOffset) break;
    const std::size_t count = std::min(remaining, charsPerPacket_);
    send(offset, count, text.substr(offset, count));
    offset += count;
    if (count < charsPerPacket_) break;
  }
  return packets;
}

void DatumString36Char::SendNow() {
  if (!GetSetter().IsSettable()) return;
  const auto pending = GetSetter().PendingValue();
  const std::string text(pending.begin(), pending.end());
  Context().SendPaced(this, BuildPackets(text));
}

void DatumString36Char::DescribeLocation(std::ostream& out) const {
  out << "DLocation|" << locationIndex_ << '\n';
  out << "DCharsPerPacket|" << charsPerPacket_ << '\n';
}

}  // namespace vlt::data
