#include "engine/test_factory.h"

namespace vlt::engine {

bool TestFactory::Register(std::string_view code, MakeTestFn make) {
  if (make == nullptr || code.empty()) return false;
  makers_[std::string(code)] = make;
  return true;
}

std::unique_ptr<Test> TestFactory::Create(std::string_view code, const TestContext& context) const {
  const std::size_t end = code.find_last_not_of(' ');
  code = end == std::string_view::npos ? std::string_view() : code.substr(0, end + 1);
  const auto it = makers_.find(code);
  return it == makers_.end() ? nullptr : it->second(context);
}

}  // namespace vlt::engine
