#include "support/golden_file.h"

#include <fstream>
#include <sstream>
#include <vector>

namespace vlt::testing {

namespace {

std::vector<std::string> SplitKeepingEnds(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t end = text.find('\n', at);
    end = end == std::string::npos ? text.size() : end + 1;
    lines.push_back(text.substr(at, end - at));
    at = end;
  }
  return lines;
}

// Line ends and other control bytes made visible.
std::string Visible(const std::string& line) {
  std::string out;
  for (const char c : line) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace

::testing::AssertionResult MatchesGoldenFile(const std::string& actual,
                                             const std::filesystem::path& path) {
  const std::string file = path.filename().string();
  std::ifstream in(path, std::ios::binary);
  if (!in) return ::testing::AssertionFailure() << "missing golden file " << path;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  const std::string expected = buffer.str();
  if (actual == expected) return ::testing::AssertionSuccess();

  const auto want = SplitKeepingEnds(expected);
  const auto got = SplitKeepingEnds(actual);
  // The actual text beside the others, to inspect or to take over as the new golden.
  const auto actualPath = std::filesystem::path(::testing::TempDir()) / file;
  std::ofstream(actualPath, std::ios::binary) << actual;
  std::ostringstream diff;
  diff << "differs from " << file << " (- golden, + actual; actual in " << actualPath.string()
       << "):\n";
  const std::size_t n = std::max(want.size(), got.size());
  bool marked = false;
  for (std::size_t i = 0; i < n; ++i) {
    const std::string w = i < want.size() ? want[i] : std::string("<none>");
    const std::string g = i < got.size() ? got[i] : std::string("<none>");
    if (w == g) {
      diff << "  " << i + 1 << ": " << Visible(w) << '\n';
      continue;
    }
    diff << "- " << i + 1 << ": " << Visible(w) << '\n';
    diff << "+ " << i + 1 << ": " << Visible(g) << '\n';
    if (!marked) {
      std::size_t col = 0;
      while (col < w.size() && col < g.size() && w[col] == g[col]) ++col;
      diff << "  first difference at column " << col + 1 << '\n';
      marked = true;
    }
  }
  return ::testing::AssertionFailure() << diff.str();
}

}  // namespace vlt::testing
