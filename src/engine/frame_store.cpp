#include "engine/frame_store.h"

#include <algorithm>
#include <cstring>

namespace vlt::engine {
namespace {

#pragma pack(push, 1)
struct StoredHeader {
  std::uint32_t timeStamp;
  std::uint32_t relativeTime;
  std::uint32_t dgn;
  std::uint16_t length;  // data bytes as the record gave them
  std::uint16_t stored;  // data bytes kept: length, one more for a text line's NUL
  std::uint8_t messageType;
  std::uint8_t sourceAddress;
  std::uint8_t priority;
  std::uint8_t reservedBit;
  std::uint32_t textFlag;
  std::uint8_t ownTransmission;
};
#pragma pack(pop)

constexpr std::size_t kLargestRecord = sizeof(StoredHeader) + framework::kMaxFrameDataBytes;
static_assert(FrameStore::kChunkBytes >= 64 * kLargestRecord);

}  // namespace

void FrameStore::Append(const framework::FrameRecord& record, bool ownTransmission) {
  StoredHeader header;
  header.timeStamp = record.timeStamp;
  header.relativeTime = record.relativeTime;
  header.dgn = record.dgn;
  header.length = record.length;
  std::size_t stored = std::min<std::size_t>(record.length, framework::kMaxFrameDataBytes);
  if (record.textFlag != 0 && stored < framework::kMaxFrameDataBytes) ++stored;
  header.stored = static_cast<std::uint16_t>(stored);
  header.messageType = record.messageType;
  header.sourceAddress = record.sourceAddress;
  header.priority = record.priority;
  header.reservedBit = record.reservedBit;
  header.textFlag = record.textFlag;
  header.ownTransmission = ownTransmission ? 1 : 0;

  const std::size_t size = sizeof(header) + stored;
  if (chunks_.empty() || used_ + size > kChunkBytes) {
    chunks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kChunkBytes));
    used_ = 0;
  }
  std::uint8_t* at = chunks_.back().get() + used_;
  std::memcpy(at, &header, sizeof(header));
  std::memcpy(at + sizeof(header), record.data, stored);
  positions_.push_back((chunks_.size() - 1) * kChunkBytes + used_);
  used_ += size;
}

const std::uint8_t* FrameStore::Stored(std::size_t index) const {
  const std::uint64_t position = positions_[index];
  return chunks_[position / kChunkBytes].get() + position % kChunkBytes;
}

bool FrameStore::OwnTransmission(std::size_t index) const {
  StoredHeader header;
  std::memcpy(&header, Stored(index), sizeof(header));
  return header.ownTransmission != 0;
}

void FrameStore::Read(std::size_t index, framework::FrameRecord& out) const {
  const std::uint8_t* at = Stored(index);
  StoredHeader header;
  std::memcpy(&header, at, sizeof(header));
  std::memset(&out, 0, sizeof(out));
  out.timeStamp = header.timeStamp;
  out.relativeTime = header.relativeTime;
  out.messageType = header.messageType;
  out.dgn = header.dgn;
  out.sourceAddress = header.sourceAddress;
  out.length = header.length;
  std::memcpy(out.data, at + sizeof(header), header.stored);
  out.priority = header.priority;
  out.reservedBit = header.reservedBit;
  out.textFlag = header.textFlag;
}

framework::FrameRecord FrameStore::At(std::size_t index) const {
  framework::FrameRecord record;
  Read(index, record);
  return record;
}

void FrameStore::Clear() {
  positions_.clear();
  positions_.shrink_to_fit();
  if (chunks_.size() > 1) chunks_.resize(1);
  used_ = 0;
}

}  // namespace vlt::engine
