// Setters: turn the value typed for a data item into the command frame that
// changes it on the device, and stay pending until a status frame confirms it.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "data/packet_plan.h"

namespace vlt::data {

inline constexpr std::size_t kString36Chars = 36;

// The base is read-only: it has no value and builds a frame of FFh bytes.
class Setter {
 public:
  // Without a plan, a plan with no DGN and one null data slot.
  explicit Setter(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0);
  virtual ~Setter() = default;
  Setter(const Setter&) = delete;
  Setter& operator=(const Setter&) = delete;

  // The transmit message: 01h, tool address, DGN, priority 6, data length,
  // data FFh with the plan's slots and then the value written over it.
  virtual std::vector<std::uint8_t> BuildMessage(std::uint8_t toolAddress) const;
  // True while `received` does not yet show the pending value; clears pending
  // once it does.
  virtual bool Confirm(std::span<const std::uint8_t> received);
  // True when this cleared a pending flag that was set.
  bool SetPending(bool pending);
  bool IsPending() const { return pending_.load(); }
  void SetLength(std::uint16_t length) { dataLength_ = length; }
  std::uint16_t Length() const { return dataLength_; }
  virtual void Dump(std::ostream& out) const;
  virtual bool IsSettable() const { return false; }
  PacketPlan& Plan() { return *plan_; }
  const PacketPlan& Plan() const { return *plan_; }
  void SetFirstSlot(const std::uint8_t* byte, bool replace) { plan_->SetFirstSlot(byte, replace); }
  std::uint32_t CommandDgn() const { return plan_->Dgn(); }
  virtual void Describe(std::ostream& out, const framework::DgnTable* targetTable) const;
  void SetTolerance(std::uint32_t tolerance) { tolerance_ = tolerance; }
  std::uint32_t Tolerance() const { return tolerance_; }
  std::uint32_t ByteIndex() const { return byteIndex_; }

  // The value to send, in the width of the class; empty for the base.
  std::span<std::uint8_t> PendingValue() { return pendingValue_; }
  std::span<const std::uint8_t> PendingValue() const { return pendingValue_; }

 protected:
  Setter(std::unique_ptr<PacketPlan> plan, std::uint32_t byteIndex, std::size_t valueBytes);

  // Writes the pending value into the frame's data.
  virtual void WriteValue(std::span<std::uint8_t> /*data*/) const {}
  virtual const char* TypeName() const { return "Setter"; }
  virtual void DescribeLocation(std::ostream& out) const;
  // The Dump prefix, "  SetByte idx=3" and the like.
  virtual std::string DumpName() const { return "  Setter"; }

  // Compares the pending value with `received` as an unsigned number over the
  // bytes both have; `tolerance` is the largest difference that confirms.
  bool ConfirmNumber(std::span<const std::uint8_t> received, std::uint32_t tolerance);
  // Writes the pending value little-endian at the byte index, when it fits.
  void WriteBytes(std::span<std::uint8_t> data) const;

  std::vector<std::uint8_t> pendingValue_;

 private:
  std::unique_ptr<PacketPlan> plan_;
  std::uint16_t dataLength_;
  std::atomic<bool> pending_{false};
  std::uint32_t tolerance_ = 0;
  std::uint32_t byteIndex_;
};

// The shared read-only setter of items without a command. Built once on first use.
Setter& SharedReadOnlySetter();

class SetByte : public Setter {
 public:
  explicit SetByte(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0)
      : Setter(std::move(plan), byteIndex, 1) {}
  bool Confirm(std::span<const std::uint8_t> received) override;
  bool IsSettable() const override { return true; }

 protected:
  void WriteValue(std::span<std::uint8_t> data) const override;
  const char* TypeName() const override { return "SetByte"; }
  std::string DumpName() const override;
};

// A field of a few bits inside one byte; the other bits keep what the plan put there.
class SetBits : public SetByte {
 public:
  SetBits(std::unique_ptr<PacketPlan> plan, std::uint32_t byteIndex, std::uint8_t bitPosition,
          std::uint8_t bitCount);

  std::uint8_t BitPosition() const { return bitPosition_; }
  std::uint8_t BitCount() const { return bitCount_; }

 protected:
  void WriteValue(std::span<std::uint8_t> data) const override;
  const char* TypeName() const override { return "SetBits"; }
  void DescribeLocation(std::ostream& out) const override;

 private:
  std::uint8_t bitPosition_;
  std::uint8_t bitCount_;
  std::uint8_t clearMask_;
};

// A 2-bit RV-C status field.
class SetFlag : public SetBits {
 public:
  SetFlag(std::unique_ptr<PacketPlan> plan, std::uint32_t byteIndex, std::uint8_t bitPosition)
      : SetBits(std::move(plan), byteIndex, bitPosition, 2) {}
};

class SetWord : public Setter {
 public:
  explicit SetWord(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0)
      : Setter(std::move(plan), byteIndex, 2) {}
  bool Confirm(std::span<const std::uint8_t> received) override;
  bool IsSettable() const override { return true; }

 protected:
  void WriteValue(std::span<std::uint8_t> data) const override { WriteBytes(data); }
  const char* TypeName() const override { return "SetWord"; }
  std::string DumpName() const override;
};

class Set3Byte : public Setter {
 public:
  explicit Set3Byte(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0)
      : Setter(std::move(plan), byteIndex, 3) {}
  bool Confirm(std::span<const std::uint8_t> received) override;
  bool IsSettable() const override { return true; }

 protected:
  void WriteValue(std::span<std::uint8_t> data) const override { WriteBytes(data); }
  const char* TypeName() const override { return "Set3Byte"; }
  std::string DumpName() const override;
};

class SetUint : public Setter {
 public:
  explicit SetUint(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0)
      : Setter(std::move(plan), byteIndex, 4) {}
  bool Confirm(std::span<const std::uint8_t> received) override;
  bool IsSettable() const override { return true; }

 protected:
  void WriteValue(std::span<std::uint8_t> data) const override { WriteBytes(data); }
  const char* TypeName() const override { return "SetUint"; }
  std::string DumpName() const override;
};

class Set6Byte : public Setter {
 public:
  explicit Set6Byte(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0)
      : Setter(std::move(plan), byteIndex, 6) {}
  bool Confirm(std::span<const std::uint8_t> received) override;
  bool IsSettable() const override { return true; }

 protected:
  void WriteValue(std::span<std::uint8_t> data) const override { WriteBytes(data); }
  const char* TypeName() const override { return "Set6Byte"; }
  std::string DumpName() const override;
};

// A 36-character text and its terminating zero. It writes nothing into the
// frame: the data item sends the text in several packets.
class SetString36Char : public Setter {
 public:
  explicit SetString36Char(std::unique_ptr<PacketPlan> plan = nullptr, std::uint32_t byteIndex = 0)
      : Setter(std::move(plan), byteIndex, kString36Chars + 1) {}
  bool Confirm(std::span<const std::uint8_t> received) override;
  bool IsSettable() const override { return true; }

 protected:
  const char* TypeName() const override { return "SetString36Char"; }
  void DescribeLocation(std::ostream& /*out*/) const override {}
  std::string DumpName() const override;
};

}  // namespace vlt::data
