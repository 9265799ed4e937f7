// The data list without its window: the rows of a list view of data items, the
// change list of values set but not yet confirmed, and the reading and writing
// of clone files. The desktop's list views draw rows, markers and child windows
// over this model; the command line drives the same model without a window.
//
// Everything here runs on the window thread. The front end's 50 ms timer calls
// ProcessNextChange and, every tenth time, Update (DatumListTicker does both),
// so a test drives the model on virtual time by calling them.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "data/clone_file.h"
#include "data/datum.h"

namespace vlt::data {

// A heading of a list that admits its children whenever it is admitted itself,
// so that settings shown only under headings are written to clone files.
class DatumListHeading : public DatumHeading {
 public:
  using DatumHeading::DatumHeading;
  bool AllowsChild(std::uint8_t /*key*/) override { return ParentAllows(); }
};

// One row: the item (not owned) and the value text last shown.
struct DatumRow {
  Datum* item = nullptr;
  std::optional<std::string> cachedText;  // none forces a rewrite
};

class DatumBoxMultiColumn {
 public:
  // Reset flags: when the list asks the device for a general reset.
  static constexpr std::uint8_t kResetBeforeLowerStage = 1u << 0;
  static constexpr std::uint8_t kResetWhenDone = 1u << 1;
  static constexpr std::uint8_t kResetBelowListedStage = 1u << 2;
  static constexpr std::uint8_t kDefaultResetFlags = kResetBeforeLowerStage | kResetWhenDone;
  static constexpr int kNotCloning = -1;
  // Single-column rows: the two text columns.
  static constexpr std::size_t kTitleColumnChars = 24;
  static constexpr std::size_t kValueColumnChars = 16;

  explicit DatumBoxMultiColumn(DataContext& context);
  virtual ~DatumBoxMultiColumn();
  DatumBoxMultiColumn(const DatumBoxMultiColumn&) = delete;
  DatumBoxMultiColumn& operator=(const DatumBoxMultiColumn&) = delete;

  // Rows.
  Datum* AddRow(Datum* item);
  std::size_t RowCount() const { return rows_.size(); }
  const DatumRow& Row(std::size_t index) const { return rows_.at(index); }
  // Two blanks, the short title in 24 columns, the value right-aligned in 16,
  // then the trailing blanks.
  std::string RowText(std::size_t index) const;
  void SetTrailingBlanks(std::uint32_t blanks) { trailingBlanks_ = blanks; }
  // Called with the index of every row whose text RefreshRow rewrote.
  void SetRowObserver(std::function<void(std::size_t)> observer) {
    rowObserver_ = std::move(observer);
  }
  // The operator's answer to the edit dialog of a row: a text, or nothing when
  // abandoned. The row is rewritten at the next refresh.
  void EditRow(std::size_t index, const std::optional<std::string>& accepted);
  // The same for an item of a child window.
  static void EditItem(Datum& item, const std::optional<std::string>& accepted);

  // Timer work.
  // Refreshes the rows, rebuilds the change list and advances a clone load.
  void Update();
  // Lets the next unconfirmed item of the change list act on its value.
  void ProcessNextChange();
  void RefreshRow(std::size_t index);
  const std::vector<Datum*>& ChangeList() const { return changes_; }

  // Clone files.
  // Writes the ":SET" and ":COMPARE" lines of every row's item and its children.
  CloneSaveReport SaveItems(std::ostream& out);
  // Opens a clone file, abandons a load under way and loads the highest stage.
  // False when the file cannot be opened (only regular files are); nothing else
  // changes then.
  bool StartCloning(const std::string& path, bool checkHeader);
  // The same over a stream that stands for the file `name` (tests, fuzzing).
  bool StartCloningFrom(std::unique_ptr<std::istream> input, const std::string& name,
                        bool checkHeader);
  void LoadStage(int stage);
  // Stops a load and drops every pending value.
  void AbandonCloning();
  int MaxStage() const;
  int Stage() const { return stage_; }
  bool IsCloning() const { return stage_ != kNotCloning; }
  bool HasCloneInput() const { return input_ != nullptr; }
  // The report of the load under way or last finished.
  const CloneLoadReport& LoadReport() const { return report_; }
  const std::string& LastFileName() const { return lastFileName_; }

  // Loading options.
  void SetResetFlags(std::uint8_t flags) { resetFlags_ = flags; }
  void AddResetStage(std::uint32_t stage) { resetStages_.push_back(stage); }
  void SetDgnTable(const framework::DgnTable* table) { dgnTable_ = table; }
  void ExcludeTitle(std::string_view title);
  bool IsExcluded(std::string_view title) const;

  DataContext& Context() const { return context_; }

 protected:
  // What an unconfirmed item does with its pending value: sends it to the device.
  virtual void ActOnChange(Datum& item) { item.SendNow(); }

 private:
  void CollectChanges(Datum& item, int depth);
  void AdvanceCloning();
  void IndexTitles();
  void IndexItem(Datum& item, int depth);
  void ApplySetting(std::string_view settingText, int stage);
  void WriteItem(Datum& item, std::ostream& out, CloneSaveReport& report, int depth);
  void SendResetRequest();
  void CloseInput();
  void Rewind();
  void DropPending(Datum& item, int depth);

  DataContext& context_;
  std::vector<DatumRow> rows_;
  std::vector<Datum*> changes_;
  std::size_t changeCursor_ = 0;
  std::multimap<std::string, Datum*, std::less<>> titleIndex_;
  std::set<std::string, std::less<>> excludedTitles_;
  std::uint8_t resetFlags_ = kDefaultResetFlags;
  std::vector<std::uint32_t> resetStages_;
  std::uint32_t trailingBlanks_ = 0;
  std::unique_ptr<std::istream> input_;
  const framework::DgnTable* dgnTable_;
  int stage_ = kNotCloning;
  int firstStage_ = 0;  // the stage a load started with: its pass reports bad lines
  std::map<std::string, std::string> writtenTitles_;
  std::string lastFileName_;
  CloneLoadReport report_;
  std::function<void(std::size_t)> rowObserver_;
};

// The settings list: a set value is applied to the item itself, which confirms
// it; nothing is sent.
class DatumBoxUserSettings : public DatumBoxMultiColumn {
 public:
  using DatumBoxMultiColumn::DatumBoxMultiColumn;

 protected:
  void ActOnChange(Datum& item) override;
};

// The front end's 50 ms timer over a list: one change per tick and a full update
// every tenth tick.
class DatumListTicker {
 public:
  static constexpr int kTickMillis = 50;
  static constexpr int kTicksPerUpdate = 10;

  explicit DatumListTicker(DatumBoxMultiColumn& list) : list_(list) {}
  // True when this tick ran the full update.
  bool Tick();

 private:
  DatumBoxMultiColumn& list_;
  int countdown_ = kTicksPerUpdate;
};

// Ticks the list until no load is under way and no value is left unconfirmed,
// as the timer would, without waiting. A load that has not settled after
// `maxTicks` is abandoned; the result says whether it settled.
bool RunListUntilSettled(DatumBoxMultiColumn& list, int maxTicks);

}  // namespace vlt::data
