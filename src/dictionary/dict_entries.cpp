#include "dictionary/dict_entries.h"

#include <algorithm>

#include "data/datum_values.h"
#include "data/dgn_ref.h"
#include "values/value_maker_shared.h"

namespace vlt::dictionary {

namespace {

using framework::FrameMessage;

constexpr std::string_view kBaseValueText = "Err";
// A packet without data: padding it would show a value no frame carried (a
// claim's NAME of all FFh).
constexpr std::string_view kNoPacketText = "N/A";

std::uint8_t FieldMask(std::uint8_t bitCount) {
  return static_cast<std::uint8_t>((1u << std::min<unsigned>(bitCount, 8)) - 1);
}

bool BitsFit(std::uint8_t byteIndex, std::uint8_t bitPosition, std::uint8_t bitCount) {
  return byteIndex < kEntryDataBytes && bitCount >= 1 && bitPosition + bitCount <= 8;
}

data::DgnRef RefTo(const framework::DgnTable* table, std::uint32_t dgn) {
  return table != nullptr ? data::DgnRef(*table, dgn) : data::DgnRef::OfValue(dgn);
}

}  // namespace

// ---------------------------------------------------------------------------
// DictEntry

DictEntry::DictEntry(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                     std::uint32_t commandDgn, const values::ValueMaker* maker, LabelFunction label)
    : name_(std::move(name)),
      target_(target),
      statusDgn_(statusDgn),
      commandDgn_(commandDgn),
      maker_(maker),
      label_(label != nullptr ? label : &L0) {
  if (maker_ == nullptr) maker_ = &values::SharedValueMakers::Instance().plain;
}

void DictEntry::SetIdentifier(std::int32_t identifier, std::string identifierText) {
  identifier_ = identifier;
  identifierText_ = std::move(identifierText);
}

std::unique_ptr<data::Datum> DictEntry::MakeDatumFor(data::DataContext& context,
                                                     const data::Datum::List& items) const {
  std::vector<std::uint8_t> instances;
  std::int32_t childWord = -1;
  for (const data::Datum* item : items) {
    if (item == nullptr) continue;
    const std::uint8_t instance = item->GetSpecifier().Instance();
    if (instance != 0xFF) instances.push_back(instance);
    if (childWord == -1) childWord = item->ChildWord();
  }
  std::unique_ptr<data::Datum> datum = MakeDatum(context, instances);
  datum->SetChildWord(childWord);
  return datum;
}

std::unique_ptr<data::Datum> DictEntry::MakeDatum(data::DataContext& context,
                                                  const std::vector<std::uint8_t>&) const {
  return std::make_unique<data::Datum>(context, name_);
}

void DictEntry::CollectValues(ValueList&, const FrameMessage&) const {}

std::string DictEntry::FormatValue(const FrameMessage&) const {
  return std::string(kBaseValueText);
}

void DictEntry::Append(ValueList& values, const FrameMessage& frame,
                       std::span<const std::uint8_t> raw) const {
  values.push_back(ValuePair{LabelFor(frame), maker_->Format(raw)});
}

std::unique_ptr<data::Datum> DictEntry::Equip(std::unique_ptr<data::Datum> datum,
                                              std::unique_ptr<data::Setter> setter,
                                              const std::vector<std::uint8_t>& instances) const {
  const data::DgnRef status = RefTo(target_, statusDgn_);
  if (HasInstanceLabel() && !instances.empty()) {
    datum->OwnSpecifier(std::make_unique<data::SpecByInstance>(target_, status, instances));
  } else {
    datum->OwnSpecifier(std::make_unique<data::SpecByDGN>(target_, status));
  }
  if (setter != nullptr) datum->OwnSetter(std::move(setter));
  datum->SetValueMaker(maker_);
  datum->SetIdentifier(identifier_);
  datum->SetIdentifierText(identifierText_);
  return datum;
}

std::unique_ptr<data::PacketPlan> DictEntry::CommandPlan() const {
  if (!Settable()) return nullptr;
  return std::make_unique<data::PacketPlan>(RefTo(target_, commandDgn_));
}

// ---------------------------------------------------------------------------
// DictByte and the bit fields

DictByte::DictByte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                   std::uint32_t commandDgn, const values::ValueMaker* maker,
                   std::uint8_t byteIndex, LabelFunction label)
    : DictEntry(std::move(name), target, statusDgn, commandDgn, maker, label),
      byteIndex_(byteIndex) {}

void DictByte::CollectValues(ValueList& values, const FrameMessage& frame) const {
  if (byteIndex_ >= frame.data.size()) return;
  const std::uint8_t value = Field(frame.data[byteIndex_]);
  if (Skips(value) || !Selects(frame)) return;
  Append(values, frame, std::span(&value, 1));
}

std::string DictByte::FormatValue(const FrameMessage& frame) const {
  // A field the frame is too short for is shown as its maker shows "not available".
  if (byteIndex_ >= frame.data.size()) return Maker().Format({});
  const std::uint8_t value = Field(frame.data[byteIndex_]);
  return Maker().Format(std::span(&value, 1));
}

std::unique_ptr<data::Datum> DictByte::MakeDatum(data::DataContext& context,
                                                 const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable()) setter = std::make_unique<data::SetByte>(CommandPlan(), byteIndex_);
  return Equip(std::make_unique<data::DatumByte>(context, Name(), byteIndex_), std::move(setter),
               instances);
}

DictBits::DictBits(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                   std::uint32_t commandDgn, const values::ValueMaker* maker,
                   std::uint8_t byteIndex, std::uint8_t bitPosition, std::uint8_t bitCount,
                   LabelFunction label)
    : DictByte(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, label),
      bitPosition_(bitPosition),
      bitCount_(bitCount),
      mask_(FieldMask(bitCount)) {}

bool DictBits::PositionFits() const {
  return BitsFit(ByteIndex(), bitPosition_, bitCount_);
}

std::uint8_t DictBits::Field(std::uint8_t byte) const {
  // A position outside the byte has no bits: not available.
  if (bitPosition_ > 7) return mask_;
  return static_cast<std::uint8_t>((byte >> bitPosition_) & mask_);
}

std::unique_ptr<data::Datum> DictBits::MakeDatum(data::DataContext& context,
                                                 const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable()) {
    setter = std::make_unique<data::SetBits>(CommandPlan(), ByteIndex(), bitPosition_, bitCount_);
  }
  return Equip(
      std::make_unique<data::DatumBits>(context, Name(), ByteIndex(), bitPosition_, bitCount_),
      std::move(setter), instances);
}

DictFlag::DictFlag(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                   std::uint32_t commandDgn, const values::ValueMaker* maker,
                   std::uint8_t byteIndex, std::uint8_t bitPosition, LabelFunction label)
    : DictBits(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, bitPosition, 2,
               label) {}

std::unique_ptr<data::Datum> DictFlag::MakeDatum(data::DataContext& context,
                                                 const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable())
    setter = std::make_unique<data::SetFlag>(CommandPlan(), ByteIndex(), BitPosition());
  return Equip(std::make_unique<data::DatumFlag>(context, Name(), ByteIndex(), BitPosition()),
               std::move(setter), instances);
}

std::unique_ptr<data::Datum> DictRawBits::MakeDatum(
    data::DataContext& context, const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable()) {
    setter = std::make_unique<data::SetBits>(CommandPlan(), ByteIndex(), BitPosition(), BitCount());
  }
  return Equip(
      std::make_unique<data::DatumRawBits>(context, Name(), ByteIndex(), BitPosition(), BitCount()),
      std::move(setter), instances);
}

// ---------------------------------------------------------------------------
// Multi-byte fields

DictMultiByte::DictMultiByte(std::string name, const framework::DgnTable* target,
                             std::uint32_t statusDgn, std::uint32_t commandDgn,
                             const values::ValueMaker* maker, std::uint8_t byteIndex,
                             std::size_t width, LabelFunction label)
    : DictEntry(std::move(name), target, statusDgn, commandDgn, maker, label),
      byteIndex_(byteIndex),
      width_(width) {}

bool DictMultiByte::PositionFits() const {
  return byteIndex_ + width_ <= kEntryDataBytes;
}

void DictMultiByte::CollectValues(ValueList& values, const FrameMessage& frame) const {
  if (byteIndex_ > frame.data.size() || frame.data.size() - byteIndex_ < width_) return;
  const auto field = frame.data.subspan(byteIndex_, width_);
  if (std::all_of(field.begin(), field.end(), [](std::uint8_t b) { return b == 0xFF; })) return;
  if (!Selects(frame)) return;
  Append(values, frame, field);
}

std::string DictMultiByte::FormatValue(const FrameMessage& frame) const {
  if (byteIndex_ > frame.data.size() || frame.data.size() - byteIndex_ < width_) {
    return Maker().Format({});
  }
  return Maker().Format(frame.data.subspan(byteIndex_, width_));
}

DictWord::DictWord(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                   std::uint32_t commandDgn, const values::ValueMaker* maker,
                   std::uint8_t byteIndex, LabelFunction label)
    : DictMultiByte(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, 2, label) {}

std::unique_ptr<data::Datum> DictWord::MakeDatum(data::DataContext& context,
                                                 const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable()) setter = std::make_unique<data::SetWord>(CommandPlan(), ByteIndex());
  return Equip(std::make_unique<data::DatumWord>(context, Name(), ByteIndex()), std::move(setter),
               instances);
}

Dict3Byte::Dict3Byte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                     std::uint32_t commandDgn, const values::ValueMaker* maker,
                     std::uint8_t byteIndex, LabelFunction label)
    : DictMultiByte(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, 3, label) {}

std::unique_ptr<data::Datum> Dict3Byte::MakeDatum(
    data::DataContext& context, const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable()) setter = std::make_unique<data::Set3Byte>(CommandPlan(), ByteIndex());
  return Equip(std::make_unique<data::Datum3Byte>(context, Name(), ByteIndex()), std::move(setter),
               instances);
}

DictUint::DictUint(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                   std::uint32_t commandDgn, const values::ValueMaker* maker,
                   std::uint8_t byteIndex, LabelFunction label)
    : DictMultiByte(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, 4, label) {}

std::unique_ptr<data::Datum> DictUint::MakeDatum(data::DataContext& context,
                                                 const std::vector<std::uint8_t>& instances) const {
  std::unique_ptr<data::Setter> setter;
  if (Settable()) setter = std::make_unique<data::SetUint>(CommandPlan(), ByteIndex());
  return Equip(std::make_unique<data::DatumUint>(context, Name(), ByteIndex()), std::move(setter),
               instances);
}

Dict5Byte::Dict5Byte(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                     std::uint32_t commandDgn, const values::ValueMaker* maker,
                     std::uint8_t byteIndex, LabelFunction label)
    : DictMultiByte(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, 5, label) {}

std::unique_ptr<data::Datum> Dict5Byte::MakeDatum(
    data::DataContext& context, const std::vector<std::uint8_t>& instances) const {
  // No setter has five bytes; a six-byte one would overwrite the byte after the
  // field, so the item is shown but not set.
  return Equip(std::make_unique<data::Datum5Byte>(context, Name(), ByteIndex()), nullptr,
               instances);
}

// ---------------------------------------------------------------------------
// Whole packets, manufacturer codes and PRODUCT_ID

DictFullPacket::DictFullPacket(std::string name, const framework::DgnTable* target,
                               std::uint32_t statusDgn, std::uint32_t commandDgn,
                               const values::ValueMaker* maker, LabelFunction label)
    : DictEntry(std::move(name), target, statusDgn, commandDgn, maker, label) {}

void DictFullPacket::CollectValues(ValueList& values, const FrameMessage& frame) const {
  values.push_back(ValuePair{LabelFor(frame), FormatValue(frame)});
}

std::string DictFullPacket::FormatValue(const FrameMessage& frame) const {
  if (frame.data.empty()) return std::string(kNoPacketText);
  return Maker().Format(frame.data.first(std::min(frame.data.size(), kEntryDataBytes)));
}

std::unique_ptr<data::Datum> DictFullPacket::MakeDatum(
    data::DataContext& context, const std::vector<std::uint8_t>& instances) const {
  // No setter writes eight bytes, so the packet is shown but not set.
  return Equip(std::make_unique<data::DatumFullPacket>(context, Name()), nullptr, instances);
}

DictMfgId::DictMfgId(std::string name, const framework::DgnTable* target, std::uint32_t statusDgn,
                     std::uint32_t commandDgn, const values::ValueMaker* maker,
                     std::uint8_t lowByte, std::uint8_t lowBit, std::uint8_t lowBits,
                     std::uint8_t highByte, std::uint8_t highBit, std::uint8_t highBits,
                     LabelFunction label)
    : DictEntry(std::move(name), target, statusDgn, commandDgn, maker, label),
      low_{lowByte, lowBit, lowBits},
      high_{highByte, highBit, highBits} {}

bool DictMfgId::PositionFits() const {
  return BitsFit(low_.byteIndex, low_.bitPosition, low_.bitCount) &&
         BitsFit(high_.byteIndex, high_.bitPosition, high_.bitCount);
}

std::uint16_t DictMfgId::Code(std::span<const std::uint8_t> data) const {
  auto part = [&](const Part& p) -> unsigned {
    const unsigned byte = p.byteIndex < data.size() ? data[p.byteIndex] : 0xFFu;
    return p.bitPosition > 7 ? 0 : (byte >> p.bitPosition) & FieldMask(p.bitCount);
  };
  return static_cast<std::uint16_t>(part(low_) |
                                    (part(high_) << std::min<unsigned>(low_.bitCount, 8)));
}

void DictMfgId::CollectValues(ValueList& values, const FrameMessage& frame) const {
  if (low_.byteIndex >= frame.data.size() || high_.byteIndex >= frame.data.size()) return;
  const std::uint16_t code = Code(frame.data);
  const std::uint8_t raw[2] = {static_cast<std::uint8_t>(code),
                               static_cast<std::uint8_t>(code >> 8)};
  Append(values, frame, raw);
}

std::string DictMfgId::FormatValue(const FrameMessage& frame) const {
  // With a part missing the whole code reads as all ones, not half a number.
  const bool whole = low_.byteIndex < frame.data.size() && high_.byteIndex < frame.data.size();
  const std::uint16_t code = Code(whole ? frame.data : std::span<const std::uint8_t>{});
  const std::uint8_t raw[2] = {static_cast<std::uint8_t>(code),
                               static_cast<std::uint8_t>(code >> 8)};
  return Maker().Format(raw);
}

std::unique_ptr<data::Datum> DictMfgId::MakeDatum(
    data::DataContext& context, const std::vector<std::uint8_t>& instances) const {
  // A word setter would write the code's bits in the wrong places; read only.
  const data::DatumMfgId::Part low{low_.byteIndex, low_.bitPosition, low_.bitCount};
  const data::DatumMfgId::Part high{high_.byteIndex, high_.bitPosition, high_.bitCount};
  return Equip(std::make_unique<data::DatumMfgId>(context, Name(), low, high), nullptr, instances);
}

DictProductID::DictProductID(std::string name, const framework::DgnTable* target,
                             std::uint32_t statusDgn, std::uint32_t commandDgn,
                             const values::ValueMaker* maker, LabelFunction label)
    : DictEntry(std::move(name), target, statusDgn, commandDgn, maker, label) {}

void DictProductID::CollectValues(ValueList& values, const FrameMessage& frame) const {
  std::size_t field = 0;
  std::string gathered;
  for (std::uint8_t byte : frame.data) {
    if (byte != '*') {
      gathered.push_back(static_cast<char>(byte));
      continue;
    }
    values.push_back(ValuePair{Name() + std::string(kFieldNames[field]), std::move(gathered)});
    gathered.clear();
    if (++field == std::size(kFieldNames)) return;
  }
}

std::string DictProductID::FormatValue(const FrameMessage& frame) const {
  const auto end = std::find(frame.data.begin(), frame.data.end(), std::uint8_t{0});
  return std::string(frame.data.begin(), end);
}

// ---------------------------------------------------------------------------
// Auto-start criteria

std::optional<std::uint8_t> AgsCriterionOf(std::uint32_t statusDgn,
                                           std::span<const std::uint8_t> data) {
  const std::size_t at = statusDgn == kAgsCriterionStatusDgn ? 1 : 0;
  if (at >= data.size()) return std::nullopt;
  return data[at];
}

DictByte_AGSCritSetting::DictByte_AGSCritSetting(std::string name,
                                                 const framework::DgnTable* target,
                                                 std::uint32_t statusDgn, std::uint32_t commandDgn,
                                                 std::uint8_t criterion,
                                                 const values::ValueMaker* maker,
                                                 std::uint8_t byteIndex, LabelFunction label)
    : DictByte(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, label),
      criterion_(criterion) {}

bool DictByte_AGSCritSetting::Selects(const FrameMessage& frame) const {
  return AgsCriterionOf(StatusDgn(), frame.data) == criterion_;
}

DictWord_AGSCritSetting::DictWord_AGSCritSetting(std::string name,
                                                 const framework::DgnTable* target,
                                                 std::uint32_t statusDgn, std::uint32_t commandDgn,
                                                 std::uint8_t criterion,
                                                 const values::ValueMaker* maker,
                                                 std::uint8_t byteIndex, LabelFunction label)
    : DictWord(std::move(name), target, statusDgn, commandDgn, maker, byteIndex, label),
      criterion_(criterion) {}

bool DictWord_AGSCritSetting::Selects(const FrameMessage& frame) const {
  return AgsCriterionOf(StatusDgn(), frame.data) == criterion_;
}

}  // namespace vlt::dictionary
