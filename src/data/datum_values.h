// The data items that read one field of a frame: bytes, bit fields, words,
// manufacturer codes, three-, four- and five-byte numbers and whole packets. A
// field that lies beyond the frame's data, or holds the not-available pattern,
// is ignored.
#pragma once

#include "data/datum.h"

namespace vlt::data {

// A byte. Byte items select children by their current value.
class DatumByte : public Datum {
 public:
  DatumByte(DataContext& context, std::string title, std::uint32_t byteIndex);

  void OnFrame(const framework::FrameMessage& message) override;
  List ChildrenFor(std::uint8_t key) override;
  bool HasChildrenNow() override;
  bool HasKeyedChildren() const override;
  bool AllowsChild(std::uint8_t key) override;
  bool HasValue() const override;
  const char* TypeName() const override { return "DatumByte"; }
  void DescribeLocation(std::ostream& out) const override;
  bool CheckValueMaker() override { return ValidateValueMaker(8); }
  std::uint32_t ByteIndex() const { return byteIndex_; }

 protected:
  DatumByte(DataContext& context, std::string title, std::uint32_t byteIndex,
            std::uint8_t notAvailable);
  std::uint8_t CurrentKey() const override;
  void DumpValue(std::ostream& out) const override;

 private:
  std::uint32_t byteIndex_;
};

// A field of `bitCount` bits at `bitPosition` of one byte; the raw value is the
// field itself, and the field's all-ones code is its not-available pattern.
class DatumBits : public DatumByte {
 public:
  DatumBits(DataContext& context, std::string title, std::uint32_t byteIndex,
            std::uint8_t bitPosition, std::uint8_t bitCount);

  void OnFrame(const framework::FrameMessage& message) override;
  // Neither the field's not-available code nor, for two bits and more, its error code.
  bool HasValue() const override;
  const char* TypeName() const override { return "DatumBits"; }
  void DescribeLocation(std::ostream& out) const override;
  bool CheckValueMaker() override { return ValidateValueMaker(bitCount_); }
  std::uint8_t BitPosition() const { return bitPosition_; }
  std::uint8_t BitCount() const { return bitCount_; }
  std::uint8_t Mask() const { return mask_; }

 private:
  std::uint8_t bitPosition_;
  std::uint8_t bitCount_;
  std::uint8_t mask_;
};

// A 2-bit RV-C status.
class DatumFlag : public DatumBits {
 public:
  DatumFlag(DataContext& context, std::string title, std::uint32_t byteIndex,
            std::uint8_t bitPosition)
      : DatumBits(context, std::move(title), byteIndex, bitPosition, 2) {}
};

class DatumRawBits : public DatumBits {
 public:
  using DatumBits::DatumBits;
};

// Two bytes, little-endian.
class DatumWord : public Datum {
 public:
  DatumWord(DataContext& context, std::string title, std::uint32_t byteIndex);

  void OnFrame(const framework::FrameMessage& message) override;
  bool HasValue() const override;
  const char* TypeName() const override { return "DatumWord"; }
  void DescribeLocation(std::ostream& out) const override;
  bool CheckValueMaker() override { return ValidateValueMaker(16); }
  std::uint32_t ByteIndex() const { return byteIndex_; }

 private:
  std::uint32_t byteIndex_;
};

// The 11-bit SAE J1939 manufacturer code, gathered from two bit fields.
class DatumMfgId : public DatumWord {
 public:
  struct Part {
    std::uint32_t byteIndex;
    std::uint8_t bitPosition;
    std::uint8_t bitCount;
  };
  // The NAME of an ADDRESS_CLAIM: data[2] bits 5 to 7, then data[3].
  static constexpr Part kNameLow{2, 5, 3};
  static constexpr Part kNameHigh{3, 0, 8};
  static constexpr std::uint16_t kHighestCode = 2045;

  DatumMfgId(DataContext& context, std::string title, Part low = kNameLow, Part high = kNameHigh);

  void OnFrame(const framework::FrameMessage& message) override;

 private:
  Part low_;
  Part high_;
};

// Three, four or five bytes, little-endian; all bytes FFh is not available.
class DatumMultiByte : public Datum {
 public:
  void OnFrame(const framework::FrameMessage& message) override;
  void DescribeLocation(std::ostream& out) const override;
  bool CheckValueMaker() override;
  std::uint32_t ByteIndex() const { return byteIndex_; }

 protected:
  DatumMultiByte(DataContext& context, std::string title, std::uint32_t byteIndex,
                 std::size_t bytes);

 private:
  std::uint32_t byteIndex_;
};

class Datum3Byte : public DatumMultiByte {
 public:
  Datum3Byte(DataContext& context, std::string title, std::uint32_t byteIndex)
      : DatumMultiByte(context, std::move(title), byteIndex, 3) {}
  const char* TypeName() const override { return "Datum3Byte"; }
};

class DatumUint : public DatumMultiByte {
 public:
  DatumUint(DataContext& context, std::string title, std::uint32_t byteIndex)
      : DatumMultiByte(context, std::move(title), byteIndex, 4) {}
  const char* TypeName() const override { return "DatumUint"; }
};

class Datum5Byte : public DatumMultiByte {
 public:
  Datum5Byte(DataContext& context, std::string title, std::uint32_t byteIndex)
      : DatumMultiByte(context, std::move(title), byteIndex, 5) {}
  const char* TypeName() const override { return "Datum5Byte"; }
};

// The first eight data bytes of every matching frame, FFh where the frame is shorter.
class DatumFullPacket : public Datum {
 public:
  DatumFullPacket(DataContext& context, std::string title);

  void OnFrame(const framework::FrameMessage& message) override;
  const char* TypeName() const override { return "DatumFullPacket"; }
  bool CheckValueMaker() override { return ValidateValueMaker(64); }
};

}  // namespace vlt::data
