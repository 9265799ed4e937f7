// The layout of a command frame: its DGN and, per data byte, where the byte
// comes from (an instance byte, the target's address) or that it is left as the
// caller prepared it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "data/dgn_ref.h"
#include "framework/dgn_table.h"

namespace vlt::data {

// Byte offsets of a transmit message (tool to host, 01h).
inline constexpr std::size_t kTransmitDgnAt = 2;
inline constexpr std::size_t kTransmitPriorityAt = 6;
inline constexpr std::size_t kTransmitLengthAt = 7;
inline constexpr std::size_t kTransmitDataAt = 9;
inline constexpr std::size_t kFrameDataBytes = 8;

class PacketPlan {
 public:
  // A null data slot leaves its byte unchanged. The bytes behind the slots are
  // not owned and must outlive the plan. A parameter slot only names its data
  // slot in the description texts.
  using DataSlots = std::vector<const std::uint8_t*>;
  using ParameterSlots = std::vector<std::optional<std::uint32_t>>;

  PacketPlan() = default;
  explicit PacketPlan(DgnRef dgn, DataSlots dataSlots = {}, ParameterSlots parameterSlots = {});

  // Follows `table` when the DGN is destination-specific.
  void Retarget(const framework::DgnTable& table);
  void Dump(std::ostream& out) const;
  // 8, or the number of data slots when there are more.
  std::size_t DataLength() const;
  // With `replace` and at least one slot, replaces slot 0; otherwise appends.
  void SetFirstSlot(const std::uint8_t* byte, bool replace);
  std::uint32_t Dgn() const { return dgn_.Value(); }
  bool HasDgn() const { return !dgn_.IsNone(); }
  const DgnRef& Ref() const { return dgn_; }
  const DataSlots& Slots() const { return dataSlots_; }

  // Description texts: address, DGN and eight data fields.
  std::string MatchText(const framework::DgnTable* targetTable) const;
  std::string MaskText() const;
  std::string PrepText(const framework::DgnTable* targetTable) const;

  // Writes the DGN into a transmit message and each non-null slot's byte into
  // its data byte; a null slot past the eighth writes FFh. Never writes past
  // the message.
  void BuildInto(std::span<std::uint8_t> message) const;

 private:
  DgnRef dgn_;
  DataSlots dataSlots_;
  ParameterSlots parameterSlots_;
};

}  // namespace vlt::data
