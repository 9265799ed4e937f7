// Creates a test object from its code ("Log a Skipped Test"). The compliance
// tests fill the factory; the engine only looks their makers up.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/test.h"
#include "framework/parser.h"

namespace vlt::engine {

using MakeTestFn = std::unique_ptr<Test> (*)(const TestContext& context);

// A test created the only safe way: registered as a parser once fully built.
template <typename TestClass>
std::unique_ptr<Test> MakeRegistered(const TestContext& context) {
  return std::make_unique<framework::Registered<TestClass>>(context.app.Link().Parsers(), context);
}

class TestFactory {
 public:
  // False (and nothing registered) for an empty code or a null maker.
  bool Register(std::string_view code, MakeTestFn make);
  // Trailing blanks are cut from `code`; null for an unknown or unregistered code.
  std::unique_ptr<Test> Create(std::string_view code, const TestContext& context) const;
  bool Knows(std::string_view code) const { return makers_.find(code) != makers_.end(); }

 private:
  std::map<std::string, MakeTestFn, std::less<>> makers_;
};

}  // namespace vlt::engine
