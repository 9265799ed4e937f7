// Reads the lines of text files that come from outside (clone files, saved test
// logs): CR LF or LF ends a line, a last line without an end still counts, and a
// line longer than the cap is read through without being kept, so a file of any
// shape costs bounded memory and never stops the reader.
#pragma once

#include <cstddef>
#include <istream>
#include <string>
#include <string_view>

namespace vlt::data {

// Bytes below a blank other than tab, CR and LF: no text file this program
// reads holds them, so a line with one comes from a binary or damaged file.
bool HoldsControlBytes(std::string_view line);

class LineReader {
 public:
  // Far beyond any line this program writes or reads with meaning.
  static constexpr std::size_t kDefaultMaxLineBytes = 64 * 1024;

  explicit LineReader(std::istream& in, std::size_t maxLineBytes = kDefaultMaxLineBytes);

  // The next line without its end; false when the input is exhausted. A line
  // over the cap keeps its first maxLineBytes bytes and LastLineCut() is set.
  bool Next(std::string& line);
  bool LastLineCut() const { return cut_; }
  // The whole length of the last line, cut or not, without its end.
  std::size_t LastLineBytes() const { return bytes_; }

 private:
  std::streambuf* buffer_;
  std::size_t maxLineBytes_;
  bool cut_ = false;
  std::size_t bytes_ = 0;
};

}  // namespace vlt::data
