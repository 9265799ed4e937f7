#include "data/line_reader.h"

#include <algorithm>

namespace vlt::data {

bool HoldsControlBytes(std::string_view line) {
  return std::any_of(line.begin(), line.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 && c != '\t' && c != '\r' && c != '\n';
  });
}

LineReader::LineReader(std::istream& in, std::size_t maxLineBytes)
    : buffer_(in.rdbuf()), maxLineBytes_(maxLineBytes) {}

bool LineReader::Next(std::string& line) {
  line.clear();
  cut_ = false;
  bytes_ = 0;
  if (buffer_ == nullptr) return false;
  using Traits = std::streambuf::traits_type;
  bool any = false;
  bool lastWasCr = false;
  for (;;) {
    const Traits::int_type c = buffer_->sbumpc();
    if (Traits::eq_int_type(c, Traits::eof())) break;
    any = true;
    const char ch = Traits::to_char_type(c);
    if (ch == '\n') break;
    ++bytes_;
    lastWasCr = ch == '\r';
    if (line.size() < maxLineBytes_) {
      line.push_back(ch);
    } else {
      cut_ = true;
    }
  }
  // Windows text mode reads CR LF as LF; a lone CR elsewhere stays.
  if (lastWasCr) {
    --bytes_;
    if (!cut_) line.pop_back();
  }
  return any;
}

}  // namespace vlt::data
