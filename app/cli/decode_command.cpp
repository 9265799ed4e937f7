#include "cli/decode_command.h"

#include <cstdio>
#include <iostream>

#include "cli/arguments.h"
#include "cli/terminal.h"
#include "dictionary/frame_line.h"
#include "dictionary/frame_text.h"
#include "framework/dgn_table.h"
#include "platform/text_encoding.h"

namespace vlt::cli {

namespace {

constexpr const char* kUsage =
    "usage: vlt decode < FRAMES\n"
    "  Reads frames from standard input, one a line, as candump -L writes them\n"
    "  ((1700000000.123456) can0 18EEFF80#0102030405060708, the time optional)\n"
    "  or as DGN, source address and data bytes (0EE00 80 01 02 03 04 05 06 07 08),\n"
    "  and prints each frame with the signals the dictionary decodes from it.\n"
    "  The time column is the candump time's milliseconds modulo 2^32, 0 without one.\n"
    "  Exit status 65 when any line was malformed.\n";

}  // namespace

int DecodeFrameLines(std::istream& in, std::ostream& out, std::ostream& errors,
                     const dictionary::Dictionary& dictionary) {
  bool anyMalformed = false;
  std::string line;
  for (std::size_t number = 1; std::getline(in, line); ++number) {
    const dictionary::FrameLineReading reading = dictionary::ReadFrameLine(line);
    if (reading.kind == dictionary::FrameLineReading::Kind::kBlank) continue;
    if (reading.kind == dictionary::FrameLineReading::Kind::kMalformed) {
      anyMalformed = true;
      out.flush();  // the message lands next to the frames around it
      errors << "vlt decode: line " << number << ": " << reading.error << '\n';
      errors.flush();
      continue;
    }
    const dictionary::FrameLine& frame = reading.frame;
    out << platform::Cp1252ToUtf8(dictionary::DescribeFrame(dictionary::RecordOf(frame), true))
        << '\n';
    if (dictionary.Knows(frame.dgn)) {
      out << platform::Cp1252ToUtf8(dictionary.DecodeToText(dictionary::MessageOf(frame))) << '\n';
    }
  }
  out.flush();
  if (in.bad()) {
    errors << "vlt decode: reading standard input failed\n";
    return kExitDataError;
  }
  return anyMalformed ? kExitDataError : kExitOk;
}

int RunDecode(const std::vector<std::string>& args) {
  for (const std::string& arg : args) {
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return kExitOk;
    }
    return UsageError("unknown argument '" + arg + "'", kUsage);
  }
  // The dictionary alone: decoding needs neither a host nor a parser list.
  const framework::DgnTable global = framework::DgnTable::For(framework::kGlobalAddress);
  const dictionary::MainDictionary dictionary(values::SharedValueMakers::Instance(), global);
  std::ios::sync_with_stdio(false);
  return DecodeFrameLines(std::cin, std::cout, std::cerr, dictionary);
}

}  // namespace vlt::cli
