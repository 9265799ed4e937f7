#include "reports/test_catalogue.h"
#include "compliance/test_table.h"

#include <gtest/gtest.h>

#include "platform/log_pane.h"

namespace vlt::reports {
namespace {

TEST(TestCatalogue, LooksUpEveryFieldAndAnswersErrForAMissingIndex) {
  const TestCatalogue& c = compliance::Catalogue();
  struct Case {
    std::uint16_t index;
    const char *code, *title, *spec, *revision;
  } cases[] = {
      {0, "RAC", "Read ADDRESS_CLAIM", "N/A", "00-00-0000"},
      {10, "A100", "Dynamic Range Full", "10-2025", "11-21-2025"},
      {22, "ND10", "Global Request for DGN", "10-2025", "12-10-2026"},
      {12, "Err", "Err", "Err", "Err"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.index);
    EXPECT_EQ(c.Code(k.index), k.code);
    EXPECT_EQ(c.Title(k.index), k.title);
    EXPECT_EQ(c.SpecVersion(k.index), k.spec);
    EXPECT_EQ(c.CodeRevision(k.index), k.revision);
  }
  std::size_t runnable = 0;
  for (const compliance::TestRow& row : compliance::TestTable()) runnable += row.make != nullptr;
  EXPECT_EQ(c.Entries().size(), runnable);
}

TEST(TestCatalogue, FieldRulesCutLongTextsAndReplaceMalformedRevisions) {
  TestCatalogue c;
  c.Add(5, "ABCDEFGHIJKL", std::string(70, 't'), "123456789012", "1-2-2025");
  EXPECT_EQ(c.Code(5), "ABCDEFGHIJ");
  EXPECT_EQ(c.Title(5), std::string(60, 't'));
  EXPECT_EQ(c.SpecVersion(5), "1234567890");
  EXPECT_EQ(c.CodeRevision(5), "00-00-0000");
}

TEST(VersionReport, ListsTheCatalogueInIndexOrderInFixedColumns) {
  platform::MemoryLogPane pane;
  framework::LogOutput log;
  log.Attach(&pane);
  pane.AppendLine("earlier text");
  WriteVersionReport(compliance::Catalogue(), log);
  const std::string text = pane.Text();
  const std::string expectedStart =
      "earlier text\r\n"
      "Program Compiled : Jan 21 2026  09:41:20\r\n"
      "RAC       Read ADDRESS_CLAIM                                          N/A       "
      "00-00-0000\r\n"
      "A10       Static Addressing Bootup                                    10-2025   "
      "10-31-2025\r\n";
  EXPECT_EQ(text.substr(0, expectedStart.size()), expectedStart);
  EXPECT_NE(text.find("\r\nA110      Response to Request for ADDRESS_CLAIM                       "
                      "10-2025   11-21-2025\r\nND10      Global Request for DGN"),
            std::string::npos)
      << text;
  log.Detach();
}

}  // namespace
}  // namespace vlt::reports
