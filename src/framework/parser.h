// Objects that receive every frame and the periodic calls of the tick thread.
#pragma once

#include <cstddef>
#include <mutex>
#include <utility>
#include <vector>

#include "framework/host_protocol.h"

namespace vlt::framework {

class BRParser {
 public:
  virtual ~BRParser() = default;
  virtual void OnTick() {}
  virtual void OnTick10() {}
  virtual void OnTick40() {}
  virtual void OnTick200() {}
  virtual void OnFrame(const FrameMessage& /*message*/) {}
};

// The parser list. The window thread adds and removes parsers while the tick
// thread walks the list, so both hold the lock; the lock is recursive because a
// parser may come or go from inside a call on the tick thread.
class ParserRegistry {
 public:
  void Add(BRParser* parser);
  // Removes every entry of the parser; once it returns, the parser gets no more calls.
  void Remove(BRParser* parser);
  std::size_t Count() const;

  template <typename Call>
  void ForEach(Call&& call) {
    std::lock_guard lock(mutex_);
    ++walking_;
    // By index: the list may grow, or entries go null, during the walk.
    for (std::size_t i = 0; i < parsers_.size(); ++i) {
      if (BRParser* parser = parsers_[i]) call(*parser);
    }
    if (--walking_ == 0 && holes_) Compact();
  }

 private:
  void Compact();
  mutable std::recursive_mutex mutex_;
  std::vector<BRParser*> parsers_;
  int walking_ = 0;
  bool holes_ = false;
};

// Registers a parser once it is fully built and removes it before any of it is
// torn down, so the tick thread never calls into a half-built or half-destroyed
// object. Every parser is created as Registered<Type>.
template <typename Parser>
class Registered final : public Parser {
 public:
  template <typename... Args>
  explicit Registered(ParserRegistry& registry, Args&&... args)
      : Parser(std::forward<Args>(args)...), registry_(registry) {
    registry_.Add(this);
  }
  ~Registered() override { registry_.Remove(this); }
  Registered(const Registered&) = delete;
  Registered& operator=(const Registered&) = delete;

 private:
  ParserRegistry& registry_;
};

}  // namespace vlt::framework
