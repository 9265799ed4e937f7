// The value makers that the whole program shares: built once, before the signal
// catalogue, and read by every dictionary entry and data item that needs them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "values/enumeration.h"
#include "values/value_maker.h"
#include "values/value_maker_flex.h"
#include "values/value_maker_numbers.h"
#include "values/value_maker_selection.h"
#include "values/value_maker_text.h"
#include "values/value_maker_time.h"

namespace vlt::values {

class SharedValueMakers {
 public:
  // One maker of the set with the name it is found by: the class name, followed
  // for the parameterised makers by what tells them apart ("ValueMakerDecByte 15",
  // "ValueMakerFlexFlag No/Yes", "ValueMakerFlexWord %0.2f Vdc").
  struct Named {
    std::string name;
    const ValueMaker* maker;
  };

  // The program's set, built on first use.
  static const SharedValueMakers& Instance();

  SharedValueMakers();
  SharedValueMakers(const SharedValueMakers&) = delete;
  SharedValueMakers& operator=(const SharedValueMakers&) = delete;

  // Nullptr when the set has no such maker. Enumerations go by their class name,
  // "ValueMakerDecByte" alone is the 8-bit one.
  const ValueMaker* Find(std::string_view name) const;
  // The decimal maker of a field whose not-available code is 7, 15, 31, 63 or 255.
  const ValueMakerDecByte* DecByte(std::uint8_t notAvailable) const;
  const ValueMakerSelection* Enumeration(std::string_view className) const;
  // The 2-bit flag whose key 0 reads `offText` and key 1 `onText`.
  const ValueMakerFlexFlag* Flag(std::string_view offText, std::string_view onText) const;
  const ValueMakerFlexByte* FlexByte(std::string_view format) const;
  const ValueMakerFlexWord* FlexWord(std::string_view format) const;
  const ValueMakerFlexUint* FlexUint(std::string_view format) const;
  // Every maker of the set, each once.
  const std::vector<Named>& All() const { return all_; }

  // The fixed makers, by class.
  const ValueMaker plain;
  const ValueMakerDecByteUnfiltered decByteUnfiltered;
  const ValueMakerDecWord decWord;
  const ValueMakerDec3Byte dec3Byte;
  const ValueMakerDecUint decUint;
  const ValueMakerHexByte hexByte;
  const ValueMakerHexWord hexWord;
  const ValueMakerHex3Byte hex3Byte;
  const ValueMakerHexUint hexUint;
  const ValueMakerRawHex2Byte rawHex2Byte;
  const ValueMakerHex5Byte hex5Byte;
  const ValueMakerFullPacket fullPacket;
  const ValueMakerRVCPct rvcPct;
  const ValueMakerSecsPlusByte secsPlusByte;
  const ValueMakerTankLevel tankLevel;
  const ValueMakerTimeOfDay timeOfDay;
  const ValueMakerTimeYMD timeYMD;
  const ValueMakerTimeHMS timeHMS;
  const ValueMakerGenRunTime genRunTime;
  const ValueMakerDiagFullCode diagFullCode;
  const ValueMakerString36Char string36Char;
  const ValueMakerMfgId mfgId;
  const ValueMakerASCII_Id asciiId;
  const ValueMakerDSA dsa;
  const ValueMakerAbbrevDSA abbrevDsa;
  const ValueMakerSecurityCategory1 securityCategory1;
  const ValueMakerSecurityCategory2 securityCategory2;
  const ValueMakerSecurityCategory3 securityCategory3;
  const ValueMakerSecurityCategory4 securityCategory4;
  const ValueMakerAGSCritType agsCritType;
  // Empty; lists that grow are built for their signal by the catalogue.
  const ValueMakerFlexSelection flexSelection;

 private:
  void Add(std::string name, const ValueMaker& maker);

  std::vector<std::unique_ptr<ValueMakerDecByte>> decBytes_;
  std::vector<std::unique_ptr<ValueMakerEnumeration>> enumerations_;
  std::vector<std::unique_ptr<ValueMakerFlexFlag>> flags_;
  std::vector<std::unique_ptr<ValueMakerFlexMaker>> scaled_;
  std::vector<Named> all_;
};

}  // namespace vlt::values
