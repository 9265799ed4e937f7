// The signal dictionary: every dictionary entry, found by name or by DGN. It turns
// a frame into "label=value  " text for the test logs, gives the compliance tests
// the value of one named signal, builds data items for the data lists and, as a
// parser, can keep a list of the latest decoded values.
//
// Threads: decoding and lookups run on the tick thread and the window thread at
// once, sharing one lock; entries change only while the dictionary is built (or
// by Merge and ForgetDgn), which take it alone. The value list has its own guard,
// which the tick thread waits on for at most a millisecond.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <semaphore>
#include <shared_mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "data/data_context.h"
#include "data/datum.h"
#include "dictionary/dict_entries.h"
#include "dictionary/dict_rows.h"
#include "framework/dgn_table.h"
#include "framework/frame_record.h"
#include "framework/parser.h"
#include "framework/tool_app.h"
#include "values/value_maker_shared.h"

namespace vlt::dictionary {

inline constexpr std::string_view kNoParsibleData = "No Parsible Data";
inline constexpr std::string_view kUnknownSignalText = "N/A";
inline constexpr std::string_view kNotFoundTitlePrefix = "NF:";

// The frame a record holds, pointing into the record; a corrupt length is cut to
// the record's data area.
framework::FrameMessage FrameOf(const framework::FrameRecord& record);

class Dictionary : public framework::BRParser {
 public:
  // The value list is emptied when it holds more than this many pairs.
  static constexpr std::size_t kValueListLimit = 1000;
  static constexpr std::chrono::microseconds kValueListWait{1000};

  // `target`: a DGN table whose address selects the frames the value list takes
  // (FFh: every source); entries built from rows refer to it. Not owned.
  explicit Dictionary(const framework::DgnTable* target);
  ~Dictionary() override;
  Dictionary(const Dictionary&) = delete;
  Dictionary& operator=(const Dictionary&) = delete;

  // Building. A later entry of the same name takes the name; both stay in their
  // DGN lists. With the register-commands switch, an entry with a command DGN is
  // also listed under it as a plain entry named with its first two characters in
  // upper case (whOpMode: WHOpMode), which decodes nothing.
  void SetRegisterCommands(bool on);
  DictEntry& AddEntry(std::unique_ptr<DictEntry> entry);
  DictEntry& AddEntryWithId(std::unique_ptr<DictEntry> entry, std::int32_t identifier,
                            std::string identifierText);
  // Adds the entry a row describes; false, with the reason kept in RejectedRows,
  // when the row cannot be built.
  bool AddRow(const EntryRow& row, const values::SharedValueMakers& makers);
  // The number of rows added.
  std::size_t AddRows(std::span<const EntryRow> rows, const values::SharedValueMakers& makers);
  std::vector<std::string> RejectedRows() const;
  // Takes every entry (and the makers made for rows) of `other`, which is left
  // empty; the entries refer to this dictionary's target and follow its DGN lists.
  void Merge(Dictionary& other);
  // Deletes the entries listed under `dgn`, their names included.
  void ForgetDgn(std::uint32_t dgn);
  void SetTarget(const framework::DgnTable* target);
  const framework::DgnTable* Target() const;

  // Decoding. The entries of the frame's DGN or, when it has none and is
  // destination-specific, of its DGN with a zero low byte; "No Parsible Data"
  // when they list nothing.
  std::string DecodeToText(const framework::FrameMessage& frame) const;
  std::string DecodeToText(const framework::FrameRecord& record) const;
  // The value text of the named signal in the frame; "N/A" for an unknown name.
  std::string ValueOf(std::string_view name, const framework::FrameMessage& frame) const;
  std::string ValueOf(std::string_view name, const framework::FrameRecord& record) const;
  // True when entries are listed for the DGN as DecodeToText finds them.
  bool Knows(std::uint32_t dgn) const;

  // Lookups.
  bool Has(std::string_view name) const;
  // The names listed under exactly `dgn`, in registration order.
  std::vector<std::string> NamesUnder(std::uint32_t dgn) const;
  std::size_t EntryCount() const;
  std::size_t DgnCount() const;
  // Command DGN to status DGN, over the entries whose DGNs both lie in 10000h to 1FFFFh.
  std::map<std::uint32_t, std::uint32_t> CommandMap() const;

  // Data items, for the window thread. An unknown name gives a title-only item
  // titled "NF:" and the name.
  virtual std::unique_ptr<data::Datum> MakeDatumByName(
      data::DataContext& context, std::string_view name,
      const std::vector<std::uint8_t>& instances) const;
  virtual std::unique_ptr<data::Datum> MakeDatumByNameFor(data::DataContext& context,
                                                          std::string_view name,
                                                          const data::Datum::List& items) const;

  // The value list: while collecting, every frame from the target's source adds
  // its (label, value) pairs.
  void OnFrame(const framework::FrameMessage& message) override;
  void SetCollecting(bool on) { collecting_.store(on); }
  bool IsCollecting() const { return collecting_.load(); }
  // The pairs collected since the last call, oldest first; the list starts anew.
  ValueList TakeValues();
  // How long a frame waits for the value list before it is dropped.
  void SetValueListWait(std::chrono::microseconds wait) {
    valueListWaitMicros_.store(wait.count());
  }

 protected:
  // Under the readers' lock.
  const DictEntry* FindLocked(std::string_view name) const;
  std::unique_ptr<data::Datum> NotFound(data::DataContext& context, std::string_view name) const;
  std::shared_mutex& IndexMutex() const { return indexMutex_; }

 private:
  using EntryList = std::vector<std::unique_ptr<DictEntry>>;

  DictEntry& RegisterLocked(std::unique_ptr<DictEntry> entry);
  const EntryList* ListForLocked(std::uint32_t dgn) const;
  void CollectLocked(const framework::FrameMessage& frame, ValueList& values) const;

  mutable std::shared_mutex indexMutex_;
  const framework::DgnTable* target_;
  bool registerCommands_ = false;
  std::map<std::uint32_t, EntryList> dgnLists_;
  std::map<std::string, DictEntry*, std::less<>> nameIndex_;
  std::unique_ptr<RowMakers> rowMakers_;
  std::vector<std::string> rejectedRows_;
  mutable std::mutex commandMapMutex_;
  mutable std::map<std::uint32_t, std::uint32_t> commandMap_;

  std::atomic<bool> collecting_{false};
  std::atomic<std::int64_t> valueListWaitMicros_{kValueListWait.count()};
  std::binary_semaphore valueListLock_{1};
  ValueList values_;
};

// The program's dictionary: the network-management entries, then the signal
// catalogue, with commands registered.
class MainDictionary : public Dictionary {
 public:
  MainDictionary(const values::SharedValueMakers& makers, const framework::DgnTable& target,
                 std::span<const EntryRow> catalogue = SignalCatalogueRows());

  // Blanks of the name read as "_" (as profiles write names); a name found only
  // as given is found too. The item's identifier text is the name looked up.
  std::unique_ptr<data::Datum> MakeDatumByNameFor(data::DataContext& context, std::string_view name,
                                                  const data::Datum::List& items) const override;
};

using RegisteredMainDictionary = framework::Registered<MainDictionary>;

// Start-up, after the application's InitInstance: the MainDictionary over the
// global DGN table, registered as a parser after the master parser. Destroy it
// before the application.
std::unique_ptr<RegisteredMainDictionary> StartMainDictionary(
    framework::BRToolApp& app,
    const values::SharedValueMakers& makers = values::SharedValueMakers::Instance());

}  // namespace vlt::dictionary
