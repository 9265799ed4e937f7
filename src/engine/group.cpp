#include "engine/group.h"

#include <algorithm>

#include "engine/element_list.h"
#include "engine/test_events.h"

namespace vlt::engine {

namespace {
constexpr const char* kChildIndent = "    ";
}

Element& EGroup::Add(std::unique_ptr<Element> child) {
  children_.push_back(std::move(child));
  return *children_.back();
}

void EGroup::Describe(const std::string& prefix, std::vector<std::string>& lines) const {
  Element::Describe(prefix, lines);
  for (const auto& child : children_) child->Describe(prefix + kChildIndent, lines);
}

void EGroup::DescribeStatus(const std::string& prefix, std::vector<std::string>& lines) const {
  Element::DescribeStatus(prefix, lines);
  for (const auto& child : children_) child->DescribeStatus(prefix + kChildIndent, lines);
}

void EGroup::Start() {
  active_ = true;
  if (children_.empty()) {
    active_ = false;
    return;
  }
  current_ = 0;
  firstHolding_ = 0;
  idle_ = false;
  children_[0]->Start();
  Trace("EGroup blocking.");
}

void EGroup::OnEvent(std::uint32_t code) {
  if (code == kEvGroupAbort) {
    active_ = false;
    Trace("EGroup aborted.");
    return;
  }
  for (const auto& child : children_) {
    if (child->IsActive()) child->OnEvent(code);
  }
  const std::size_t n = children_.size();
  for (std::size_t j = firstHolding_; j <= current_ && j < n; ++j) {
    if (!children_[j]->IsHolding() && j == firstHolding_) {
      ++firstHolding_;
      if (mode_ == Mode::kAll && firstHolding_ == n) {
        active_ = false;
        Trace("EGroup complete. All subtasks complete.");
      }
    }
  }
  if (idle_ || children_[current_]->IsBlocking()) return;
  if (current_ + 1 < n) {
    ++current_;
    children_[current_]->Start();
  } else {
    idle_ = true;
    if (mode_ == Mode::kSequence) {
      active_ = false;
      Trace("EGroup complete. No subtasks blocking.");
    }
  }
}

void EGroup::OnLoopStep() {
  for (const auto& child : children_) {
    if (child->IsActive()) child->OnLoopStep();
  }
}

void EGroup::Reset() {
  Element::Reset();
  for (const auto& child : children_) child->Reset();
}

bool EGroup::Settled() const {
  if (!active_) return true;
  const bool allStarted = idle_ || current_ + 1 == children_.size();
  if (!allStarted && !children_[current_]->IsBlocking()) return false;
  for (std::size_t i = 0; i <= current_ && i < children_.size(); ++i) {
    if (children_[i]->IsActive() && !children_[i]->Settled()) return false;
  }
  return true;
}

std::string EGroup::WaitingFor() const {
  if (!active_) return {};
  const std::size_t end = std::min(current_ + 1, children_.size());
  for (std::size_t i = 0; i < end; ++i) {
    if (children_[i]->IsBlocking()) return WaitOf(*children_[i]);
  }
  for (std::size_t i = firstHolding_; i < end; ++i) {
    if (children_[i]->IsHolding()) return WaitOf(*children_[i]);
  }
  return {};
}

std::optional<std::uint32_t> EGroup::LimitLeftMs() const {
  // A finished group's children no longer receive events: their limits stopped.
  if (!active_) return std::nullopt;
  return SoonestLimitLeftMs(children_.begin(), children_.end());
}

bool EGroup::ReadsDutName() const {
  return std::any_of(children_.begin(), children_.end(),
                     [](const std::unique_ptr<Element>& child) { return child->ReadsDutName(); });
}

std::string EGroup::GetMarker() const {
  std::string open, close;
  if (IsBlocking()) {
    open = "{\\cf2 [ }";
    close = "{\\cf2 ] }";
  } else if (IsHolding()) {
    open = "{\\cf2 ( }";
    close = "{\\cf2 ) }";
  } else if (IsActive()) {
    open = "{\\cf1 ( }";
    close = "{\\cf1 ) }";
  } else {
    open = "{\\cf0 ( }";
    close = "{\\cf0 ) }";
  }
  std::string marker = open;
  for (const auto& child : children_) marker += child->GetMarker();
  return marker + close;
}

}  // namespace vlt::engine
