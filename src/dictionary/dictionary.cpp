#include "dictionary/dictionary.h"

#include <algorithm>

#include "dictionary/dgn_names.h"

namespace vlt::dictionary {

namespace {

using framework::FrameMessage;

// PDU1 DGNs (PDU format below F0h) carry a destination address in their low
// byte, so their entries are listed under the DGN with a zero low byte. A
// broadcast DGN is only ever its own.
bool IsDestinationSpecific(std::uint32_t dgn) {
  return ((dgn >> 8) & 0xFFu) < 0xF0u;
}

constexpr std::uint32_t kLowestCommandMapDgn = 0x10000;
constexpr std::uint32_t kHighestCommandMapDgn = 0x1FFFF;

bool InCommandMapRange(std::uint32_t dgn) {
  return dgn >= kLowestCommandMapDgn && dgn <= kHighestCommandMapDgn;
}

// whOpMode becomes WHOpMode.
std::string CommandName(const std::string& name) {
  std::string command = name;
  for (std::size_t i = 0; i < 2 && i < command.size(); ++i) {
    if (command[i] >= 'a' && command[i] <= 'z') command[i] = static_cast<char>(command[i] - 32);
  }
  return command;
}

}  // namespace

FrameMessage FrameOf(const framework::FrameRecord& record) {
  FrameMessage frame;
  frame.type = record.messageType;
  frame.dgn = record.dgn;
  frame.sourceAddress = record.sourceAddress;
  frame.priority = record.priority;
  frame.reservedBit = record.reservedBit;
  const std::size_t length = std::min<std::size_t>(record.length, framework::kMaxFrameDataBytes);
  frame.data = std::span<const std::uint8_t>(record.data, length);
  return frame;
}

// ---------------------------------------------------------------------------
// Building

Dictionary::Dictionary(const framework::DgnTable* target) : target_(target) {}

Dictionary::~Dictionary() = default;

void Dictionary::SetRegisterCommands(bool on) {
  std::unique_lock lock(indexMutex_);
  registerCommands_ = on;
}

DictEntry& Dictionary::RegisterLocked(std::unique_ptr<DictEntry> entry) {
  {
    std::lock_guard mapLock(commandMapMutex_);
    commandMap_.clear();
  }
  DictEntry& added = *entry;
  nameIndex_.insert_or_assign(added.Name(), &added);
  dgnLists_[added.StatusDgn()].push_back(std::move(entry));
  if (registerCommands_ && added.CommandDgn() != 0) {
    auto command =
        std::make_unique<DictEntry>(CommandName(added.Name()), added.Target(), added.CommandDgn(),
                                    0, &added.Maker(), added.Label());
    nameIndex_.insert_or_assign(command->Name(), command.get());
    dgnLists_[command->StatusDgn()].push_back(std::move(command));
  }
  return added;
}

DictEntry& Dictionary::AddEntry(std::unique_ptr<DictEntry> entry) {
  std::unique_lock lock(indexMutex_);
  return RegisterLocked(std::move(entry));
}

DictEntry& Dictionary::AddEntryWithId(std::unique_ptr<DictEntry> entry, std::int32_t identifier,
                                      std::string identifierText) {
  entry->SetIdentifier(identifier, std::move(identifierText));
  return AddEntry(std::move(entry));
}

bool Dictionary::AddRow(const EntryRow& row, const values::SharedValueMakers& makers) {
  std::unique_lock lock(indexMutex_);
  if (rowMakers_ == nullptr) rowMakers_ = std::make_unique<RowMakers>(makers);
  std::string problem;
  std::unique_ptr<DictEntry> entry = MakeEntry(row, target_, *rowMakers_, problem);
  if (entry == nullptr) {
    rejectedRows_.push_back(std::move(problem));
    return false;
  }
  RegisterLocked(std::move(entry));
  return true;
}

std::size_t Dictionary::AddRows(std::span<const EntryRow> rows,
                                const values::SharedValueMakers& makers) {
  std::size_t added = 0;
  for (const EntryRow& row : rows) added += AddRow(row, makers) ? 1 : 0;
  return added;
}

std::vector<std::string> Dictionary::RejectedRows() const {
  std::shared_lock lock(indexMutex_);
  return rejectedRows_;
}

void Dictionary::Merge(Dictionary& other) {
  if (&other == this) return;
  std::scoped_lock lock(indexMutex_, other.indexMutex_);
  for (auto& [dgn, list] : other.dgnLists_) {
    EntryList& mine = dgnLists_[dgn];
    for (auto& entry : list) {
      entry->SetTarget(target_);
      mine.push_back(std::move(entry));
    }
  }
  // The other dictionary's own choice among equal names carries over.
  for (const auto& [name, entry] : other.nameIndex_) nameIndex_.insert_or_assign(name, entry);
  other.dgnLists_.clear();
  other.nameIndex_.clear();
  if (other.rowMakers_ != nullptr) {
    if (rowMakers_ == nullptr) {
      rowMakers_ = std::move(other.rowMakers_);
    } else {
      rowMakers_->Adopt(*other.rowMakers_);
    }
  }
  std::scoped_lock mapLock(commandMapMutex_, other.commandMapMutex_);
  commandMap_.clear();
  other.commandMap_.clear();
}

void Dictionary::ForgetDgn(std::uint32_t dgn) {
  std::unique_lock lock(indexMutex_);
  const auto list = dgnLists_.find(dgn);
  if (list == dgnLists_.end()) return;
  for (const auto& entry : list->second) {
    const auto named = nameIndex_.find(entry->Name());
    if (named != nameIndex_.end() && named->second == entry.get()) nameIndex_.erase(named);
  }
  dgnLists_.erase(list);
  std::lock_guard mapLock(commandMapMutex_);
  commandMap_.clear();
}

void Dictionary::SetTarget(const framework::DgnTable* target) {
  std::unique_lock lock(indexMutex_);
  target_ = target;
  for (auto& [dgn, list] : dgnLists_) {
    for (auto& entry : list) entry->SetTarget(target);
  }
}

const framework::DgnTable* Dictionary::Target() const {
  std::shared_lock lock(indexMutex_);
  return target_;
}

// ---------------------------------------------------------------------------
// Decoding

const Dictionary::EntryList* Dictionary::ListForLocked(std::uint32_t dgn) const {
  auto list = dgnLists_.find(dgn);
  if (list == dgnLists_.end() && IsDestinationSpecific(dgn)) {
    list = dgnLists_.find(dgn & kDestinationDgnMask);
  }
  return list == dgnLists_.end() ? nullptr : &list->second;
}

void Dictionary::CollectLocked(const FrameMessage& frame, ValueList& values) const {
  if (const EntryList* list = ListForLocked(frame.dgn)) {
    for (const auto& entry : *list) entry->CollectValues(values, frame);
  }
}

std::string Dictionary::DecodeToText(const FrameMessage& frame) const {
  ValueList values;
  {
    std::shared_lock lock(indexMutex_);
    CollectLocked(frame, values);
  }
  if (values.empty()) return std::string(kNoParsibleData);
  std::size_t size = 0;
  for (const ValuePair& pair : values) size += pair.label.size() + pair.value.size() + 3;
  std::string text;
  text.reserve(size);
  for (const ValuePair& pair : values) {
    text += pair.label;
    text += '=';
    text += pair.value;
    text += "  ";
  }
  return text;
}

std::string Dictionary::DecodeToText(const framework::FrameRecord& record) const {
  return DecodeToText(FrameOf(record));
}

std::string Dictionary::ValueOf(std::string_view name, const FrameMessage& frame) const {
  std::shared_lock lock(indexMutex_);
  const DictEntry* entry = FindLocked(name);
  if (entry == nullptr) return std::string(kUnknownSignalText);
  return entry->FormatValue(frame);
}

std::string Dictionary::ValueOf(std::string_view name, const framework::FrameRecord& record) const {
  return ValueOf(name, FrameOf(record));
}

bool Dictionary::Knows(std::uint32_t dgn) const {
  std::shared_lock lock(indexMutex_);
  return ListForLocked(dgn) != nullptr;
}

// ---------------------------------------------------------------------------
// Lookups and data items

const DictEntry* Dictionary::FindLocked(std::string_view name) const {
  const auto found = nameIndex_.find(name);
  return found == nameIndex_.end() ? nullptr : found->second;
}

bool Dictionary::Has(std::string_view name) const {
  std::shared_lock lock(indexMutex_);
  return FindLocked(name) != nullptr;
}

std::vector<std::string> Dictionary::NamesUnder(std::uint32_t dgn) const {
  std::shared_lock lock(indexMutex_);
  std::vector<std::string> names;
  const auto list = dgnLists_.find(dgn);
  if (list != dgnLists_.end()) {
    for (const auto& entry : list->second) names.push_back(entry->Name());
  }
  return names;
}

std::size_t Dictionary::EntryCount() const {
  std::shared_lock lock(indexMutex_);
  std::size_t count = 0;
  for (const auto& [dgn, list] : dgnLists_) count += list.size();
  return count;
}

std::size_t Dictionary::DgnCount() const {
  std::shared_lock lock(indexMutex_);
  return dgnLists_.size();
}

std::map<std::uint32_t, std::uint32_t> Dictionary::CommandMap() const {
  std::shared_lock lock(indexMutex_);
  std::lock_guard mapLock(commandMapMutex_);
  if (commandMap_.empty()) {
    for (const auto& [dgn, list] : dgnLists_) {
      for (const auto& entry : list) {
        if (InCommandMapRange(entry->StatusDgn()) && InCommandMapRange(entry->CommandDgn())) {
          commandMap_[entry->CommandDgn()] = entry->StatusDgn();
        }
      }
    }
  }
  return commandMap_;
}

std::unique_ptr<data::Datum> Dictionary::NotFound(data::DataContext& context,
                                                  std::string_view name) const {
  return std::make_unique<data::Datum>(context,
                                       std::string(kNotFoundTitlePrefix) + std::string(name));
}

std::unique_ptr<data::Datum> Dictionary::MakeDatumByName(
    data::DataContext& context, std::string_view name,
    const std::vector<std::uint8_t>& instances) const {
  std::shared_lock lock(indexMutex_);
  const DictEntry* entry = FindLocked(name);
  if (entry == nullptr) return NotFound(context, name);
  return entry->MakeDatum(context, instances);
}

std::unique_ptr<data::Datum> Dictionary::MakeDatumByNameFor(data::DataContext& context,
                                                            std::string_view name,
                                                            const data::Datum::List& items) const {
  std::shared_lock lock(indexMutex_);
  const DictEntry* entry = FindLocked(name);
  if (entry == nullptr) return NotFound(context, name);
  return entry->MakeDatumFor(context, items);
}

// ---------------------------------------------------------------------------
// The value list

void Dictionary::OnFrame(const FrameMessage& message) {
  if (!collecting_.load()) return;
  if (message.type != framework::kMsgFrame && message.type != framework::kMsgStampedFrame) return;
  std::shared_lock lock(indexMutex_);
  const std::uint8_t address = target_ != nullptr ? target_->address : framework::kGlobalAddress;
  if (address != framework::kGlobalAddress && address != message.sourceAddress) return;
  const std::chrono::microseconds wait(valueListWaitMicros_.load());
  const bool taken =
      wait.count() > 0 ? valueListLock_.try_acquire_for(wait) : valueListLock_.try_acquire();
  if (!taken) return;  // the window thread is reading; this frame is dropped
  if (values_.size() > kValueListLimit) values_.clear();
  CollectLocked(message, values_);
  valueListLock_.release();
}

ValueList Dictionary::TakeValues() {
  ValueList taken;
  valueListLock_.acquire();
  taken.swap(values_);
  valueListLock_.release();
  return taken;
}

// ---------------------------------------------------------------------------
// The program's dictionary

MainDictionary::MainDictionary(const values::SharedValueMakers& makers,
                               const framework::DgnTable& target,
                               std::span<const EntryRow> catalogue)
    : Dictionary(&target) {
  SetRegisterCommands(true);
  AddRows(NetworkManagementRows(), makers);
  AddRows(catalogue, makers);
}

std::unique_ptr<data::Datum> MainDictionary::MakeDatumByNameFor(
    data::DataContext& context, std::string_view name, const data::Datum::List& items) const {
  std::string key(name);
  std::replace(key.begin(), key.end(), ' ', '_');
  std::unique_ptr<data::Datum> datum;
  {
    std::shared_lock lock(IndexMutex());
    const DictEntry* entry = FindLocked(key);
    if (entry == nullptr) entry = FindLocked(name);
    if (entry == nullptr) return NotFound(context, key);
    datum = entry->MakeDatumFor(context, items);
  }
  datum->SetIdentifierText(key);
  return datum;
}

std::unique_ptr<RegisteredMainDictionary> StartMainDictionary(
    framework::BRToolApp& app, const values::SharedValueMakers& makers) {
  return std::make_unique<RegisteredMainDictionary>(app.Link().Parsers(), makers,
                                                    app.GlobalDgnTable());
}

}  // namespace vlt::dictionary
