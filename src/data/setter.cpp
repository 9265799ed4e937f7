#include "data/setter.h"

#include <algorithm>
#include <cstring>

#include "framework/host_protocol.h"

namespace vlt::data {

namespace {

std::uint64_t ReadLittleEndian(std::span<const std::uint8_t> bytes, std::size_t count) {
  std::uint64_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value |= std::uint64_t{bytes[i]} << (8 * i);
  return value;
}

std::string IndexName(const char* name, std::uint32_t index) {
  return std::string("  ") + name + " idx=" + std::to_string(index);
}

}  // namespace

Setter::Setter(std::unique_ptr<PacketPlan> plan, std::uint32_t byteIndex)
    : Setter(std::move(plan), byteIndex, 0) {}

Setter::Setter(std::unique_ptr<PacketPlan> plan, std::uint32_t byteIndex, std::size_t valueBytes)
    : pendingValue_(valueBytes, 0),
      plan_(plan != nullptr
                ? std::move(plan)
                : std::make_unique<PacketPlan>(DgnRef(), PacketPlan::DataSlots{nullptr})),
      dataLength_(static_cast<std::uint16_t>(plan_->DataLength())),
      byteIndex_(byteIndex) {}

std::vector<std::uint8_t> Setter::BuildMessage(std::uint8_t toolAddress) const {
  std::vector<std::uint8_t> message(kTransmitDataAt + dataLength_, 0xFF);
  message[0] = framework::kMsgTransmit;
  message[1] = toolAddress;
  for (std::size_t i = kTransmitDgnAt; i < kTransmitPriorityAt; ++i) message[i] = 0;
  message[kTransmitPriorityAt] = framework::kTransmitPriority;
  message[kTransmitLengthAt] = static_cast<std::uint8_t>(dataLength_);
  message[kTransmitLengthAt + 1] = static_cast<std::uint8_t>(dataLength_ >> 8);
  plan_->BuildInto(message);
  WriteValue(std::span<std::uint8_t>(message).subspan(kTransmitDataAt));
  return message;
}

bool Setter::Confirm(std::span<const std::uint8_t> /*received*/) {
  return false;
}

bool Setter::SetPending(bool pending) {
  const bool was = pending_.exchange(pending);
  return was && !pending;
}

void Setter::Dump(std::ostream& out) const {
  out << DumpName();
  plan_->Dump(out);
}

void Setter::Describe(std::ostream& out, const framework::DgnTable* targetTable) const {
  out << "SetType|" << TypeName() << '\n';
  out << "SetPrep|" << plan_->PrepText(targetTable) << '\n';
  DescribeLocation(out);
}

void Setter::DescribeLocation(std::ostream& out) const {
  out << "SetLocation|" << byteIndex_ << '\n';
}

bool Setter::ConfirmNumber(std::span<const std::uint8_t> received, std::uint32_t tolerance) {
  if (!IsPending()) return false;
  // An item narrower than its setter is compared over the bytes it has.
  const std::size_t count = std::min(received.size(), pendingValue_.size());
  const std::uint64_t got = ReadLittleEndian(received, count);
  const std::uint64_t want = ReadLittleEndian(pendingValue_, count);
  const std::uint64_t difference = got > want ? got - want : want - got;
  if (difference > tolerance) return true;
  pending_ = false;
  return false;
}

void Setter::WriteBytes(std::span<std::uint8_t> data) const {
  if (byteIndex_ > data.size() || data.size() - byteIndex_ < pendingValue_.size()) return;
  std::copy(pendingValue_.begin(), pendingValue_.end(), data.begin() + byteIndex_);
}

Setter& SharedReadOnlySetter() {
  static Setter shared;
  return shared;
}

bool SetByte::Confirm(std::span<const std::uint8_t> received) {
  return ConfirmNumber(received, Tolerance());
}

void SetByte::WriteValue(std::span<std::uint8_t> data) const {
  WriteBytes(data);
}

std::string SetByte::DumpName() const {
  return IndexName("SetByte", ByteIndex());
}

SetBits::SetBits(std::unique_ptr<PacketPlan> plan, std::uint32_t byteIndex,
                 std::uint8_t bitPosition, std::uint8_t bitCount)
    : SetByte(std::move(plan), byteIndex),
      bitPosition_(std::min<std::uint8_t>(bitPosition, 7)),
      bitCount_(std::clamp<std::uint8_t>(bitCount, 1, static_cast<std::uint8_t>(8 - bitPosition_))),
      clearMask_(static_cast<std::uint8_t>(~(((1u << bitCount_) - 1) << bitPosition_))) {}

void SetBits::WriteValue(std::span<std::uint8_t> data) const {
  if (ByteIndex() >= data.size()) return;
  // The value is cut to the field so that it cannot spill into its neighbours.
  const unsigned field = pendingValue_[0] & ((1u << bitCount_) - 1);
  std::uint8_t& byte = data[ByteIndex()];
  byte = static_cast<std::uint8_t>((byte & clearMask_) | (field << bitPosition_));
}

void SetBits::DescribeLocation(std::ostream& out) const {
  out << "SetLocation|" << ByteIndex() << ',' << int{bitPosition_} << ',' << int{bitCount_} << '\n';
}

bool SetWord::Confirm(std::span<const std::uint8_t> received) {
  return ConfirmNumber(received, Tolerance());
}

std::string SetWord::DumpName() const {
  return IndexName("SetWord", ByteIndex());
}

bool Set3Byte::Confirm(std::span<const std::uint8_t> received) {
  return ConfirmNumber(received, 0);
}

std::string Set3Byte::DumpName() const {
  return IndexName("Set3Byte", ByteIndex());
}

bool SetUint::Confirm(std::span<const std::uint8_t> received) {
  return ConfirmNumber(received, 0);
}

std::string SetUint::DumpName() const {
  return IndexName("SetUint", ByteIndex());
}

bool Set6Byte::Confirm(std::span<const std::uint8_t> received) {
  return ConfirmNumber(received, 0);
}

std::string Set6Byte::DumpName() const {
  return IndexName("Set6Byte", ByteIndex());
}

bool SetString36Char::Confirm(std::span<const std::uint8_t> received) {
  if (!IsPending()) return false;
  // Compared as texts: the characters up to the first zero, at most 36.
  const std::size_t count = std::min({received.size(), pendingValue_.size(), kString36Chars});
  for (std::size_t i = 0; i < count; ++i) {
    if (received[i] != pendingValue_[i]) return true;
    if (received[i] == 0) break;
  }
  SetPending(false);
  return false;
}

std::string SetString36Char::DumpName() const {
  return "  Set36Byte " + std::to_string(ByteIndex());
}

}  // namespace vlt::data
