#include "data/datum_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>

#include "data/line_reader.h"
#include "framework/host_protocol.h"

namespace vlt::data {

namespace {

// Trees are built by code; a loop among items is a fault, and this bound keeps it
// from hanging the window thread.
constexpr int kMaxTreeDepth = 64;
// The DGN table slot of GENERAL_RESET (17F00h to the table's address).
constexpr std::size_t kGeneralResetSlot = 1;
constexpr std::array<std::uint8_t, 8> kGeneralResetData = {0xFD, 0xFF, 0xFF, 0xFF,
                                                           0xFF, 0xFF, 0xFF, 0xFF};
// How much of an over-long line a message shows.
constexpr std::size_t kShownLineBytes = 60;

bool IsReservedValue(std::string_view value) {
  return value == values::kNotAvailableText || value == values::kInvalidText ||
         value == values::kErrorText;
}

// An LF inside a title or value would end the record early and turn the rest
// into a line of its own. A lone CR is no line end to the reader and stays.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  return text;
}

}  // namespace

DatumBoxMultiColumn::DatumBoxMultiColumn(DataContext& context)
    : context_(context), dgnTable_(&context.GlobalTable()) {}

DatumBoxMultiColumn::~DatumBoxMultiColumn() = default;

Datum* DatumBoxMultiColumn::AddRow(Datum* item) {
  rows_.push_back(DatumRow{item, item->ValueText()});
  return item;
}

std::string DatumBoxMultiColumn::RowText(std::size_t index) const {
  Datum& item = *rows_.at(index).item;
  return "  " + framework::FitText(item.ShortTitle(), kTitleColumnChars, false) +
         framework::FitText(item.ValueText(), kValueColumnChars, true) +
         std::string(trailingBlanks_, ' ');
}

void DatumBoxMultiColumn::EditRow(std::size_t index, const std::optional<std::string>& accepted) {
  DatumRow& row = rows_.at(index);
  EditItem(*row.item, accepted);
  row.cachedText.reset();
}

void DatumBoxMultiColumn::EditItem(Datum& item, const std::optional<std::string>& accepted) {
  if (accepted) {
    item.SetFromText(*accepted);
  } else {
    item.ClearPending();
  }
}

void DatumBoxMultiColumn::Update() {
  changes_.clear();
  for (std::size_t i = 0; i < rows_.size(); ++i) RefreshRow(i);
  changeCursor_ = 0;
  if (framework::BRMasterParser* master = context_.MasterParser()) {
    master->SetChangeListSize(static_cast<std::uint32_t>(changes_.size()));
  }
  if (changes_.empty()) AdvanceCloning();
}

void DatumBoxMultiColumn::RefreshRow(std::size_t index) {
  DatumRow& row = rows_.at(index);
  std::string text = row.item->ValueText();
  if (!row.cachedText || *row.cachedText != text) {
    row.cachedText = std::move(text);
    if (rowObserver_) rowObserver_(index);
  }
  CollectChanges(*row.item, 0);
}

void DatumBoxMultiColumn::CollectChanges(Datum& item, int depth) {
  if (depth > kMaxTreeDepth) return;
  // An item shown in several places waits in the list once.
  if (item.IsUnconfirmed() &&
      std::find(changes_.begin(), changes_.end(), &item) == changes_.end()) {
    changes_.push_back(&item);
  }
  if (!item.HasChildrenNow()) return;
  for (Datum* child : item.ChildrenNow()) CollectChanges(*child, depth + 1);
}

void DatumBoxMultiColumn::ProcessNextChange() {
  if (changes_.empty()) return;
  if (changeCursor_ >= changes_.size()) changeCursor_ = 0;
  Datum& item = *changes_[changeCursor_];
  if (item.IsUnconfirmed()) ActOnChange(item);
  ++changeCursor_;
}

void DatumBoxMultiColumn::AdvanceCloning() {
  if (stage_ >= 1 && stage_ <= MaxStage()) {
    if ((resetFlags_ & kResetBeforeLowerStage) != 0) SendResetRequest();
    if ((resetFlags_ & kResetBelowListedStage) != 0 &&
        std::find(resetStages_.begin(), resetStages_.end(), static_cast<std::uint32_t>(stage_)) !=
            resetStages_.end()) {
      SendResetRequest();
    }
    LoadStage(stage_ - 1);
  } else if (stage_ == 0) {
    stage_ = kNotCloning;
    if ((resetFlags_ & kResetWhenDone) != 0) SendResetRequest();
    CloseInput();
    report_.finished = true;
  } else {
    // A stage above every row's (rows changed under the load) ends the load too,
    // rather than leaving the list loading for ever.
    stage_ = kNotCloning;
    CloseInput();
  }
}

int DatumBoxMultiColumn::MaxStage() const {
  int highest = 0;
  for (const DatumRow& row : rows_) highest = std::max(highest, int{row.item->Stage()});
  return highest;
}

CloneSaveReport DatumBoxMultiColumn::SaveItems(std::ostream& out) {
  CloneSaveReport report;
  writtenTitles_.clear();
  for (const DatumRow& row : rows_) WriteItem(*row.item, out, report, 0);
  writtenTitles_.clear();
  return report;
}

void DatumBoxMultiColumn::WriteItem(Datum& item, std::ostream& out, CloneSaveReport& report,
                                    int depth) {
  if (depth > kMaxTreeDepth) return;
  if (item.ParentAllows() && (item.SetterKind() || item.IsCompareOnly())) {
    const std::string value = item.ValueText();
    if (!item.HasValue()) context_.AppendLogLine("Note: " + item.ShortTitle() + " = " + value);
    const std::string title = item.Title();
    const auto written = writtenTitles_.find(title);
    if (written == writtenTitles_.end()) {
      out << (item.IsCompareOnly() ? kCloneComparePrefix : kCloneSetPrefix) << OneLine(title) << '='
          << OneLine(value) << kCloneLineEnd;
      writtenTitles_.emplace(title, value);
      ++report.written;
    } else if (written->second != value) {
      context_.AppendLogLine("WARNING  Conflict in values for " + title);
      report.conflicts.push_back(title);
    }
  }
  if (!item.HasChildren()) return;
  for (Datum* child : item.Children()) WriteItem(*child, out, report, depth + 1);
}

bool DatumBoxMultiColumn::StartCloning(const std::string& path, bool checkHeader) {
  lastFileName_ = path;
  // Only regular files: a FIFO or a device could be read for ever.
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return false;
  auto file = std::make_unique<std::ifstream>(path, std::ios::binary);
  if (!*file) return false;
  return StartCloningFrom(std::move(file), path, checkHeader);
}

bool DatumBoxMultiColumn::StartCloningFrom(std::unique_ptr<std::istream> input,
                                           const std::string& name, bool checkHeader) {
  lastFileName_ = name;
  if (input == nullptr || !*input) return false;
  AbandonCloning();
  input_ = std::move(input);
  report_ = CloneLoadReport{};
  report_.opened = true;
  report_.cloneFileName = lastFileName_.find(kCloneFileExtension) != std::string::npos;
  if (checkHeader) {
    Rewind();
    report_.header = CheckCloneHeader(*input_, context_.Log());
  }
  firstStage_ = MaxStage();
  LoadStage(firstStage_);
  return true;
}

void DatumBoxMultiColumn::LoadStage(int stage) {
  stage_ = stage;
  IndexTitles();
  if (report_.cloneFileName && input_ != nullptr) {
    Rewind();
    LineReader reader(*input_);
    std::string line;
    while (reader.Next(line)) {
      const std::string_view text = line;
      if (text.substr(0, text.find(' ')) != kCloneSetWord) continue;
      const std::string_view setting = text.substr(std::min(text.size(), kCloneSetPrefix.size()));
      if (reader.LastLineCut()) {
        // No item's title and value come near the cap; the line is not a setting.
        context_.AppendLogLine(
            "Invalid Setting: " + std::string(setting.substr(0, kShownLineBytes)) + "...");
        if (stage == firstStage_) ++report_.overlongLines;
        continue;
      }
      ApplySetting(setting, stage);
    }
  }
  titleIndex_.clear();
}

void DatumBoxMultiColumn::ApplySetting(std::string_view setting, int stage) {
  const std::size_t equals = setting.find('=');
  if (equals == std::string_view::npos) {
    context_.AppendLogLine("Invalid Setting: " + std::string(setting));
    if (stage == firstStage_) report_.invalidLines.emplace_back(setting);
    return;
  }
  const std::string_view title = setting.substr(0, equals);
  std::string value(setting.substr(equals + 1));
  std::erase(value, kUtf8LeadByteC2);
  if (IsExcluded(title)) return;
  const auto [first, last] = titleIndex_.equal_range(title);
  // Children may appear once their parents hold the values of earlier stages.
  if (first == last && stage == 0) report_.unknownTitles.emplace_back(title);
  for (auto it = first; it != last; ++it) {
    Datum& item = *it->second;
    if (item.IsCompareOnly() || !item.IsWritable() || item.Stage() != stage) continue;
    if (IsReservedValue(value)) continue;
    if (!item.CheckText(value)) {
      context_.AppendLogLine("Unrecognized Value in Setting: " + std::string(setting));
      report_.rejectedValues.emplace_back(setting);
      // Cut to fit, it would be another value, written back as if it were the file's.
      if (!item.FitsText(value)) continue;
    }
    if (item.SetFromText(value)) ++report_.applied;
  }
}

void DatumBoxMultiColumn::IndexTitles() {
  titleIndex_.clear();
  for (const DatumRow& row : rows_) IndexItem(*row.item, 0);
}

void DatumBoxMultiColumn::IndexItem(Datum& item, int depth) {
  if (depth > kMaxTreeDepth) return;
  if (item.SetterKind() || item.IsCompareOnly()) {
    // An item shown under several headings takes each value once.
    const std::string title = item.Title();
    const auto [first, last] = titleIndex_.equal_range(title);
    const bool known =
        std::any_of(first, last, [&](const auto& entry) { return entry.second == &item; });
    if (!known) titleIndex_.emplace(title, &item);
  }
  for (Datum* child : item.ChildrenNow()) IndexItem(*child, depth + 1);
}

void DatumBoxMultiColumn::AbandonCloning() {
  if (stage_ >= 0) {
    context_.AppendLogLine("WARNING  Abandoning Cloning");
    stage_ = kNotCloning;
    CloseInput();
    report_.abandoned = true;
  }
  for (const DatumRow& row : rows_) DropPending(*row.item, 0);
}

void DatumBoxMultiColumn::DropPending(Datum& item, int depth) {
  if (depth > kMaxTreeDepth) return;
  if (item.ClearPending()) context_.AppendLogLine("Abandoning setting of " + item.ShortTitle());
  if (!item.HasChildren()) return;
  for (Datum* child : item.Children()) DropPending(*child, depth + 1);
}

void DatumBoxMultiColumn::ExcludeTitle(std::string_view title) {
  excludedTitles_.emplace(title.substr(0, title.find(" [")));
}

bool DatumBoxMultiColumn::IsExcluded(std::string_view title) const {
  return excludedTitles_.contains(title);
}

void DatumBoxMultiColumn::SendResetRequest() {
  if (dgnTable_ == nullptr || dgnTable_->address == framework::kGlobalAddress) return;
  context_.Write(framework::TransmitMessage(context_.ToolAddress(),
                                            dgnTable_->dgns[kGeneralResetSlot],
                                            framework::kTransmitPriority, kGeneralResetData));
}

void DatumBoxMultiColumn::CloseInput() {
  input_.reset();
}

void DatumBoxMultiColumn::Rewind() {
  input_->clear();
  input_->seekg(0);
}

void DatumBoxUserSettings::ActOnChange(Datum& item) {
  // A value whose text does not read back as itself must not hold a load for ever.
  if (!item.SetValueFromText(item.PendingText()) || item.IsUnconfirmed()) item.ClearPending();
}

bool DatumListTicker::Tick() {
  list_.ProcessNextChange();
  if (--countdown_ > 0) return false;
  countdown_ = kTicksPerUpdate;
  list_.Update();
  return true;
}

bool RunListUntilSettled(DatumBoxMultiColumn& list, int maxTicks) {
  DatumListTicker ticker(list);
  for (int tick = 0; tick < maxTicks; ++tick) {
    if (ticker.Tick() && !list.IsCloning() && list.ChangeList().empty()) return true;
  }
  list.AbandonCloning();
  return false;
}

}  // namespace vlt::data
