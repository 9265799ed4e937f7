#include "engine/element.h"

#include "engine/test.h"

namespace vlt::engine {

std::string NameColumn(const std::string& prefix, const std::string& name) {
  std::string line = prefix + name;
  if (name.size() < kNameColumnChars) line.append(kNameColumnChars - name.size(), ' ');
  return line;
}

std::string WaitOf(const Element& element) {
  std::string words = element.WaitingFor();
  return words.empty() ? "Waiting in " + element.GetName() + "." : words;
}

void Element::Describe(const std::string& prefix, std::vector<std::string>& lines) const {
  std::string line = NameColumn(prefix, GetName());
  if (blocks_) line += "Blocks";
  if (holds_) line += "Holds";
  lines.push_back(std::move(line));
}

std::string Element::StatusLine(const std::string& prefix) const {
  std::string line = NameColumn(prefix, GetName());
  line += IsHolding() ? "Hold " : "---- ";
  line += IsBlocking() ? "Blok " : "---- ";
  line += IsActive() ? "Proc " : "---- ";
  return line;
}

void Element::DescribeStatus(const std::string& prefix, std::vector<std::string>& lines) const {
  lines.push_back(StatusLine(prefix));
}

std::string Element::GetMarker() const {
  if (IsBlocking()) return std::string(kMarkBlocking);
  if (IsHolding()) return std::string(kMarkHolding);
  if (IsActive()) return std::string(kMarkActive);
  return std::string(kMarkIdle);
}

void Element::Trace(std::string_view line) const {
  if (test_ != nullptr) test_->Trace(line);
}

void Element::Write(std::string_view line) const {
  if (test_ != nullptr) test_->Write(line);
}

void Element::Post(std::uint32_t code) const {
  if (test_ != nullptr) test_->PostEvent(code);
}

}  // namespace vlt::engine
