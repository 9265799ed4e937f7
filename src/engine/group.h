// EGroup: an element that runs a child list with the sequencer, so groups nest
// anywhere in a test's list.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

#include "engine/element.h"

namespace vlt::engine {

class EGroup : public Element {
 public:
  enum class Mode : std::uint32_t {
    kSequence = 0,  // complete once the last child is started and the current one does not block
    kAll = 1,       // complete once no child holds any more
  };

  EGroup(Test* test, Mode mode, bool holds, bool blocks)
      : Element(test, holds, blocks), mode_(mode) {}

  // Children are appended in order before the test starts; the group owns them.
  template <typename Child, typename... Args>
  Child& Add(Args&&... args) {
    auto child = std::make_unique<Child>(test_, std::forward<Args>(args)...);
    Child& ref = *child;
    children_.push_back(std::move(child));
    return ref;
  }
  Element& Add(std::unique_ptr<Element> child);

  std::string GetName() const override { return "EGroup"; }
  void Describe(const std::string& prefix, std::vector<std::string>& lines) const override;
  void DescribeStatus(const std::string& prefix, std::vector<std::string>& lines) const override;
  void Start() override;
  void OnEvent(std::uint32_t code) override;
  void OnLoopStep() override;
  // Resets the children as well, so a repeated run finds no child still
  // active or parsing from the run before.
  void Reset() override;
  std::string GetMarker() const override;
  bool Settled() const override;
  // The wait of the child that blocks the group, else of the first that holds it.
  std::string WaitingFor() const override;
  std::optional<std::uint32_t> LimitLeftMs() const override;
  bool ReadsDutName() const override;

  Mode GetMode() const { return mode_; }
  std::size_t ChildCount() const { return children_.size(); }
  Element& Child(std::size_t i) const { return *children_[i]; }
  std::size_t Current() const { return current_; }
  std::size_t FirstHolding() const { return firstHolding_; }
  bool Idle() const { return idle_; }

 private:
  Mode mode_;
  std::vector<std::unique_ptr<Element>> children_;
  std::size_t current_ = 0;       // the newest started child
  std::size_t firstHolding_ = 0;  // the first child that may still hold
  bool idle_ = false;             // every child has been started
};

}  // namespace vlt::engine
