// Every test the tester runs, by code: the Test menu's table, the factory of
// "Log a Skipped Test", and the command line's `vlt run CODE`.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/test.h"
#include "engine/test_factory.h"
#include "reports/summary_report.h"

namespace vlt::dictionary {
class Dictionary;
}

namespace vlt::compliance {

// Lets the tests read signals and decode frames through the dictionary, which
// must outlive every test of the context.
void AttachDictionary(engine::TestContext& context, const dictionary::Dictionary& dictionary);

// A runnable test by its code ("RAC", "A10" ... "ND10"); null for an unknown code.
std::unique_ptr<engine::Test> MakeTest(std::string_view code, const engine::TestContext& context);
// The codes MakeTest knows, in menu order.
std::vector<std::string> RunnableCodes();
struct RunnableTestTitle {
  std::string code;
  std::string title;  // the catalogue's
};
std::vector<RunnableTestTitle> RunnableTestTitles();
// The factory of skipped-test records, filled with every test that has a class.
engine::TestFactory MakeSkipFactory();
// How many criteria each runnable test reports, counted on the tests themselves:
// each is built once, off any bus, and asked. What the summary report needs to
// tell a complete report from one cut short.
reports::CriterionCountLookup ProgramCriterionCounts();

}  // namespace vlt::compliance
