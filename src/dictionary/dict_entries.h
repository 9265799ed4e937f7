// Dictionary entries: one signal of one DGN each, with where its bits lie in the
// frame's data, the value maker that reads them and the label function that names
// the value. An entry lists the signal's value in a decoded frame, gives its value
// text to the compliance tests, and builds the data item that shows and sets it.
//
// Entries never change once the dictionary holds them, so the tick thread and the
// window thread may use one at the same time. No entry reads past the data a frame
// actually carries: a field the frame is too short for is not available.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_context.h"
#include "data/datum.h"
#include "data/setter.h"
#include "data/specifier.h"
#include "dictionary/dict_labels.h"
#include "framework/dgn_table.h"
#include "framework/host_protocol.h"
#include "values/value_maker.h"

namespace vlt::dictionary {

// Data bytes of one classic frame; no entry's field reaches beyond them.
inline constexpr std::size_t kEntryDataBytes = 8;

struct ValuePair {
  std::string label;
  std::string value;
  bool operator==(const ValuePair&) const = default;
};
using ValueList = std::vector<ValuePair>;

// The base: a signal with no position. It lists nothing and formats "Err"; the
// dictionary uses it for the second, command-DGN registration of a settable signal.
class DictEntry {
 public:
  DictEntry(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
            std::uint32_t commandDgn, const values::ValueMaker* maker, LabelFunction label = &L0);
  virtual ~DictEntry() = default;
  DictEntry(const DictEntry&) = delete;
  DictEntry& operator=(const DictEntry&) = delete;

  // The data item of `MakeDatum`, for the instances the given items select; it
  // carries the first child word the items have. The items are not changed.
  std::unique_ptr<data::Datum> MakeDatumFor(data::DataContext& context,
                                            const data::Datum::List& items) const;
  // The data item showing this signal, settable through the command DGN when
  // there is one. With an instance label and instance numbers it takes only
  // frames whose leading data bytes equal them. Whole packets, manufacturer codes
  // and five-byte fields have no setter of their layout and are read only; the
  // base builds a title-only item.
  virtual std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                                 const std::vector<std::uint8_t>& instances) const;
  // Appends (label, value text) when the frame carries the signal.
  virtual void CollectValues(ValueList& values, const framework::FrameMessage& frame) const;
  // The value text whatever the field holds ("N/D" for the not-available code,
  // and for a field the frame is too short for).
  virtual std::string FormatValue(const framework::FrameMessage& frame) const;
  // False when the position reaches beyond the frame's eight data bytes.
  virtual bool PositionFits() const { return true; }

  void SetTarget(const framework::DgnTable* target) { target_ = target; }
  void SetIdentifier(std::int32_t identifier, std::string identifierText);

  const std::string& Name() const { return name_; }
  std::uint32_t StatusDgn() const { return statusDgn_; }
  std::uint32_t CommandDgn() const { return commandDgn_; }
  std::int32_t Identifier() const { return identifier_; }
  const std::string& IdentifierText() const { return identifierText_; }
  const framework::DgnTable* Target() const { return target_; }
  const values::ValueMaker& Maker() const { return *maker_; }
  LabelFunction Label() const { return label_; }
  bool HasInstanceLabel() const { return label_ != &L0; }
  std::string LabelFor(const framework::FrameMessage& frame) const { return label_(name_, frame); }

 protected:
  void Append(ValueList& values, const framework::FrameMessage& frame,
              std::span<const std::uint8_t> raw) const;
  // Gives the item its specifier, its setter (the shared read-only one when
  // `setter` is null), the value maker and the identifier.
  std::unique_ptr<data::Datum> Equip(std::unique_ptr<data::Datum> datum,
                                     std::unique_ptr<data::Setter> setter,
                                     const std::vector<std::uint8_t>& instances) const;
  // The command's plan, null when the signal cannot be set.
  std::unique_ptr<data::PacketPlan> CommandPlan() const;
  bool Settable() const { return commandDgn_ != 0; }

 private:
  std::string name_;
  const framework::DgnTable* target_;
  std::uint32_t statusDgn_;
  std::uint32_t commandDgn_;
  std::int32_t identifier_ = -1;
  std::string identifierText_;
  const values::ValueMaker* maker_;
  LabelFunction label_;
};

// One byte; FFh is not available.
class DictByte : public DictEntry {
 public:
  DictByte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
           std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
           LabelFunction label = &L0);

  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
  void CollectValues(ValueList& values, const framework::FrameMessage& frame) const override;
  std::string FormatValue(const framework::FrameMessage& frame) const override;
  bool PositionFits() const override { return byteIndex_ < kEntryDataBytes; }
  std::uint8_t ByteIndex() const { return byteIndex_; }

 protected:
  // The field's value in the entry's byte.
  virtual std::uint8_t Field(std::uint8_t byte) const { return byte; }
  // The value means "not available" and the signal is left out.
  virtual bool Skips(std::uint8_t value) const { return value == 0xFF; }
  // The frame's value matches what the entry reads (the AGS criterion).
  virtual bool Selects(const framework::FrameMessage& /*frame*/) const { return true; }

 private:
  std::uint8_t byteIndex_;
};

// `bitCount` bits at `bitPosition` of one byte; all ones is not available.
class DictBits : public DictByte {
 public:
  DictBits(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
           std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
           std::uint8_t bitPosition, std::uint8_t bitCount, LabelFunction label = &L0);

  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
  bool PositionFits() const override;
  std::uint8_t BitPosition() const { return bitPosition_; }
  std::uint8_t BitCount() const { return bitCount_; }
  std::uint8_t Mask() const { return mask_; }

 protected:
  std::uint8_t Field(std::uint8_t byte) const override;
  bool Skips(std::uint8_t value) const override { return value == mask_; }

 private:
  std::uint8_t bitPosition_;
  std::uint8_t bitCount_;
  std::uint8_t mask_;
};

// A 2-bit RV-C status: 0 and 1 named, 2 error, 3 not available.
class DictFlag : public DictBits {
 public:
  DictFlag(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
           std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
           std::uint8_t bitPosition, LabelFunction label = &L0);

  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
};

// A bit field every value of which means something, such as a NAME's
// arbitrary-address-capable bit: never left out.
class DictRawBits : public DictBits {
 public:
  using DictBits::DictBits;

  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;

 protected:
  bool Skips(std::uint8_t /*value*/) const override { return false; }
};

// Two to five bytes, little-endian; all bytes FFh is not available.
class DictMultiByte : public DictEntry {
 public:
  void CollectValues(ValueList& values, const framework::FrameMessage& frame) const override;
  std::string FormatValue(const framework::FrameMessage& frame) const override;
  bool PositionFits() const override;
  std::uint8_t ByteIndex() const { return byteIndex_; }
  std::size_t Width() const { return width_; }

 protected:
  DictMultiByte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
                std::size_t width, LabelFunction label);
  virtual bool Selects(const framework::FrameMessage& /*frame*/) const { return true; }

 private:
  std::uint8_t byteIndex_;
  std::size_t width_;
};

class DictWord : public DictMultiByte {
 public:
  DictWord(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
           std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
           LabelFunction label = &L0);
  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
};

class Dict3Byte : public DictMultiByte {
 public:
  Dict3Byte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
            std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
            LabelFunction label = &L0);
  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
};

class DictUint : public DictMultiByte {
 public:
  DictUint(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
           std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
           LabelFunction label = &L0);
  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
};

class Dict5Byte : public DictMultiByte {
 public:
  Dict5Byte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
            std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t byteIndex,
            LabelFunction label = &L0);
  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
};

// The eight data bytes (fewer when the frame is shorter); always listed.
class DictFullPacket : public DictEntry {
 public:
  DictFullPacket(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                 std::uint32_t commandDgn, const values::ValueMaker* maker,
                 LabelFunction label = &L0);
  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
  void CollectValues(ValueList& values, const framework::FrameMessage& frame) const override;
  std::string FormatValue(const framework::FrameMessage& frame) const override;
};

// A manufacturer code gathered from two bit fields: the low part's bits, then the
// high part's above them. A NAME's code is data[2] bits 5 to 7 plus data[3] x 8.
class DictMfgId : public DictEntry {
 public:
  struct Part {
    std::uint8_t byteIndex;
    std::uint8_t bitPosition;
    std::uint8_t bitCount;
  };

  DictMfgId(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
            std::uint32_t commandDgn, const values::ValueMaker* maker, std::uint8_t lowByte,
            std::uint8_t lowBit, std::uint8_t lowBits, std::uint8_t highByte, std::uint8_t highBit,
            std::uint8_t highBits, LabelFunction label = &L0);

  std::unique_ptr<data::Datum> MakeDatum(data::DataContext& context,
                                         const std::vector<std::uint8_t>& instances) const override;
  // Listed whatever the code, as long as the frame holds both parts.
  void CollectValues(ValueList& values, const framework::FrameMessage& frame) const override;
  std::string FormatValue(const framework::FrameMessage& frame) const override;
  bool PositionFits() const override;

 private:
  std::uint16_t Code(std::span<const std::uint8_t> data) const;

  Part low_;
  Part high_;
};

// The PRODUCT_ID text: fields each ended by "*", listed as the name followed by
// Manufacturer, Model, SerialNumber and AuxSerNumber; a fifth field is ignored.
class DictProductID : public DictEntry {
 public:
  static constexpr std::string_view kFieldNames[] = {"Manufacturer", "Model", "SerialNumber",
                                                     "AuxSerNumber"};

  DictProductID(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                std::uint32_t commandDgn, const values::ValueMaker* maker,
                LabelFunction label = &L0);
  void CollectValues(ValueList& values, const framework::FrameMessage& frame) const override;
  // The text as sent, up to its first zero byte.
  std::string FormatValue(const framework::FrameMessage& frame) const override;
};

// The generator auto-start criterion a frame of `statusDgn` is about: data[1] in
// AGS_CRITERION_STS, data[0] in every other DGN. Nothing when the frame has no such byte.
std::optional<std::uint8_t> AgsCriterionOf(std::uint32_t statusDgn,
                                           std::span<const std::uint8_t> data);
inline constexpr std::uint32_t kAgsCriterionStatusDgn = 0x1FEFE;

// A byte or word of one auto-start criterion: listed only from frames about it.
class DictByte_AGSCritSetting : public DictByte {
 public:
  DictByte_AGSCritSetting(std::string name, const framework::DgnTable* target,
                          std::uint32_t statusDgn, std::uint32_t commandDgn, std::uint8_t criterion,
                          const values::ValueMaker* maker, std::uint8_t byteIndex,
                          LabelFunction label = &L0);
  std::uint8_t Criterion() const { return criterion_; }

 protected:
  bool Selects(const framework::FrameMessage& frame) const override;

 private:
  std::uint8_t criterion_;
};

class DictWord_AGSCritSetting : public DictWord {
 public:
  DictWord_AGSCritSetting(std::string name, const framework::DgnTable* target,
                          std::uint32_t statusDgn, std::uint32_t commandDgn, std::uint8_t criterion,
                          const values::ValueMaker* maker, std::uint8_t byteIndex,
                          LabelFunction label = &L0);
  std::uint8_t Criterion() const { return criterion_; }

 protected:
  bool Selects(const framework::FrameMessage& frame) const override;

 private:
  std::uint8_t criterion_;
};

}  // namespace vlt::dictionary
