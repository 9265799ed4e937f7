#include "support/virtual_time.h"

#include <algorithm>

namespace vlt::testing {

std::optional<std::size_t> ScriptedMailslots::NextMessageSize() {
  if (incoming.empty()) return std::nullopt;
  return incoming.front().size();
}

std::optional<std::size_t> ScriptedMailslots::Read(std::span<std::uint8_t> buffer) {
  if (incoming.empty()) return std::nullopt;
  std::vector<std::uint8_t> message = std::move(incoming.front());
  incoming.pop_front();
  if (failNextRead) {
    failNextRead = false;
    return std::nullopt;
  }
  const std::size_t n = std::min(message.size(), buffer.size());
  std::copy_n(message.begin(), n, buffer.begin());
  return n;
}

bool ScriptedMailslots::Write(std::span<const std::uint8_t> message) {
  written.emplace_back(message.begin(), message.end());
  return true;
}

std::vector<std::vector<std::uint8_t>> ScriptedMailslots::WrittenOfType(std::uint8_t type) const {
  std::vector<std::vector<std::uint8_t>> out;
  for (const auto& m : written) {
    if (!m.empty() && m[0] == type) out.push_back(m);
  }
  return out;
}

}  // namespace vlt::testing
