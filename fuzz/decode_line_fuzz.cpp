// Feeds any text to `vlt decode`'s reading of frame lines, and every frame it
// accepts to the frame text and the dictionary's decoding and lookups. Besides
// the sanitizers, it checks what a read frame promises: a candump frame has at
// most eight data bytes, and every DGN fits 17 bits.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "dictionary/dictionary.h"
#include "dictionary/frame_line.h"
#include "dictionary/frame_text.h"

namespace {

using namespace vlt;

const dictionary::Dictionary& Dictionary() {
  static const framework::DgnTable global = framework::DgnTable::For(0xFF);
  static const dictionary::MainDictionary dictionary(values::SharedValueMakers::Instance(), global);
  return dictionary;
}

void DecodeLine(std::string_view line) {
  const dictionary::FrameLineReading reading = dictionary::ReadFrameLine(line);
  if (reading.kind != dictionary::FrameLineReading::Kind::kFrame) return;
  const dictionary::FrameLine& frame = reading.frame;
  if (frame.dgn > framework::kDgnMask) std::abort();
  if (line.find('#') != std::string_view::npos && frame.data.size() > 8) std::abort();
  if (frame.data.size() > framework::kMaxFrameDataBytes) std::abort();

  const auto record = dictionary::RecordOf(frame);
  const auto message = dictionary::MessageOf(frame);
  const auto& decoder = Dictionary();
  (void)dictionary::DescribeFrame(record, true);
  if (decoder.Knows(frame.dgn) && decoder.DecodeToText(message).empty()) std::abort();
  (void)decoder.DecodeToText(record);
  // Every signal shows a text, if only "N/D".
  for (const auto& row : dictionary::NetworkManagementRows()) {
    if (decoder.ValueOf(row.name, message).empty()) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    DecodeLine(text.substr(start, end - start));
    start = end + 1;
  }
  return 0;
}
