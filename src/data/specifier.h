// Specifiers: which received frames carry a data item's value. Tests and test
// steps use the same specifiers to filter frames.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "data/dgn_ref.h"
#include "data/packet_plan.h"
#include "framework/dgn_table.h"
#include "framework/host_protocol.h"

namespace vlt::data {

// The base matches every frame while its target table's address is FFh, and
// otherwise only frames from that address. A null target counts as FFh.
class Specifier {
 public:
  explicit Specifier(const framework::DgnTable* target) : target_(target) {}
  virtual ~Specifier() = default;
  Specifier(const Specifier&) = delete;
  Specifier& operator=(const Specifier&) = delete;

  virtual void SetTarget(const framework::DgnTable* target) { target_ = target; }
  virtual bool Matches(const framework::FrameMessage& message) const;
  virtual void Dump(std::ostream& /*out*/) const {}
  virtual void SetFirstSlot(const std::uint8_t* /*byte*/, bool /*replace*/) {}
  // FFh when the specifier selects no instance.
  virtual std::uint8_t Instance() const { return 0xFF; }
  virtual std::string InstanceSuffix() const { return {}; }
  virtual std::string InstanceText() const { return {}; }
  virtual std::uint32_t Dgn() const { return 0; }
  // "SpecMask|" and "SpecMatch|" lines; `targetTable` is the program's target table.
  virtual void Describe(std::ostream& out, const framework::DgnTable* targetTable) const;

  const framework::DgnTable* Target() const { return target_; }
  std::uint8_t TargetAddress() const {
    return target_ != nullptr ? target_->address : framework::kGlobalAddress;
  }

 protected:
  // The target is the global address or the frame's source.
  bool FromTarget(const framework::FrameMessage& message) const;

 private:
  const framework::DgnTable* target_;
};

// The shared specifier of items that match everything: a base specifier over a
// table with the global address FFh. Built once on first use and never changed.
const Specifier& SharedSpecifier();

class SpecAlways : public Specifier {
 public:
  SpecAlways() : Specifier(nullptr) {}
  bool Matches(const framework::FrameMessage& /*message*/) const override { return true; }
  void Describe(std::ostream& out, const framework::DgnTable* targetTable) const override;
};

class SpecByDGN : public Specifier {
 public:
  SpecByDGN(const framework::DgnTable* target, DgnRef dgn) : Specifier(target), dgn_(dgn) {}
  bool Matches(const framework::FrameMessage& message) const override;
  void Dump(std::ostream& out) const override;
  std::uint32_t Dgn() const override { return dgn_.Value(); }
  void Describe(std::ostream& out, const framework::DgnTable* targetTable) const override;
  const DgnRef& Ref() const { return dgn_; }

 private:
  DgnRef dgn_;
};

// Every DGN of one destination-specific block, such as all REQUESTs.
class SpecByDGNBlock : public Specifier {
 public:
  SpecByDGNBlock(const framework::DgnTable* target, DgnRef dgn) : Specifier(target), dgn_(dgn) {}
  bool Matches(const framework::FrameMessage& message) const override;
  void Dump(std::ostream& out) const override;
  std::uint32_t Dgn() const override { return dgn_.Value() & kDgnBlockMask; }
  void Describe(std::ostream& out, const framework::DgnTable* targetTable) const override;

 private:
  DgnRef dgn_;
};

// A DGN whose leading data bytes must equal given instance bytes; a null slot
// takes any byte. The bytes behind the slots are not owned.
class SpecByInstance : public SpecByDGN {
 public:
  using InstanceSlots = std::vector<const std::uint8_t*>;

  SpecByInstance(const framework::DgnTable* target, DgnRef dgn, InstanceSlots instanceSlots,
                 std::size_t instanceIndex = 0, PacketPlan::ParameterSlots parameterSlots = {});
  // Data bytes 0, 1, ... must equal the given instance numbers, which the
  // specifier keeps itself; the item's instance is the first.
  SpecByInstance(const framework::DgnTable* target, DgnRef dgn,
                 const std::vector<std::uint8_t>& instances);

  bool Matches(const framework::FrameMessage& message) const override;
  std::uint8_t Instance() const override;
  std::string InstanceSuffix() const override;
  std::string InstanceText() const override;
  void Dump(std::ostream& out) const override;
  void Describe(std::ostream& out, const framework::DgnTable* targetTable) const override;
  // Points the slot that holds the item's instance at `byte`.
  virtual void SetInstanceSlot(const std::uint8_t* byte);

 private:
  std::unique_ptr<std::uint8_t[]> ownedInstances_;  // behind the slots, when given by value
  InstanceSlots instanceSlots_;
  std::size_t instanceIndex_;
  PacketPlan::ParameterSlots parameterSlots_;
};

// Frames that look like a plan's command: its DGN (when it has one) and every
// non-null data slot. The plan is not owned.
class SpecByPlan : public Specifier {
 public:
  SpecByPlan(const framework::DgnTable* target, PacketPlan& plan)
      : Specifier(target), plan_(plan) {}
  bool Matches(const framework::FrameMessage& message) const override;
  void Dump(std::ostream& out) const override;
  void SetFirstSlot(const std::uint8_t* byte, bool replace) override {
    plan_.SetFirstSlot(byte, replace);
  }
  std::uint32_t Dgn() const override { return plan_.Dgn(); }
  void Describe(std::ostream& out, const framework::DgnTable* targetTable) const override;

 private:
  PacketPlan& plan_;
};

}  // namespace vlt::data
