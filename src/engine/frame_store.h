// FrameStore: the frames a data log has recorded, kept compactly. A full bus
// records about a million 8-byte frames in ten minutes; a whole FrameRecord each
// (1807 bytes) would cost 1.8 GB, so each frame keeps only a small header and
// its own data bytes, and is rebuilt into a FrameRecord when read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "framework/frame_record.h"

namespace vlt::engine {

class FrameStore {
 public:
  // Records never straddle chunks; the largest (header + 1785 bytes) fits many times.
  static constexpr std::size_t kChunkBytes = 256 * 1024;

  // Stores the record whole: header fields and its `length` data bytes (plus the
  // NUL of a text line), never more than the data area holds. `ownTransmission`:
  // the frame is the echo of the tester's own transmission.
  void Append(const framework::FrameRecord& record, bool ownTransmission = false);
  // Rebuilds frame `index` (< Size()) into `out`; data past its length reads zero.
  void Read(std::size_t index, framework::FrameRecord& out) const;
  framework::FrameRecord At(std::size_t index) const;
  bool OwnTransmission(std::size_t index) const;

  std::size_t Size() const { return positions_.size(); }
  bool Empty() const { return positions_.empty(); }
  // Empties the store and gives back all but one chunk.
  void Clear();

 private:
  const std::uint8_t* Stored(std::size_t index) const;

  std::vector<std::unique_ptr<std::uint8_t[]>> chunks_;
  std::size_t used_ = 0;  // bytes used in the last chunk
  // Chunk number * kChunkBytes + offset, per frame; a deque grows without copying.
  std::deque<std::uint64_t> positions_;
};

}  // namespace vlt::engine
