#include "reports/test_catalogue.h"

#include <array>

namespace vlt::reports {
namespace {

struct Row {
  std::uint16_t index;
  std::string_view code;
  std::string_view title;
  std::string_view specVersion;
  std::string_view codeRevision;
};

// "Read ADDRESS_CLAIM" has no versions; its "N/A" revision is stored as 00-00-0000.
constexpr std::array<Row, 13> kRows = {{
    {0, "RAC", "Read ADDRESS_CLAIM", "N/A", "N/A"},
    {1, "A10", "Static Addressing Bootup", "10-2025", "10-31-2025"},
    {2, "A20", "Static Addressing - Lower Priority Conflict", "10-2025", "10-31-2025"},
    {3, "A30", "Static Addressing - Higher Priority Conflict", "10-2025", "10-31-2025"},
    {4, "A40", "Dynamic Addressing Bootup", "10-2025", "11-04-2025"},
    {5, "A50", "Dynamic Addressing Startup Conflict (High Priority)", "10-2025", "11-04-2025"},
    {6, "A60", "Dynamic Addressing Startup Conflict (Low Priority)", "10-2025", "11-04-2025"},
    {7, "A70", "Dynamic Addressing Startup No Conflict", "10-2025", "11-06-2025"},
    {8, "A80", "Dynamic Addressing Subsequent Conflict (Low Priority)", "10-2025", "11-13-2025"},
    {9, "A90", "Dynamic Addressing Subsequent Conflict (High Priority)", "10-2025", "11-13-2025"},
    {10, "A100", "Dynamic Range Full", "10-2025", "11-21-2025"},
    {11, "A110", "Response to Request for ADDRESS_CLAIM", "10-2025", "11-21-2025"},
    {22, "ND10", "Global Request for DGN", "10-2025", "01-01-2026"},
}};

std::string Cut(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

std::string PadTo(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}

}  // namespace

const TestCatalogue& TestCatalogue::Instance() {
  static const TestCatalogue catalogue = [] {
    TestCatalogue built;
    for (const Row& row : kRows) {
      built.Add(row.index, row.code, row.title, row.specVersion, row.codeRevision);
    }
    return built;
  }();
  return catalogue;
}

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
