// Creates a test object from its code ("Log a Skipped Test"). The compliance
// tests fill the table; the engine knows only which codes may be created.
#pragma once

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "engine/test.h"
#include "framework/parser.h"

namespace vlt::engine {

// The codes the factory creates; any other text yields no test.
inline constexpr std::array<std::string_view, 12> kFactoryCodes = {
    "A10", "A20", "A30", "A40", "A50", "A60", "A70", "A80", "A90", "A100", "A110", "ND10"};

using MakeTestFn = std::unique_ptr<Test> (*)(const TestContext& context);

// A test created the only safe way: registered as a parser once fully built.
template <typename TestClass>
std::unique_ptr<Test> MakeRegistered(const TestContext& context) {
  return std::make_unique<framework::Registered<TestClass>>(context.app.Link().Parsers(), context);
}

struct TestRegistration {
  std::string_view code;
  MakeTestFn make;
};

class TestFactory {
 public:
  TestFactory() = default;
  template <std::size_t N>
  explicit TestFactory(const std::array<TestRegistration, N>& table) {
    for (const TestRegistration& r : table) Register(r.code, r.make);
  }

  // False (and nothing registered) for a code outside kFactoryCodes or a null maker.
  bool Register(std::string_view code, MakeTestFn make);
  // Trailing blanks are cut from `code`; null for an unknown or unregistered code.
  std::unique_ptr<Test> Create(std::string_view code, const TestContext& context) const;

 private:
  std::map<std::string, MakeTestFn, std::less<>> makers_;
};

}  // namespace vlt::engine
