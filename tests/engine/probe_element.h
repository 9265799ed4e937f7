// A scripted element for sequencer tests: it ends itself after a given number
// of events (0: inside Start; never when negative) and records what it got.
#pragma once

#include <string>
#include <vector>

#include "engine/element.h"

namespace vlt::engine::testing {

class Probe : public Element {
 public:
  Probe(Test* test, std::string name, bool holds, bool blocks, int life = -1)
      : Element(test, holds, blocks), name_(std::move(name)), life_(life) {}

  std::string GetName() const override { return name_; }
  void Start() override {
    ++starts;
    left_ = life_;
    active_ = left_ != 0;
  }
  void OnEvent(std::uint32_t code) override {
    events.push_back(code);
    if (left_ > 0 && --left_ == 0) active_ = false;
  }
  void End() { active_ = false; }

  int starts = 0;
  std::vector<std::uint32_t> events;

 private:
  std::string name_;
  int life_;
  int left_ = 0;
};

}  // namespace vlt::engine::testing
