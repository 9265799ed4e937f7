#include "framework/product_id_parser.h"

#include <algorithm>

namespace vlt::framework {

ProductIDParser::ProductIDParser(const std::uint8_t* targetAddress)
    : targetAddress_(targetAddress) {}

void ProductIDParser::OnFrame(const FrameMessage& message) {
  if (message.type != kMsgFrame || message.dgn != kProductIdDgn ||
      message.sourceAddress != *targetAddress_) {
    return;
  }
  std::string text(message.data.begin(), message.data.end());
  bool changed = false;
  {
    std::lock_guard lock(mutex_);
    countdown_ = kQuietPeriods;
    if (text != text_ && text.find('\xFF') == std::string::npos) {
      text_ = std::move(text);
      changed = true;
    }
  }
  if (changed) ShowText();
}

void ProductIDParser::OnTick40() {
  bool cleared = false;
  {
    std::lock_guard lock(mutex_);
    if (countdown_ > 0 && --countdown_ == 0) {
      text_.clear();
      cleared = true;
    }
  }
  if (cleared) ShowText();
}

void ProductIDParser::AttachWindow(TextDisplay* window) {
  std::lock_guard lock(mutex_);
  window_ = window;
}

void ProductIDParser::DetachWindow() {
  std::lock_guard lock(mutex_);
  window_ = nullptr;
}

void ProductIDParser::ShowText() {
  std::lock_guard lock(mutex_);
  if (window_ != nullptr) window_->SetText(text_);
}

std::string ProductIDParser::CurrentText() const {
  std::lock_guard lock(mutex_);
  return text_;
}

}  // namespace vlt::framework
