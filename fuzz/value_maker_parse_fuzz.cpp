// Feeds any text to the parse operation of every value maker (an operator's typing
// and a profile's values are outside text) and any raw bytes of every width to
// their formatting. Besides the sanitizers, it checks that a refused parse writes
// nothing and that no parse writes past the field.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "values/value_maker_shared.h"

namespace {

using vlt::values::ValueMaker;

constexpr std::uint8_t kUntouched = 0xA5;

// Makers that the shared set does not hold but the program builds elsewhere.
std::vector<std::unique_ptr<ValueMaker>> MakeOthers() {
  using namespace vlt::values;
  std::vector<std::unique_ptr<ValueMaker>> others;
  others.push_back(std::make_unique<ValueMakerString6Char>());
  others.push_back(std::make_unique<ValueMakerTerminalString>());
  others.push_back(std::make_unique<ValueMakerLongText>());
  others.push_back(std::make_unique<ValueMakerRawHex3Byte>());
  others.push_back(std::make_unique<ValueMakerRawHex4Byte>());
  others.push_back(std::make_unique<ValueMakerSignedTenthPctByte>());
  others.push_back(std::make_unique<ValueMakerIPUint>());
  others.push_back(std::make_unique<ValueMakerMAC>());
  others.push_back(std::make_unique<ValueMakerDSARange>());
  others.push_back(std::make_unique<ValueMakerAddressClaim>(
      WordChoiceMap{{0x0001, "Model A"}, {0xFFFD, "Last"}, {0xFFFE, "Shadowed"}}));
  for (unsigned bits = 1; bits <= 8; ++bits) {
    others.push_back(std::make_unique<ValueMakerFlexByte>("%0.2f", 0.25, -3, bits));
  }
  others.push_back(std::make_unique<ValueMakerFlexWord>("%e", -1e300, 1e300));
  others.push_back(std::make_unique<ValueMakerFlexUint>("%a", 1e-300, 0));
  return others;
}

void Exercise(const ValueMaker& maker, std::string_view text, std::span<const std::uint8_t> bytes) {
  const std::size_t size = maker.RawSize();

  // One byte of room beyond the field: only text fields may use it, for their NUL.
  std::vector<std::uint8_t> field(size + 2, kUntouched);
  if (maker.Parse(text, field)) {
    if (field[size + 1] != kUntouched) std::abort();
    (void)maker.Format(field);
  } else if (field != std::vector<std::uint8_t>(size + 2, kUntouched)) {
    std::abort();
  }
  if (size > 0) {
    std::vector<std::uint8_t> tight(size - 1, kUntouched);
    if (maker.Parse(text, tight)) std::abort();
    if (tight != std::vector<std::uint8_t>(size - 1, kUntouched)) std::abort();
  }

  for (std::size_t width = 0; width <= std::min(bytes.size(), size + 1); ++width) {
    (void)maker.Format(bytes.first(width));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vlt::values;
  static const SharedValueMakers& shared = SharedValueMakers::Instance();
  static const auto others = MakeOthers();

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::span<const std::uint8_t> bytes(data, size);
  for (const auto& named : shared.All()) Exercise(*named.maker, text, bytes);
  for (const auto& maker : others) Exercise(*maker, text, bytes);

  // The input as the format of a scaled maker, as the catalogue might build one.
  const unsigned bits = size > 0 ? data[0] % 9 : 8;
  const ValueMakerFlexByte scaled(std::string(text), 0.5, -40, bits);
  Exercise(scaled, text, bytes);
  return 0;
}
