#include "data/specifier.h"

#include <algorithm>
#include <cstdio>

namespace vlt::data {

namespace {

constexpr const char* kNoData = ":00.00.00.00.00.00.00.00";

std::string Hex05(std::uint32_t dgn) {
  char text[16];
  std::snprintf(text, sizeof(text), "%05X", dgn);
  return text;
}

std::string Hex02(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", byte);
  return text;
}

bool IsFrame(const framework::FrameMessage& message) {
  return message.type == framework::kMsgFrame || message.type == framework::kMsgStampedFrame;
}

}  // namespace

bool Specifier::FromTarget(const framework::FrameMessage& message) const {
  const std::uint8_t address = TargetAddress();
  return address == framework::kGlobalAddress || address == message.sourceAddress;
}

bool Specifier::Matches(const framework::FrameMessage& message) const {
  if (TargetAddress() == framework::kGlobalAddress) return true;
  return IsFrame(message) && FromTarget(message);
}

void Specifier::Describe(std::ostream& out, const framework::DgnTable* targetTable) const {
  out << "SpecMask|FF.00000" << kNoData << '\n';
  const std::uint8_t* address = target_ != nullptr ? &target_->address : nullptr;
  out << "SpecMatch|" << AddressText(address, targetTable) << ".00000" << kNoData << '\n';
}

const Specifier& SharedSpecifier() {
  static const framework::DgnTable kGlobalTable = framework::DgnTable::For(0xFF);
  static const Specifier kShared(&kGlobalTable);
  return kShared;
}

void SpecAlways::Describe(std::ostream& out, const framework::DgnTable* /*targetTable*/) const {
  out << "SpecMask|00.00000" << kNoData << '\n';
  out << "SpecMatch|00.00000" << kNoData << '\n';
}

bool SpecByDGN::Matches(const framework::FrameMessage& message) const {
  return IsFrame(message) && FromTarget(message) && message.dgn == dgn_.Value();
}

void SpecByDGN::Dump(std::ostream& out) const {
  out << "  SpecByDGN  dgn: " << Hex05(Dgn()) << "\n\r";
}

void SpecByDGN::Describe(std::ostream& out, const framework::DgnTable* targetTable) const {
  out << "SpecMask|00.FFFFF" << kNoData << '\n';
  out << "SpecMatch|00." << dgn_.Text(targetTable) << kNoData << '\n';
}

bool SpecByDGNBlock::Matches(const framework::FrameMessage& message) const {
  return IsFrame(message) && FromTarget(message) &&
         (message.dgn & kDgnBlockMask) == (dgn_.Value() & kDgnBlockMask);
}

void SpecByDGNBlock::Dump(std::ostream& out) const {
  out << "  SpecByDGNBlock  dgn: " << Hex05(Dgn()) << "\n\r";
}

void SpecByDGNBlock::Describe(std::ostream& out, const framework::DgnTable* targetTable) const {
  out << "SpecMask|00.FFF00" << kNoData << '\n';
  const bool inTarget = dgn_.Table() != nullptr && dgn_.Table() == targetTable;
  const std::string text = inTarget ? dgn_.Text(targetTable) : Hex05(Dgn());
  out << "SpecMatch|00." << text << kNoData << '\n';
}

SpecByInstance::SpecByInstance(const framework::DgnTable* target, DgnRef dgn,
                               InstanceSlots instanceSlots, std::size_t instanceIndex,
                               PacketPlan::ParameterSlots parameterSlots)
    : SpecByDGN(target, dgn),
      instanceSlots_(std::move(instanceSlots)),
      instanceIndex_(instanceIndex),
      parameterSlots_(std::move(parameterSlots)) {}

SpecByInstance::SpecByInstance(const framework::DgnTable* target, DgnRef dgn,
                               const std::vector<std::uint8_t>& instances)
    : SpecByDGN(target, dgn),
      ownedInstances_(std::make_unique<std::uint8_t[]>(instances.size())),
      instanceIndex_(0) {
  for (std::size_t i = 0; i < instances.size(); ++i) {
    ownedInstances_[i] = instances[i];
    instanceSlots_.push_back(&ownedInstances_[i]);
  }
}

bool SpecByInstance::Matches(const framework::FrameMessage& message) const {
  if (!SpecByDGN::Matches(message)) return false;
  for (std::size_t i = 0; i < instanceSlots_.size(); ++i) {
    if (instanceSlots_[i] == nullptr) continue;
    // A frame too short to hold the instance byte cannot carry that instance.
    if (i >= message.data.size() || message.data[i] != *instanceSlots_[i]) return false;
  }
  return true;
}

std::uint8_t SpecByInstance::Instance() const {
  if (instanceIndex_ >= instanceSlots_.size() || instanceSlots_[instanceIndex_] == nullptr) {
    return 0xFF;
  }
  return *instanceSlots_[instanceIndex_];
}

std::string SpecByInstance::InstanceSuffix() const {
  char text[16];
  std::snprintf(text, sizeof(text), " [%3d]", Instance());
  return text;
}

std::string SpecByInstance::InstanceText() const {
  std::string text;
  for (const std::uint8_t* slot : instanceSlots_) {
    if (!text.empty()) text += ',';
    text += slot != nullptr ? std::to_string(*slot) : "*";
  }
  return text;
}

void SpecByInstance::Dump(std::ostream& out) const {
  out << "  SpecByInstance  dgn: " << Hex05(Dgn()) << "  inst: " << int{Instance()} << "\n\r";
}

void SpecByInstance::Describe(std::ostream& out, const framework::DgnTable* targetTable) const {
  const std::size_t maskFields = std::max(instanceSlots_.size(), kFrameDataBytes);
  out << "SpecMask|00.FFFFF:";
  for (std::size_t i = 0; i < maskFields; ++i) {
    if (i > 0) out << '.';
    out << (i < instanceSlots_.size() && instanceSlots_[i] != nullptr ? "FF" : "00");
  }
  out << '\n';
  out << "SpecMatch|00." << Ref().Text(targetTable) << ':';
  for (std::size_t i = 0; i < instanceSlots_.size(); ++i) {
    if (i > 0) out << '.';
    if (i < parameterSlots_.size() && parameterSlots_[i].has_value()) {
      out << '$' << *parameterSlots_[i];
    } else {
      out << (instanceSlots_[i] != nullptr ? Hex02(*instanceSlots_[i]) : "00");
    }
  }
  out << '\n';
}

void SpecByInstance::SetInstanceSlot(const std::uint8_t* byte) {
  if (instanceSlots_.size() <= instanceIndex_) instanceSlots_.resize(instanceIndex_ + 1, nullptr);
  instanceSlots_[instanceIndex_] = byte;
}

bool SpecByPlan::Matches(const framework::FrameMessage& message) const {
  if (!IsFrame(message) || !FromTarget(message)) return false;
  if (plan_.HasDgn() && plan_.Dgn() != message.dgn) return false;
  const PacketPlan::DataSlots& slots = plan_.Slots();
  for (std::size_t i = 0; i < slots.size(); ++i) {
    if (slots[i] == nullptr) continue;
    if (i >= message.data.size() || message.data[i] != *slots[i]) return false;
  }
  return true;
}

void SpecByPlan::Dump(std::ostream& out) const {
  out << "  SpecByPlan";
  plan_.Dump(out);
}

void SpecByPlan::Describe(std::ostream& out, const framework::DgnTable* targetTable) const {
  out << "SpecMask|00." << plan_.MaskText() << '\n';
  out << "SpecMatch|00." << plan_.MatchText(targetTable) << '\n';
}

}  // namespace vlt::data
