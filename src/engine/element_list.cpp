#include "engine/element_list.h"

#include <algorithm>

namespace vlt::engine {

Element& ElementList::Append(std::unique_ptr<Element> element) {
  elements_.push_back(std::move(element));
  return *elements_.back();
}

void ElementList::Rewind() {
  for (const auto& element : elements_) element->Reset();
  current_ = 0;
  firstHolding_ = 0;
  firstActive_ = 0;
  idle_ = false;
}

bool ElementList::Settled() const {
  const std::size_t n = elements_.size();
  if (n == 0) return true;
  const bool allStarted = idle_ || current_ + 1 == n;
  if (!allStarted && !elements_[current_]->IsBlocking()) return false;
  for (std::size_t i = firstActive_; i <= current_ && i < n; ++i) {
    if (elements_[i]->IsActive() && !elements_[i]->Settled()) return false;
  }
  return true;
}

std::string ElementList::WaitingFor() const {
  const std::size_t end = std::min(current_ + 1, elements_.size());
  for (std::size_t i = firstActive_; i < end; ++i) {
    if (elements_[i]->IsBlocking()) return WaitOf(*elements_[i]);
  }
  for (std::size_t i = firstHolding_; i < end; ++i) {
    if (elements_[i]->IsHolding()) return WaitOf(*elements_[i]);
  }
  return {};
}

std::optional<std::uint32_t> ElementList::LimitLeftMs() const {
  const std::size_t end = std::min(current_ + 1, elements_.size());
  return SoonestLimitLeftMs(
      elements_.begin() + static_cast<std::ptrdiff_t>(std::min(firstActive_, end)),
      elements_.begin() + static_cast<std::ptrdiff_t>(end));
}

ElementList::StepResult ElementList::Step(std::uint32_t code, bool finished) {
  StepResult result;
  // An aborted run starts nothing more: a new element could still transmit.
  const bool aborting = finished;
  const std::size_t n = elements_.size();
  if (n == 0) {
    result.finished = true;
    return result;
  }
  // An element that ends inside its own OnEvent is passed over by a later step.
  for (std::size_t i = firstActive_; i <= current_ && i < n; ++i) {
    if (elements_[i]->IsActive()) {
      elements_[i]->OnEvent(code);
    } else if (i == firstActive_) {
      ++firstActive_;
      if (firstActive_ == n) finished = true;
    }
  }
  for (std::size_t j = firstHolding_; j <= current_ && j < n; ++j) {
    if (!elements_[j]->IsHolding() && j == firstHolding_) {
      ++firstHolding_;
      if (firstHolding_ == n) finished = true;
    }
  }
  if (!aborting && !idle_ && !elements_[current_]->IsBlocking()) {
    if (current_ + 1 < n) {
      ++current_;
      elements_[current_]->Start();
      result.started = elements_[current_].get();
    } else {
      idle_ = true;
      result.becameIdle = true;
    }
  }
  result.finished = finished;
  return result;
}

void ElementList::LoopStep() {
  for (std::size_t i = firstActive_; i <= current_ && i < elements_.size(); ++i) {
    if (elements_[i]->IsActive()) elements_[i]->OnLoopStep();
  }
}

}  // namespace vlt::engine
