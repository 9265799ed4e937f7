// A test's own element list and the sequencer that advances it after every
// event: deliver the event, pass over elements that no longer hold, and start
// at most one new element.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/element.h"

namespace vlt::engine {

class ElementList {
 public:
  // What one sequencer step did, for the test's status box and finish.
  struct StepResult {
    bool finished = false;             // every element inactive, or none holding
    const Element* started = nullptr;  // the element this step started
    bool becameIdle = false;           // this step found the last element started
  };

  Element& Append(std::unique_ptr<Element> element);
  std::size_t Size() const { return elements_.size(); }
  bool Empty() const { return elements_.empty(); }
  Element& At(std::size_t i) const { return *elements_[i]; }

  // Reset of every element and a fresh sequencer; the caller starts element 0.
  void Rewind();
  // One step with the event `code`. `finished` comes in set for the abort event.
  StepResult Step(std::uint32_t code, bool finished);
  // OnLoopStep of every element the next event would reach.
  void LoopStep();

  // Nothing starts any more until something outside the list happens: the
  // current element blocks (or all are started) and no active group has a
  // child left to start.
  bool Settled() const;
  // The wait of the element that blocks the list, else of the first that holds it.
  std::string WaitingFor() const;
  // What is left of the abort limit that runs out first; none while none runs.
  std::optional<std::uint32_t> LimitLeftMs() const;

  std::size_t Current() const { return current_; }
  std::size_t FirstHolding() const { return firstHolding_; }
  std::size_t FirstActive() const { return firstActive_; }
  bool Idle() const { return idle_; }

 private:
  std::vector<std::unique_ptr<Element>> elements_;
  std::size_t current_ = 0;       // the newest started element
  std::size_t firstHolding_ = 0;  // the first element that may still hold
  std::size_t firstActive_ = 0;   // the first element that may still be active
  bool idle_ = false;             // every element has been started
};

// Of the active elements in [first, last), the least left of a limit.
template <typename It>
std::optional<std::uint32_t> SoonestLimitLeftMs(It first, It last) {
  std::optional<std::uint32_t> soonest;
  for (; first != last; ++first) {
    if (!(*first)->IsActive()) continue;
    const std::optional<std::uint32_t> left = (*first)->LimitLeftMs();
    if (left && (!soonest || *left < *soonest)) soonest = left;
  }
  return soonest;
}

}  // namespace vlt::engine
