// A data item: one value the operator sees in a list and may change, a setting
// of the tester or a signal of a device. It holds a title, a value maker that
// turns its raw bytes into text and back, a specifier that picks the frames that
// carry it and a setter that builds the command that changes it. Items form a
// tree, so that one item can stand for a group whose members depend on its value.
//
// Threads: frames, timeouts and counters come from the tick thread; text, edits
// and lists from the window thread. The raw value, the title and the edit
// display are guarded, so either thread may read them.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "data/data_context.h"
#include "data/setter.h"
#include "data/specifier.h"
#include "framework/host_protocol.h"
#include "framework/master_parser.h"
#include "framework/product_id_parser.h"  // TextDisplay
#include "values/value_maker.h"

namespace vlt::data {

class Datum : public framework::PeriodicItem {
 public:
  using List = std::vector<Datum*>;
  // The key of a child shown whatever the parent's value.
  static constexpr std::uint8_t kAnyKey = 0xFF;
  // Slow-counter steps per second of timeout (the counter moves about every 270 ms).
  static constexpr std::uint32_t kTimeoutStepsPerSecond = 4;

  // A title-only item with no value.
  Datum(DataContext& context, std::string title);
  ~Datum() override;
  Datum(const Datum&) = delete;
  Datum& operator=(const Datum&) = delete;

  // Titles and text.
  // The title, made to end with the specifier's instance as " [%3d]" unless fixed.
  std::string Title();
  std::string ShortTitle();
  void SetShortTitle(std::string shortTitle);
  void SetFixedTitle(bool fixed) { fixedTitle_ = fixed; }
  std::string ValueText() const;
  std::string TitleAndValue();
  std::string PendingText() const;

  // Frames.
  virtual void OnFrame(const framework::FrameMessage& /*message*/) {}
  std::uint32_t ReceiveCount() const { return receiveCount_.load(); }
  std::uint32_t LastReception() const { return lastReception_.load(); }

  // Value maker, specifier and setter. None gives the shared one; the item owns
  // what it is given through the Own... operations only.
  void SetValueMaker(const values::ValueMaker* maker);
  const values::ValueMaker& GetValueMaker() const { return *maker_; }
  void SetSpecifier(Specifier* specifier);
  void OwnSpecifier(std::unique_ptr<Specifier> specifier);
  const Specifier& GetSpecifier() const;
  void SetSetter(Setter* setter);
  void OwnSetter(std::unique_ptr<Setter> setter);
  Setter& GetSetter() const;

  // The raw value, a copy taken under the lock.
  std::vector<std::uint8_t> RawValue() const;
  // Copies the bytes over the raw value, as far as both go.
  void SetRawValue(std::span<const std::uint8_t> bytes);

  // Points the command's first data slot, and the specifier's, at an instance byte.
  void SetInstance(const std::uint8_t* instance, bool replace);
  std::uint32_t MatchDgn() const { return GetSpecifier().Dgn(); }
  std::uint32_t CommandDgn() const { return GetSetter().CommandDgn(); }

  // The tree, built in the window thread before the items take frames. A child
  // is listed once even when registered under several keys.
  void AddParent(Datum* parent);
  List Parents();
  Datum* Root();
  List Children();
  List ChildrenNow() { return ChildrenFor(CurrentKey()); }
  virtual List ChildrenFor(std::uint8_t key);
  // AddChild once per key from `firstKey` up to, not including, `endKey`.
  void AddChildrenFor(Datum* child, unsigned firstKey, unsigned endKey);
  void AddChild(Datum* child, std::uint8_t key);
  void AddChildAlways(Datum* child) { AddChild(child, kAnyKey); }
  bool HasChildren() const { return !children_.empty(); }
  virtual bool HasChildrenNow() { return HasChildren(); }
  virtual bool HasKeyedChildren() const { return false; }
  bool ParentAllows();
  virtual bool AllowsChild(std::uint8_t /*key*/) { return false; }
  std::uint32_t ChildCount() const { return childCount_; }
  std::uint32_t ParentCount() const { return parentCount_; }

  // Timeout: without a frame for the timeout the value falls back to not available.
  void CheckTimeout();
  // Registers the item with the master parser, so an item with a timeout must
  // go before the application shuts down.
  void SetTimeout(std::uint32_t seconds);
  std::uint32_t Timeout() const { return timeout_.load(); }
  void Periodic() override { CheckTimeout(); }
  void Invalidate();

  // Settability.
  bool IsSettable() const { return enabled_ && GetSetter().IsSettable(); }
  bool SetterKind() const { return setterKind_; }
  void SetSetterKind(bool settable) { setterKind_ = settable; }
  bool IsCompareOnly() const { return compareOnly_; }
  void SetCompareOnly(bool compareOnly) { compareOnly_ = compareOnly; }
  bool IsWritable() const { return !compareOnly_ && GetSetter().IsSettable(); }
  bool IsEnabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  virtual bool HasValue() const { return false; }

  // Values typed by the operator or read from a profile. Invalid text appends
  // "Error: [text] is not a valid setting for <title>." and changes nothing.
  // Into the setter's pending value, marking it pending and the profile modified.
  bool SetFromText(std::string_view text);
  // True when the value maker takes the text as it is; nothing is stored.
  bool CheckText(std::string_view text) const;
  // False for text longer than a text field holds: storing it would cut it.
  bool FitsText(std::string_view text) const;
  // Into the raw value, as if received.
  bool SetValueFromText(std::string_view text);
  // The setter still waits for a frame showing its value.
  bool IsUnconfirmed();
  // Builds the command and writes it to the host (only while connected).
  virtual void SendNow();
  // True when a pending value was dropped.
  bool ClearPending() { return GetSetter().SetPending(false); }
  void SetTolerance(std::uint32_t tolerance);
  // A reserved operation of the item family; nothing calls it.
  bool Reserved48() const { return false; }
  // Points the command's plan and the specifier at a DGN table.
  void Retarget(const framework::DgnTable& table);

  // Marks, stages and the changed flag of the lists.
  bool IsMarked() const { return marked_.load() != 0; }
  void SetMarked(std::uint8_t marked) { marked_ = marked; }
  bool HasStage() const { return stage_ != 0; }
  std::uint8_t Stage() const { return stage_; }
  void SetStage(std::uint8_t stage) { stage_ = stage; }
  void Refresh();
  bool TakeChanged() { return changed_.exchange(false); }
  // A display that shows the value text; it must stay valid until detached.
  void AttachEdit(framework::TextDisplay* display);
  void DetachEdit() { AttachEdit(nullptr); }

  // Identification of dictionary items.
  std::int32_t Identifier() const { return identifier_; }
  void SetIdentifier(std::int32_t identifier) { identifier_ = identifier; }
  const std::string& IdentifierText() const { return identifierText_; }
  void SetIdentifierText(std::string text) { identifierText_ = std::move(text); }
  std::int32_t ChildWord() const { return childWord_; }
  void SetChildWord(std::int32_t word) { childWord_ = word; }

  // Description and diagnostics.
  virtual const char* TypeName() const { return "Datum"; }
  void Describe(std::ostream& out);
  virtual void DescribeLocation(std::ostream& /*out*/) const {}
  void Dump(std::ostream& out);
  // True when the value maker fits the item's width (or the item has none).
  virtual bool CheckValueMaker() { return true; }
  bool ValidateValueMaker(unsigned bits);

  DataContext& Context() const { return context_; }

 protected:
  // A value item whose raw value starts as (and falls back to) `notAvailable`.
  Datum(DataContext& context, std::string title, std::vector<std::uint8_t> notAvailable);

  // The key that selects children: FFh, or the value of a byte item.
  virtual std::uint8_t CurrentKey() const { return kAnyKey; }
  // The frame's data when the specifier takes it, else nothing.
  bool Accepts(const framework::FrameMessage& message) const;
  // Counts a reception of `value`, stores it when it changed and refreshes.
  // `countKeyed` lets keyed children count a change as one of a writable item.
  void Receive(std::span<const std::uint8_t> value, bool countKeyed = true);
  // Counts a reception whose effect on the value the caller applied itself.
  void CountReception(bool changed, bool countKeyed);
  // Applies `edit` to the raw value under the lock; true when it changed.
  template <typename Edit>
  bool EditRaw(Edit&& edit) {
    std::lock_guard lock(rawMutex_);
    const std::vector<std::uint8_t> before = raw_;
    edit(raw_);
    return raw_ != before;
  }
  virtual void DumpValue(std::ostream& /*out*/) const {}
  void LogError(std::string_view text);

  const std::vector<std::uint8_t>& NotAvailablePattern() const { return notAvailable_; }
  const std::vector<std::pair<Datum*, std::uint8_t>>& ChildEntries() const { return children_; }

 private:
  bool ParentAllowsAt(int depth);
  bool ParseInto(std::string_view text, std::vector<std::uint8_t>& value) const;

  DataContext& context_;
  std::string identifierText_;
  std::int32_t identifier_ = -1;
  std::vector<std::uint8_t> notAvailable_;
  mutable std::mutex rawMutex_;
  std::vector<std::uint8_t> raw_;
  std::vector<std::pair<Datum*, std::uint8_t>> children_;
  List parents_;
  bool fixedTitle_ = false;
  std::mutex editMutex_;
  framework::TextDisplay* edit_ = nullptr;
  std::atomic<std::uint8_t> marked_{0};
  std::mutex titleMutex_;
  std::string title_;
  std::string shortTitle_;
  const values::ValueMaker* maker_;
  Specifier* specifier_ = nullptr;  // null: the shared specifier
  Setter* setter_ = nullptr;        // null: the shared read-only setter
  std::unique_ptr<Specifier> ownedSpecifier_;
  std::unique_ptr<Setter> ownedSetter_;
  std::atomic<std::uint32_t> receiveCount_{0};
  std::uint32_t childCount_ = 0;
  std::uint32_t parentCount_ = 0;
  std::atomic<std::uint32_t> lastReception_{0};
  std::atomic<bool> hasReception_{false};
  std::atomic<std::uint32_t> timeout_{0};
  framework::BRMasterParser* periodicMaster_ = nullptr;
  bool setterKind_ = false;
  bool compareOnly_ = false;
  bool enabled_ = true;
  std::uint8_t stage_ = 0;
  std::int32_t childWord_ = -1;
  std::atomic<bool> changed_{false};
};

// A title-only row of a list.
class DatumHeading : public Datum {
 public:
  DatumHeading(DataContext& context, std::string title) : Datum(context, std::move(title)) {}
};

}  // namespace vlt::data
