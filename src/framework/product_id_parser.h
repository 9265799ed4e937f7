// Shows the PRODUCT_ID text of the target device, and clears it when the device
// has been quiet for about 11 s.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "framework/parser.h"

namespace vlt::framework {

// Where the text is shown; the window implements it (marshalling to its thread).
class TextDisplay {
 public:
  virtual ~TextDisplay() = default;
  virtual void SetText(const std::string& text) = 0;
};

class ProductIDParser : public BRParser {
 public:
  static constexpr std::uint32_t kProductIdDgn = 0xFEEB;
  static constexpr std::int32_t kQuietPeriods = 12;  // OnTick40 calls

  // `targetAddress` points at the address byte of the target DGN table.
  explicit ProductIDParser(const std::uint8_t* targetAddress);

  void OnFrame(const FrameMessage& message) override;
  void OnTick40() override;

  virtual void AttachWindow(TextDisplay* window);
  virtual void DetachWindow();
  virtual void ShowText();

  std::string CurrentText() const;

 private:
  const std::uint8_t* targetAddress_;
  mutable std::mutex mutex_;
  std::string text_;
  std::int32_t countdown_ = 0;
  TextDisplay* window_ = nullptr;
};

}  // namespace vlt::framework
