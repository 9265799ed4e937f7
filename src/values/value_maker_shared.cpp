#include "values/value_maker_shared.h"

#include <algorithm>

namespace vlt::values {

namespace {

// Not-available codes of the 3- to 8-bit decimal fields.
constexpr std::uint8_t kDecByteCodes[] = {7, 15, 31, 63, 255};

struct FlagTexts {
  std::string_view off;  // key 0
  std::string_view on;   // key 1
};

constexpr FlagTexts kFlags[] = {
    {"Disabled", "Enabled"},
    {"Off", "On"},
    {"No", "Yes"},
    {"Leg 1", "Leg 2"},
    {"Disconnect", "Connect"},
    {"Auto", "Manual"},
    {"Under", "Over"},
    {"Zero", "One"},
    {"No Action", "Lower"},
    {"No Action", "Raise"},
    {"Ok", "Warning"},
    {"Ok", "Fault"},
    {"Retracted", "Extended"},
    {"No Load", "Loaded"},
    {"At or Above", "Below"},
    {"Ok", "Low"},
    {"Ok To Move", "Do Not Move"},
    {"Unlocked", "Locked"},
    {"Not Retracted", "Retracted"},
    {"Not Extended", "Extended"},
    {"Not Unlocked", "Unlocked"},
    {"Auto", "On"},
    {"Sine", "Not Sine"},
    {"Closed", "Open"},
    {"Closed", "Flushing"},
    {"Required", "Delivered"},
    {"Normal", "Bypass"},
    {"Secured", "Not Secured"},
    {"Inactive", "Active"},
    {"None", "Park Brake"},
    {"Enabled", "Disabled"},
    {"Not Reached", "Limit Reached"},
    {"Connected", "Disconnected"},
    {"Disconnected", "Connected"},
    {"Independent", "Linked"},
    {"Off", "PreCharging"},
    {"No Action", "Clear History"},
    {"Normal", "Bus Off"},
    {"Remote", "Local"},
    {"Local", "Remote"},
    {"Decrement", "Increment"},
    {"Non-WRV-C", "WRV-C"},
    {"Insecure", "Secure"},
    {"Stop", "Search"},
    {"Hidden", "Visible"},
    {"AcceptNonSecure", "DenyNonSecure"},
    {"Ok", "Derating"},
    {"Lock", "Unlock"},
    {"No Action", "Activate"},
    {"Hot Water", "Heating"},
    {"Cool", "Heat"},
    {"Unsafe", "Motion-Safe"},
    {"Reject", "Approve"},
};

enum class FieldWidth { kByte, kWord, kUint };

struct ScaledQuantity {
  FieldWidth width;
  std::string_view format;  // B0h is the degree sign
  double scale;
  double offset;
};

// Scales are the exact decimal steps of RV-C: a single-precision 0.001 would put
// a 32-bit current with its -2000000 A offset some 95 mA off zero.
constexpr ScaledQuantity kScaled[] = {
    {FieldWidth::kWord, "%0.2f Vdc", 0.05, 0},
    {FieldWidth::kWord, "%0.2f Vac", 0.05, 0},
    {FieldWidth::kWord, "%0.1f Adc", 0.05, -1600},
    {FieldWidth::kWord, "%0.1f Aac", 0.05, -1600},
    {FieldWidth::kWord, "%0.1f Hz", 0.0078125, 0},
    {FieldWidth::kByte, "%0.0f Hz", 1, 0},
    {FieldWidth::kWord, "%0.0f VAr", 1, -32000},
    {FieldWidth::kWord, "%0.0f W", 1, 0},
    {FieldWidth::kByte, "%0.0f Adc", 1, 0},
    {FieldWidth::kUint, "%0.3f A", 0.001, -2000000},
    {FieldWidth::kByte, "%0.0f Aac", 1, 0},
    {FieldWidth::kWord, "%0.3f Vdc", 0.001, 0},
    {FieldWidth::kUint, "%0.0f AHr", 1, 0},
    {FieldWidth::kWord, "%0.0f AHr", 1, 0},
    {FieldWidth::kWord,
     "%0.1f \xB0"
     "F",
     0.05625, -459.4},  // RV-C temperature word
    {FieldWidth::kByte,
     "%0.1f \xB0"
     "F",
     1.8, -40},  // RV-C temperature byte
    {FieldWidth::kByte,
     "%0.0f \xB0"
     "C",
     1, -40},
    {FieldWidth::kByte,
     "%0.1f \xB0"
     "C",
     0.1, 0},
    {FieldWidth::kByte, "%0.0f sec", 1, 0},
    {FieldWidth::kWord, "%0.0f sec", 1, 0},
    {FieldWidth::kByte, "%0.1f V", 0.1, 0},
    {FieldWidth::kByte, "%0.1f sec", 0.1, 0},
    {FieldWidth::kByte, "%0.0f min", 1, 0},
    {FieldWidth::kWord, "%0.0f min", 1, 0},
    {FieldWidth::kByte, "%0.1f min", 0.1, 0},
    {FieldWidth::kWord, "%0.1f min", 0.1, 0},
    {FieldWidth::kByte, "%0.0f days", 1, 0},
    {FieldWidth::kWord, "%0.0f ltr", 1, 0},
    {FieldWidth::kWord, "%0.1f PSI", 0.0145, 0},
    {FieldWidth::kWord, "%.1f sec", 0.5, 0},
    {FieldWidth::kWord, "%6.1f mBar", 0.1, 0},
    {FieldWidth::kWord, "%3.0f\xB0", 0.0078125, 0},  // heading
    {FieldWidth::kWord, "%5.0f PSI", 0.1450377, 0},
    {FieldWidth::kByte, "%3.0f PSI", 1, 0},
    {FieldWidth::kWord, "%.0f A*h", 1, 0},
    {FieldWidth::kWord, "%.0f ms", 1, 0},
    {FieldWidth::kWord, "%.0f \xB0K", 1, 0},
};

std::unique_ptr<ValueMakerFlexMaker> MakeScaled(const ScaledQuantity& q) {
  std::string format(q.format);
  switch (q.width) {
    case FieldWidth::kByte:
      return std::make_unique<ValueMakerFlexByte>(std::move(format), q.scale, q.offset);
    case FieldWidth::kWord:
      return std::make_unique<ValueMakerFlexWord>(std::move(format), q.scale, q.offset);
    case FieldWidth::kUint:
      break;
  }
  return std::make_unique<ValueMakerFlexUint>(std::move(format), q.scale, q.offset);
}

template <typename Maker>
const Maker* FindScaled(const std::vector<std::unique_ptr<ValueMakerFlexMaker>>& scaled,
                        std::string_view format) {
  for (const auto& maker : scaled) {
    const auto* typed = dynamic_cast<const Maker*>(maker.get());
    if (typed && typed->FormatText() == format) return typed;
  }
  return nullptr;
}

}  // namespace

const SharedValueMakers& SharedValueMakers::Instance() {
  static const SharedValueMakers shared;
  return shared;
}

SharedValueMakers::SharedValueMakers() {
  Add("ValueMaker", plain);
  for (std::uint8_t code : kDecByteCodes) {
    decBytes_.push_back(std::make_unique<ValueMakerDecByte>(code));
    Add("ValueMakerDecByte " + std::to_string(code), *decBytes_.back());
  }
  Add("ValueMakerDecByteUnfiltered", decByteUnfiltered);
  Add("ValueMakerDecWord", decWord);
  Add("ValueMakerDec3Byte", dec3Byte);
  Add("ValueMakerDecUint", decUint);
  Add("ValueMakerHexByte", hexByte);
  Add("ValueMakerHexWord", hexWord);
  Add("ValueMakerHex3Byte", hex3Byte);
  Add("ValueMakerHexUint", hexUint);
  Add("ValueMakerRawHex2Byte", rawHex2Byte);
  Add("ValueMakerHex5Byte", hex5Byte);
  Add("ValueMakerFullPacket", fullPacket);
  Add("ValueMakerRVCPct", rvcPct);
  Add("ValueMakerSecsPlusByte", secsPlusByte);
  Add("ValueMakerTankLevel", tankLevel);
  Add("ValueMakerTimeOfDay", timeOfDay);
  Add("ValueMakerTimeYMD", timeYMD);
  Add("ValueMakerTimeHMS", timeHMS);
  Add("ValueMakerGenRunTime", genRunTime);
  Add("ValueMakerDiagFullCode", diagFullCode);
  Add("ValueMakerString36Char", string36Char);
  Add("ValueMakerMfgId", mfgId);
  Add("ValueMakerASCII_Id", asciiId);
  Add("ValueMakerDSA", dsa);
  Add("ValueMakerAbbrevDSA", abbrevDsa);
  Add("ValueMakerSecurityCategory1", securityCategory1);
  Add("ValueMakerSecurityCategory2", securityCategory2);
  Add("ValueMakerSecurityCategory3", securityCategory3);
  Add("ValueMakerSecurityCategory4", securityCategory4);
  for (const EnumerationTable& table : EnumerationTables()) {
    if (table.name == agsCritType.Name()) {
      Add(std::string(table.name), agsCritType);
      continue;
    }
    enumerations_.push_back(std::make_unique<ValueMakerEnumeration>(table));
    Add(std::string(table.name), *enumerations_.back());
  }
  Add("ValueMakerFlexSelection", flexSelection);
  for (const FlagTexts& texts : kFlags) {
    flags_.push_back(
        std::make_unique<ValueMakerFlexFlag>(std::string(texts.off), std::string(texts.on)));
    Add("ValueMakerFlexFlag " + std::string(texts.off) + "/" + std::string(texts.on),
        *flags_.back());
  }
  constexpr const char* kWidthClass[] = {"ValueMakerFlexByte ", "ValueMakerFlexWord ",
                                         "ValueMakerFlexUint "};
  for (const ScaledQuantity& q : kScaled) {
    scaled_.push_back(MakeScaled(q));
    Add(kWidthClass[static_cast<int>(q.width)] + std::string(q.format), *scaled_.back());
  }
}

void SharedValueMakers::Add(std::string name, const ValueMaker& maker) {
  all_.push_back(Named{std::move(name), &maker});
}

const ValueMaker* SharedValueMakers::Find(std::string_view name) const {
  if (name == "ValueMakerDecByte") return DecByte(0xFF);
  const auto found =
      std::find_if(all_.begin(), all_.end(), [name](const Named& n) { return n.name == name; });
  return found == all_.end() ? nullptr : found->maker;
}

const ValueMakerDecByte* SharedValueMakers::DecByte(std::uint8_t notAvailable) const {
  for (const auto& maker : decBytes_) {
    if (maker->NotAvailableCode() == notAvailable) return maker.get();
  }
  return nullptr;
}

const ValueMakerSelection* SharedValueMakers::Enumeration(std::string_view className) const {
  if (className == agsCritType.Name()) return &agsCritType;
  for (const auto& maker : enumerations_) {
    if (maker->Name() == className) return maker.get();
  }
  return nullptr;
}

const ValueMakerFlexFlag* SharedValueMakers::Flag(std::string_view offText,
                                                  std::string_view onText) const {
  for (const auto& flag : flags_) {
    const ChoiceMap& texts = flag->Choices();
    const auto off = texts.find(0);
    const auto on = texts.find(1);
    if (off != texts.end() && on != texts.end() && off->second == offText && on->second == onText) {
      return flag.get();
    }
  }
  return nullptr;
}

const ValueMakerFlexByte* SharedValueMakers::FlexByte(std::string_view format) const {
  return FindScaled<ValueMakerFlexByte>(scaled_, format);
}

const ValueMakerFlexWord* SharedValueMakers::FlexWord(std::string_view format) const {
  return FindScaled<ValueMakerFlexWord>(scaled_, format);
}

const ValueMakerFlexUint* SharedValueMakers::FlexUint(std::string_view format) const {
  return FindScaled<ValueMakerFlexUint>(scaled_, format);
}

}  // namespace vlt::values
