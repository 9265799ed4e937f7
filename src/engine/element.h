// The element: one small step of a test's list. It is started once per run,
// receives the test's events while active, and ends itself by clearing its
// active flag. `holds` keeps the list from finishing while active; `blocks`
// keeps the next element from starting while active.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/frame_record.h"

namespace vlt::engine {

class Test;
class DataLog;

// Marker fragments of the rich-text element strip: \cf0 default, \cf1 near-black, \cf2 green.
inline constexpr std::string_view kMarkBlocking = "{\\cf2 ] }";
inline constexpr std::string_view kMarkHolding = "{\\cf2 > }";
inline constexpr std::string_view kMarkActive = "{\\cf1 \\'BB }";
inline constexpr std::string_view kMarkIdle = "{\\cf0 . }";

// Name column of description and status lines.
inline constexpr std::size_t kNameColumnChars = 30;

class Element {
 public:
  // `test` may be null for a group built outside a test; such an element
  // writes no trace and posts nothing.
  Element(Test* test, bool holds, bool blocks) : test_(test), holds_(holds), blocks_(blocks) {}
  virtual ~Element() = default;
  Element(const Element&) = delete;
  Element& operator=(const Element&) = delete;

  virtual std::string GetName() const = 0;
  // One line: prefix, name padded to 30, "Blocks" and "Holds" as set.
  virtual void Describe(const std::string& prefix, std::vector<std::string>& lines) const;
  // One line: prefix, name padded to 30, "Hold " "Blok " "Proc " or "---- " columns.
  virtual void DescribeStatus(const std::string& prefix, std::vector<std::string>& lines) const;
  virtual void Start() { active_ = true; }
  virtual void OnEvent(std::uint32_t /*code*/) {}
  // Every step of the tick loop (about every millisecond), for an element that
  // would receive the next event: a deadline finer than the 5 ms event is met here.
  virtual void OnLoopStep() {}
  virtual void OnLoggedFrame(DataLog& /*log*/, int /*index*/,
                             const framework::FrameRecord& /*frame*/) {}
  virtual bool IsHolding() const { return holds_ && active_; }
  virtual bool IsActive() const { return active_; }
  virtual bool IsBlocking() const { return blocks_ && active_; }
  virtual void Complete() { active_ = false; }
  virtual void Reset() { active_ = false; }
  virtual std::string GetMarker() const;
  // False while the element still has children to start by itself: a group
  // starts one child per event. A test is listening once its whole list is
  // settled and waits for the bus, the operator or the clock.
  virtual bool Settled() const { return true; }
  // What the element waits for while it holds or blocks its list, in plain
  // words for the operator ("No frame ... heard: ..."); empty when it has
  // nothing to say beyond its name.
  virtual std::string WaitingFor() const { return {}; }
  // What is left of the abort limit the element counts down while it is
  // active; none when it counts none (a group: the soonest its children reach).
  virtual std::optional<std::uint32_t> LimitLeftMs() const { return std::nullopt; }
  // Whether the element reads the DUT's NAME from the profile ("Full ADDRESS_CLAIM
  // Value") as it runs: to compare claims with it or to claim with it.
  virtual bool ReadsDutName() const { return false; }

  bool Holds() const { return holds_; }
  bool Blocks() const { return blocks_; }
  // A test may change the flags while it builds its list.
  void SetHolds(bool holds) { holds_ = holds; }
  void SetBlocks(bool blocks) { blocks_ = blocks; }
  Test* OwnerTest() const { return test_; }

 protected:
  // The status columns every element shows; watches add one.
  std::string StatusLine(const std::string& prefix) const;
  // Written only while the verbose trace is on.
  void Trace(std::string_view line) const;
  // Always written.
  void Write(std::string_view line) const;
  void Post(std::uint32_t code) const;

  Test* test_;
  bool active_ = false;  // "Proc": from Start until the element is done

 private:
  bool holds_;
  bool blocks_;
};

// Name padded with blanks to the name column (nothing added at 30 characters or more).
std::string NameColumn(const std::string& prefix, const std::string& name);

// The element's own words for its wait, else "Waiting in <name>.".
std::string WaitOf(const Element& element);

}  // namespace vlt::engine
