#include "framework/parser.h"

#include <algorithm>

namespace vlt::framework {

void ParserRegistry::Add(BRParser* parser) {
  std::lock_guard lock(mutex_);
  parsers_.push_back(parser);
}

void ParserRegistry::Remove(BRParser* parser) {
  std::lock_guard lock(mutex_);
  for (auto& entry : parsers_) {
    if (entry == parser) {
      entry = nullptr;
      holes_ = true;
    }
  }
  if (walking_ == 0) Compact();
}

std::size_t ParserRegistry::Count() const {
  std::lock_guard lock(mutex_);
  return static_cast<std::size_t>(
      std::count_if(parsers_.begin(), parsers_.end(), [](BRParser* p) { return p != nullptr; }));
}

void ParserRegistry::Compact() {
  std::erase(parsers_, nullptr);
  holes_ = false;
}

}  // namespace vlt::framework
