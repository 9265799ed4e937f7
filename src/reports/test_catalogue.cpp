#include "reports/test_catalogue.h"

namespace vlt::reports {
namespace {

std::string Cut(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

std::string PadTo(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

void TestCatalogue::Add(std::uint16_t index, std::string_view code, std::string_view title,
                        std::string_view specVersion, std::string_view codeRevision) {
  CatalogueEntry entry;
  entry.code = Cut(code, kCodeChars);
  entry.title = Cut(title, kTitleChars);
  entry.specVersion = Cut(specVersion, kSpecVersionChars);
  entry.codeRevision =
      std::string(codeRevision.size() == kRevisionChars ? codeRevision : kNoRevision);
  entries_[index] = std::move(entry);
}

const CatalogueEntry* TestCatalogue::Find(std::uint16_t index) const {
  const auto it = entries_.find(index);
  return it == entries_.end() ? nullptr : &it->second;
}

std::string TestCatalogue::Code(std::uint16_t index) const {
  const CatalogueEntry* e = Find(index);
  return e != nullptr ? e->code : std::string(kNoEntryText);
}

std::string TestCatalogue::Title(std::uint16_t index) const {
  const CatalogueEntry* e = Find(index);
  return e != nullptr ? e->title : std::string(kNoEntryText);
}

std::string TestCatalogue::SpecVersion(std::uint16_t index) const {
  const CatalogueEntry* e = Find(index);
  return e != nullptr ? e->specVersion : std::string(kNoEntryText);
}

std::string TestCatalogue::CodeRevision(std::uint16_t index) const {
  const CatalogueEntry* e = Find(index);
  return e != nullptr ? e->codeRevision : std::string(kNoEntryText);
}

std::vector<std::string> TestCatalogue::VersionReportLines() const {
  std::vector<std::string> lines;
  lines.push_back("Program Compiled : " + std::string(kCompileDate) + "  " +
                  std::string(kCompileTime));
  for (const auto& [index, e] : entries_) {
    lines.push_back(PadTo(e.code, kCodeChars) + PadTo(e.title, kTitleChars) +
                    PadTo(e.specVersion, kSpecVersionChars) + e.codeRevision);
  }
  return lines;
}

void WriteVersionReport(const TestCatalogue& catalogue, framework::LogOutput& log) {
  for (const std::string& line : catalogue.VersionReportLines()) log.AppendLogLine(line);
}

std::string ProgramVersionText(std::string_view program) {
#ifndef VLT_VERSION
#define VLT_VERSION "0.0.0"
#endif
  return std::string(program) + " " + VLT_VERSION + " (Valmora Tester, compiled " +
         std::string(kCompileDate) + ")";
}

}  // namespace vlt::reports
