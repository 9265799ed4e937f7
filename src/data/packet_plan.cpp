#include "data/packet_plan.h"

#include <cstdio>

namespace vlt::data {

namespace {

std::string Hex2(std::uint8_t byte) {
  char text[4];
  std::snprintf(text, sizeof(text), "%02X", byte);
  return text;
}

void PadFields(std::string& text, std::size_t written, const char* field) {
  for (std::size_t i = written; i < kFrameDataBytes; ++i) text += field;
}

}  // namespace

PacketPlan::PacketPlan(DgnRef dgn, DataSlots dataSlots, ParameterSlots parameterSlots)
    : dgn_(dgn), dataSlots_(std::move(dataSlots)), parameterSlots_(std::move(parameterSlots)) {}

void PacketPlan::Retarget(const framework::DgnTable& table) {
  dgn_.Retarget(table);
}

void PacketPlan::Dump(std::ostream& out) const {
  out << "  Plan: ";
  if (HasDgn()) {
    char text[16];
    std::snprintf(text, sizeof(text), "DGN: %05X ", Dgn());
    out << text;
  }
  if (!dataSlots_.empty()) out << "Data: ";
  for (const std::uint8_t* slot : dataSlots_) out << (slot != nullptr ? Hex2(*slot) : "xx") << ' ';
  out << "\n\r";
}

std::size_t PacketPlan::DataLength() const {
  return dataSlots_.size() > kFrameDataBytes ? dataSlots_.size() : kFrameDataBytes;
}

void PacketPlan::SetFirstSlot(const std::uint8_t* byte, bool replace) {
  if (replace && !dataSlots_.empty()) {
    dataSlots_[0] = byte;
  } else {
    dataSlots_.push_back(byte);
  }
}

std::string PacketPlan::MaskText() const {
  std::string text = HasDgn() ? "FFFFF" : "FF.00000";
  for (const std::uint8_t* slot : dataSlots_) text += slot != nullptr ? ":FF" : ":00";
  PadFields(text, dataSlots_.size(), ":00");
  return text;
}

std::string PacketPlan::MatchText(const framework::DgnTable* targetTable) const {
  std::string text = HasDgn() ? dgn_.Text(targetTable) : "00.00000";
  for (const std::uint8_t* slot : dataSlots_) {
    text += ':';
    text += slot != nullptr ? AddressText(slot, targetTable) : "00";
  }
  PadFields(text, dataSlots_.size(), ":00");
  return text;
}

std::string PacketPlan::PrepText(const framework::DgnTable* targetTable) const {
  std::string text = HasDgn() ? dgn_.Text(targetTable) : "00000";
  for (std::size_t i = 0; i < dataSlots_.size(); ++i) {
    if (i < parameterSlots_.size() && parameterSlots_[i].has_value()) {
      text += ":$" + std::to_string(*parameterSlots_[i]);
    } else if (dataSlots_[i] != nullptr) {
      text += ':' + AddressText(dataSlots_[i], targetTable);
    } else {
      text += ":FF";
    }
  }
  PadFields(text, dataSlots_.size(), ":FF");
  return text;
}

void PacketPlan::BuildInto(std::span<std::uint8_t> message) const {
  if (HasDgn() && message.size() >= kTransmitDgnAt + 4) {
    const std::uint32_t dgn = Dgn();
    for (std::size_t i = 0; i < 4; ++i) {
      message[kTransmitDgnAt + i] = static_cast<std::uint8_t>(dgn >> (8 * i));
    }
  }
  for (std::size_t i = 0; i < dataSlots_.size() && kTransmitDataAt + i < message.size(); ++i) {
    if (dataSlots_[i] != nullptr) {
      message[kTransmitDataAt + i] = *dataSlots_[i];
    } else if (i >= kFrameDataBytes) {
      message[kTransmitDataAt + i] = 0xFF;
    }
  }
}

}  // namespace vlt::data
