#include "data/datum.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "values/value_maker_shared.h"
#include "values/value_maker_text.h"

namespace vlt::data {

namespace {

// Trees are built by code; a loop among parents is a fault, and this bound keeps
// it from hanging the window thread.
constexpr int kMaxTreeDepth = 64;

// The number written between the last "[" and the "]" after it, if any.
std::optional<long> BracketNumber(const std::string& title, std::size_t open) {
  const std::size_t close = title.find(']', open);
  if (close == std::string::npos) return std::nullopt;
  const std::string inside = title.substr(open + 1, close - open - 1);
  char* end = nullptr;
  const long value = std::strtol(inside.c_str(), &end, 10);
  if (end == inside.c_str()) return std::nullopt;
  return value;
}

void AppendUnique(Datum::List& list, Datum* item) {
  if (std::find(list.begin(), list.end(), item) == list.end()) list.push_back(item);
}

}  // namespace

Datum::Datum(DataContext& context, std::string title) : Datum(context, std::move(title), {}) {}

Datum::Datum(DataContext& context, std::string title, std::vector<std::uint8_t> notAvailable)
    : context_(context),
      notAvailable_(std::move(notAvailable)),
      raw_(notAvailable_),
      title_(std::move(title)),
      maker_(&values::SharedValueMakers::Instance().plain) {}

Datum::~Datum() {
  if (periodicMaster_ != nullptr) periodicMaster_->RemovePeriodicItem(this);
  context_.CancelPaced(this);
}

std::string Datum::Title() {
  std::lock_guard lock(titleMutex_);
  const std::uint8_t instance = GetSpecifier().Instance();
  if (fixedTitle_ || instance == 0xFF) return title_;
  const std::size_t open = title_.rfind('[');
  if (open == std::string::npos) {
    title_ += GetSpecifier().InstanceSuffix();
    return title_;
  }
  if (BracketNumber(title_, open) == long{instance}) return title_;
  const std::size_t cut = open > 0 && title_[open - 1] == ' ' ? open - 1 : open;
  title_ = title_.substr(0, cut) + GetSpecifier().InstanceSuffix();
  return title_;
}

std::string Datum::ShortTitle() {
  {
    std::lock_guard lock(titleMutex_);
    if (!shortTitle_.empty()) return shortTitle_;
  }
  return Title();
}

void Datum::SetShortTitle(std::string shortTitle) {
  std::lock_guard lock(titleMutex_);
  shortTitle_ = std::move(shortTitle);
}

std::string Datum::ValueText() const {
  return maker_->Format(RawValue());
}

std::string Datum::TitleAndValue() {
  return Title() + " = " + ValueText();
}

std::string Datum::PendingText() const {
  const auto pending = GetSetter().PendingValue();
  return maker_->Format(std::vector<std::uint8_t>(pending.begin(), pending.end()));
}

void Datum::SetValueMaker(const values::ValueMaker* maker) {
  maker_ = maker != nullptr ? maker : &values::SharedValueMakers::Instance().plain;
}

void Datum::SetSpecifier(Specifier* specifier) {
  specifier_ = specifier;
  if (specifier != ownedSpecifier_.get()) ownedSpecifier_.reset();
}

void Datum::OwnSpecifier(std::unique_ptr<Specifier> specifier) {
  specifier_ = specifier.get();
  ownedSpecifier_ = std::move(specifier);
}

const Specifier& Datum::GetSpecifier() const {
  return specifier_ != nullptr ? *specifier_ : SharedSpecifier();
}

void Datum::SetSetter(Setter* setter) {
  setter_ = setter;
  if (setter != ownedSetter_.get()) ownedSetter_.reset();
  setterKind_ = GetSetter().IsSettable();
}

void Datum::OwnSetter(std::unique_ptr<Setter> setter) {
  setter_ = setter.get();
  ownedSetter_ = std::move(setter);
  setterKind_ = GetSetter().IsSettable();
}

Setter& Datum::GetSetter() const {
  return setter_ != nullptr ? *setter_ : SharedReadOnlySetter();
}

std::vector<std::uint8_t> Datum::RawValue() const {
  std::lock_guard lock(rawMutex_);
  return raw_;
}

void Datum::SetRawValue(std::span<const std::uint8_t> bytes) {
  const bool changed = EditRaw([&](std::vector<std::uint8_t>& raw) {
    std::copy_n(bytes.begin(), std::min(bytes.size(), raw.size()), raw.begin());
  });
  if (changed) Refresh();
}

void Datum::SetInstance(const std::uint8_t* instance, bool replace) {
  // The shared setter and specifier serve every item; one item must not change them.
  if (setter_ != nullptr) setter_->SetFirstSlot(instance, replace);
  if (specifier_ != nullptr) specifier_->SetFirstSlot(instance, replace);
}

void Datum::AddParent(Datum* parent) {
  AppendUnique(parents_, parent);
}

Datum::List Datum::Parents() {
  parentCount_ = static_cast<std::uint32_t>(parents_.size());
  return parents_;
}

Datum* Datum::Root() {
  Datum* item = this;
  for (int depth = 0; depth < kMaxTreeDepth && !item->parents_.empty(); ++depth) {
    item = item->parents_.front();
  }
  return item;
}

Datum::List Datum::Children() {
  List list;
  for (const auto& [child, key] : children_) AppendUnique(list, child);
  childCount_ = static_cast<std::uint32_t>(list.size());
  return list;
}

Datum::List Datum::ChildrenFor(std::uint8_t /*key*/) {
  return Children();
}

void Datum::AddChildrenFor(Datum* child, unsigned firstKey, unsigned endKey) {
  for (unsigned key = firstKey; key < endKey && key <= kAnyKey; ++key) {
    AddChild(child, static_cast<std::uint8_t>(key));
  }
}

void Datum::AddChild(Datum* child, std::uint8_t key) {
  children_.emplace_back(child, key);
  child->AddParent(this);
}

bool Datum::ParentAllows() {
  return ParentAllowsAt(0);
}

bool Datum::ParentAllowsAt(int depth) {
  if (parents_.empty()) return true;
  if (depth >= kMaxTreeDepth) return false;
  for (Datum* parent : parents_) {
    for (const auto& [child, key] : parent->children_) {
      if (child != this) continue;
      if (!parent->ParentAllowsAt(depth + 1)) continue;
      if (parent->AllowsChild(key)) return true;
    }
  }
  return false;
}

void Datum::CheckTimeout() {
  const std::uint32_t timeout = timeout_.load();
  if (timeout == 0 || !hasReception_.load()) return;
  if (lastReception_.load() + timeout < context_.SlowCounter()) {
    Invalidate();
    hasReception_ = false;
    lastReception_ = 0;
  }
}

void Datum::SetTimeout(std::uint32_t seconds) {
  if (periodicMaster_ == nullptr) {
    periodicMaster_ = context_.MasterParser();
    if (periodicMaster_ != nullptr) periodicMaster_->AddPeriodicItem(this);
  }
  timeout_ = seconds * kTimeoutStepsPerSecond;
}

void Datum::Invalidate() {
  EditRaw([this](std::vector<std::uint8_t>& raw) { raw = notAvailable_; });
  Refresh();
}

bool Datum::ParseInto(std::string_view text, std::vector<std::uint8_t>& value) const {
  // Bytes the maker does not write stay 0, so a narrower maker gives the same
  // number in every width.
  std::vector<std::uint8_t> parsed(value.size(), 0);
  if (parsed.empty() || !maker_->Parse(text, parsed)) return false;
  value = std::move(parsed);
  return true;
}

void Datum::LogError(std::string_view text) {
  context_.AppendLogLine("Error: [" + std::string(text) + "] is not a valid setting for " +
                         Title() + ".");
}

bool Datum::SetFromText(std::string_view text) {
  Setter& setter = GetSetter();
  std::vector<std::uint8_t> value(setter.PendingValue().size());
  // The read-only setter has no value to hold the text.
  if (!ParseInto(text, value)) {
    LogError(text);
    return false;
  }
  std::copy(value.begin(), value.end(), setter.PendingValue().begin());
  setter.SetPending(true);
  context_.SetProfileModified(true);
  return true;
}

bool Datum::FitsText(std::string_view text) const {
  const auto* field = dynamic_cast<const values::ValueMakerFixedString*>(maker_);
  return field == nullptr || text.substr(0, text.find('\0')).size() <= field->Width();
}

bool Datum::CheckText(std::string_view text) const {
  if (!FitsText(text)) return false;
  const std::size_t width = std::max(
      {maker_->RawSize(), RawValue().size(), GetSetter().PendingValue().size(), std::size_t{1}});
  std::vector<std::uint8_t> value(width);
  return ParseInto(text, value);
}

bool Datum::SetValueFromText(std::string_view text) {
  std::vector<std::uint8_t> value(RawValue().size());
  if (!ParseInto(text, value)) {
    LogError(text);
    return false;
  }
  EditRaw([&](std::vector<std::uint8_t>& raw) { raw = value; });
  Refresh();
  return true;
}

bool Datum::IsUnconfirmed() {
  return GetSetter().Confirm(RawValue());
}

void Datum::SendNow() {
  // A read-only item has no command; its frame would be a DGN-less filler.
  if (!GetSetter().IsSettable()) return;
  context_.Write(GetSetter().BuildMessage(context_.ToolAddress()));
}

void Datum::SetTolerance(std::uint32_t tolerance) {
  if (setter_ != nullptr) setter_->SetTolerance(tolerance);
}

void Datum::Retarget(const framework::DgnTable& table) {
  if (setter_ != nullptr) setter_->Plan().Retarget(table);
  if (specifier_ != nullptr) specifier_->SetTarget(&table);
}

void Datum::Refresh() {
  changed_ = true;
  std::lock_guard lock(editMutex_);
  if (edit_ != nullptr) edit_->SetText(ValueText());
}

void Datum::AttachEdit(framework::TextDisplay* display) {
  std::lock_guard lock(editMutex_);
  edit_ = display;
}

void Datum::Describe(std::ostream& out) {
  out << "DType|" << TypeName() << '\n';
  out << "DTitle|" << Title() << '\n';
  if (identifier_ != -1) {
    char id[16];
    std::snprintf(id, sizeof(id), "%02x", static_cast<unsigned>(identifier_));
    out << "DIdentifier|" << id;
    if (!identifierText_.empty()) out << ':' << identifierText_;
    out << '\n';
  }
  DescribeLocation(out);
  if (compareOnly_) {
    out << "CompareOnly|1\n";
  } else {
    out << "DStage|" << int{stage_} << '\n';
  }
  GetSpecifier().Describe(out, context_.TargetTable());
  if (!compareOnly_) GetSetter().Describe(out, context_.TargetTable());
  maker_->Describe(out);
  out << '\n';
}

void Datum::Dump(std::ostream& out) {
  out << TitleAndValue() << " count: " << ReceiveCount() << " ts: " << LastReception()
      << " tus: " << Timeout() << "\n\r";
  GetSetter().Dump(out);
  GetSpecifier().Dump(out);
  out << "  children: " << Children().size() << "  parents: " << Parents().size() << "\n\r";
  DumpValue(out);
}

bool Datum::ValidateValueMaker(unsigned bits) {
  const unsigned required = maker_->RequiredBits();
  if (required == 0 || required == bits) return true;
  context_.AppendLogLine("Error: ValueMaker is not valid for " + Title() + ".");
  return false;
}

bool Datum::Accepts(const framework::FrameMessage& message) const {
  const bool frame =
      message.type == framework::kMsgFrame || message.type == framework::kMsgStampedFrame;
  return frame && GetSpecifier().Matches(message);
}

void Datum::Receive(std::span<const std::uint8_t> value, bool countKeyed) {
  const bool changed = EditRaw([&](std::vector<std::uint8_t>& raw) {
    std::copy_n(value.begin(), std::min(value.size(), raw.size()), raw.begin());
  });
  CountReception(changed, countKeyed);
}

void Datum::CountReception(bool changed, bool countKeyed) {
  ++receiveCount_;
  lastReception_ = context_.SlowCounter();
  hasReception_ = true;
  if (changed) Refresh();
  framework::BRMasterParser* master = context_.MasterParser();
  if (master == nullptr || IsMarked()) return;
  if (changed && (IsWritable() || (countKeyed && HasKeyedChildren()))) {
    master->CountRing2();
  } else {
    master->CountRing1();
  }
}

}  // namespace vlt::data
