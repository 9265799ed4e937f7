// A 36-character text that travels in several packets: each packet carries a
// location byte (offset of its first character in bits 0 to 4, character count
// in bits 5 to 7) followed by the characters.
#pragma once

#include "data/datum.h"

namespace vlt::data {

class DatumString36Char : public Datum {
 public:
  // Layout 1: location at data byte 2, five characters from byte 3. Any other
  // layout: location at byte 1, six characters from byte 2.
  static constexpr int kLayoutFromByte3 = 1;
  static constexpr std::size_t kTextChars = kString36Chars;
  // The location byte holds the offset in five bits.
  static constexpr std::size_t kMaxOffset = 0x1F;
  // An end marker is sent only while its offset stays at or below this.
  static constexpr std::size_t kLastEndMarkerOffset = 30;

  DatumString36Char(DataContext& context, std::string title, int layout = 0);

  void OnFrame(const framework::FrameMessage& message) override;
  // Sends the pending text as a sequence of packets, 10 ms apart, from the tick
  // thread; the caller does not wait.
  void SendNow() override;
  const char* TypeName() const override { return "Datum36Char"; }
  void DescribeLocation(std::ostream& out) const override;

  // The command packets of a text, as SendNow queues them.
  std::vector<std::vector<std::uint8_t>> BuildPackets(std::string_view text) const;
  std::size_t LocationIndex() const { return locationIndex_; }
  std::size_t CharsPerPacket() const { return charsPerPacket_; }

 private:
  std::size_t locationIndex_;
  std::size_t charsPerPacket_;
};

}  // namespace vlt::data
