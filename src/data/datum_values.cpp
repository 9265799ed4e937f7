#include "data/datum_values.h"

#include <algorithm>

namespace vlt::data {

namespace {

std::uint8_t FieldMask(std::uint8_t bitCount) {
  return static_cast<std::uint8_t>((1u << bitCount) - 1);
}

// A field always lies inside its byte.
std::uint8_t ClampedPosition(std::uint8_t position) {
  return std::min<std::uint8_t>(position, 7);
}
std::uint8_t ClampedCount(std::uint8_t position, std::uint8_t count) {
  return std::clamp<std::uint8_t>(count, 1,
                                  static_cast<std::uint8_t>(8 - ClampedPosition(position)));
}

// True when `bytes` bytes from `at` lie inside the frame's data.
bool Holds(std::span<const std::uint8_t> data, std::uint32_t at, std::size_t bytes) {
  return at <= data.size() && data.size() - at >= bytes;
}

}  // namespace

DatumByte::DatumByte(DataContext& context, std::string title, std::uint32_t byteIndex)
    : DatumByte(context, std::move(title), byteIndex, 0xFF) {}

DatumByte::DatumByte(DataContext& context, std::string title, std::uint32_t byteIndex,
                     std::uint8_t notAvailable)
    : Datum(context, std::move(title), {notAvailable}), byteIndex_(byteIndex) {}

void DatumByte::OnFrame(const framework::FrameMessage& message) {
  if (!Accepts(message) || !Holds(message.data, byteIndex_, 1)) return;
  const std::uint8_t value = message.data[byteIndex_];
  if (value == 0xFF) return;
  Receive(std::span(&value, 1));
}

std::uint8_t DatumByte::CurrentKey() const {
  return RawValue()[0];
}

Datum::List DatumByte::ChildrenFor(std::uint8_t key) {
  List list;
  for (const auto& [child, childKey] : ChildEntries()) {
    if ((childKey == key || childKey == kAnyKey) &&
        std::find(list.begin(), list.end(), child) == list.end()) {
      list.push_back(child);
    }
  }
  return list;
}

bool DatumByte::HasChildrenNow() {
  const std::uint8_t key = CurrentKey();
  return std::any_of(ChildEntries().begin(), ChildEntries().end(), [key](const auto& entry) {
    return entry.second == key || entry.second == kAnyKey;
  });
}

bool DatumByte::HasKeyedChildren() const {
  return std::any_of(ChildEntries().begin(), ChildEntries().end(),
                     [](const auto& entry) { return entry.second != kAnyKey; });
}

bool DatumByte::AllowsChild(std::uint8_t key) {
  return ParentAllows() && (key == kAnyKey || key == CurrentKey());
}

bool DatumByte::HasValue() const {
  return CurrentKey() < 0xFE;
}

void DatumByte::DescribeLocation(std::ostream& out) const {
  out << "DLocation|" << byteIndex_ << '\n';
}

void DatumByte::DumpValue(std::ostream& out) const {
  out << "  value: " << int{CurrentKey()} << " idx: " << byteIndex_ << "\n\r";
}

DatumBits::DatumBits(DataContext& context, std::string title, std::uint32_t byteIndex,
                     std::uint8_t bitPosition, std::uint8_t bitCount)
    : DatumByte(context, std::move(title), byteIndex,
                FieldMask(ClampedCount(bitPosition, bitCount))),
      bitPosition_(ClampedPosition(bitPosition)),
      bitCount_(ClampedCount(bitPosition, bitCount)),
      mask_(FieldMask(bitCount_)) {}

void DatumBits::OnFrame(const framework::FrameMessage& message) {
  if (!Accepts(message) || !Holds(message.data, ByteIndex(), 1)) return;
  const auto value = static_cast<std::uint8_t>((message.data[ByteIndex()] >> bitPosition_) & mask_);
  if (value == mask_) return;
  Receive(std::span(&value, 1));
}

bool DatumBits::HasValue() const {
  const unsigned value = CurrentKey();
  return bitCount_ >= 2 ? value + 1u < mask_ : value < mask_;
}

void DatumBits::DescribeLocation(std::ostream& out) const {
  out << "DLocation|" << ByteIndex() << ',' << int{bitPosition_} << ',' << int{bitCount_} << '\n';
}

DatumWord::DatumWord(DataContext& context, std::string title, std::uint32_t byteIndex)
    : Datum(context, std::move(title), {0xFF, 0xFF}), byteIndex_(byteIndex) {}

void DatumWord::OnFrame(const framework::FrameMessage& message) {
  if (!Accepts(message) || !Holds(message.data, byteIndex_, 2)) return;
  const auto field = message.data.subspan(byteIndex_, 2);
  if (field[0] == 0xFF && field[1] == 0xFF) return;
  Receive(field);
}

bool DatumWord::HasValue() const {
  const std::vector<std::uint8_t> raw = RawValue();
  return framework::ReadU16(raw, 0) < 0xFFFE;
}

void DatumWord::DescribeLocation(std::ostream& out) const {
  out << "DLocation|" << byteIndex_ << '\n';
}

DatumMfgId::DatumMfgId(DataContext& context, std::string title, Part low, Part high)
    : DatumWord(context, std::move(title), low.byteIndex), low_(low), high_(high) {}

void DatumMfgId::OnFrame(const framework::FrameMessage& message) {
  if (!Accepts(message) || !Holds(message.data, low_.byteIndex, 1) ||
      !Holds(message.data, high_.byteIndex, 1)) {
    return;
  }
  auto field = [&](const Part& part) {
    const unsigned mask = (1u << std::min<std::uint8_t>(part.bitCount, 8)) - 1;
    return (message.data[part.byteIndex] >> part.bitPosition) & mask;
  };
  const unsigned code = field(low_) | (field(high_) << low_.bitCount);
  if (code > kHighestCode) return;
  const std::uint8_t value[2] = {static_cast<std::uint8_t>(code),
                                 static_cast<std::uint8_t>(code >> 8)};
  Receive(value);
}

DatumMultiByte::DatumMultiByte(DataContext& context, std::string title, std::uint32_t byteIndex,
                               std::size_t bytes)
    : Datum(context, std::move(title), std::vector<std::uint8_t>(bytes, 0xFF)),
      byteIndex_(byteIndex) {}

void DatumMultiByte::OnFrame(const framework::FrameMessage& message) {
  const std::size_t bytes = NotAvailablePattern().size();
  if (!Accepts(message) || !Holds(message.data, byteIndex_, bytes)) return;
  const auto field = message.data.subspan(byteIndex_, bytes);
  if (std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == 0xFF; })) return;
  Receive(field);
}

void DatumMultiByte::DescribeLocation(std::ostream& out) const {
  out << "DLocation|" << byteIndex_ << '\n';
}

bool DatumMultiByte::CheckValueMaker() {
  return ValidateValueMaker(static_cast<unsigned>(8 * NotAvailablePattern().size()));
}

DatumFullPacket::DatumFullPacket(DataContext& context, std::string title)
    : Datum(context, std::move(title), std::vector<std::uint8_t>(kFrameDataBytes, 0xFF)) {}

void DatumFullPacket::OnFrame(const framework::FrameMessage& message) {
  if (!Accepts(message)) return;
  std::uint8_t packet[kFrameDataBytes];
  std::fill(std::begin(packet), std::end(packet), 0xFF);
  std::copy_n(message.data.begin(), std::min(message.data.size(), kFrameDataBytes), packet);
  Receive(packet);
}

}  // namespace vlt::data
