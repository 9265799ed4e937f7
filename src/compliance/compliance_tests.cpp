#include "compliance/compliance_tests.h"

#include "compliance/test_table.h"
#include "dictionary/dictionary.h"

namespace vlt::compliance {

std::unique_ptr<engine::Test> MakeTest(std::string_view code, const engine::TestContext& context) {
  const TestRow* row = FindTest(code);
  return row != nullptr && row->make != nullptr ? row->make(context) : nullptr;
}

std::vector<RunnableTestTitle> RunnableTestTitles() {
  std::vector<RunnableTestTitle> titles;
  for (const TestRow& row : TestTable()) {
    if (row.make != nullptr) {
      titles.push_back({std::string(row.code), Catalogue().Title(row.catalogueIndex)});
    }
  }
  return titles;
}

std::vector<std::string> RunnableCodes() {
  std::vector<std::string> codes;
  for (const TestRow& row : TestTable()) {
    if (row.make != nullptr) codes.emplace_back(row.code);
  }
  return codes;
}

void AttachDictionary(engine::TestContext& context, const dictionary::Dictionary& dictionary) {
  context.signalValue = [&dictionary](const framework::FrameRecord& frame,
                                      const std::string& name) {
    return dictionary.ValueOf(name, frame);
  };
  context.decodeFrame = [&dictionary](const framework::FrameRecord& frame) {
    return dictionary.DecodeToText(frame);
  };
}

engine::TestFactory MakeSkipFactory() {
  engine::TestFactory factory;
  for (const TestRow& row : TestTable()) {
    if (row.skippable && row.make != nullptr) factory.Register(row.code, row.make);
  }
  return factory;
}

}  // namespace vlt::compliance
