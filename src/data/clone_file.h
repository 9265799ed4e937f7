// Clone files: text files that hold the value of every settable item of a list,
// one ":SET title=value" line each, after a three-line header naming the program,
// its version and the time of writing. Profiles are clone files of the settings
// list. Written as Windows-1252 with CR LF; LF alone is accepted on reading.
#pragma once

#include <cstddef>
#include <ctime>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "framework/log_output.h"
#include "platform/clock.h"

namespace vlt::data {

inline constexpr std::string_view kCloneProgramLine = ":Program MORVEL";
inline constexpr std::string_view kCloneVersionLine = ":Version 1.0.0";
inline constexpr std::string_view kCloneCreatedPrefix = ":Created ";
inline constexpr std::string_view kCloneSetWord = ":SET";
inline constexpr std::string_view kCloneSetPrefix = ":SET ";
inline constexpr std::string_view kCloneComparePrefix = ":COMPARE ";
inline constexpr std::string_view kCloneSkipWord = ":SKIP";
inline constexpr std::string_view kCloneLineEnd = "\r\n";
// Only files whose name contains this are loaded.
inline constexpr std::string_view kCloneFileExtension = ".zcf";
// A byte that a UTF-8 round trip puts before B0h (the degree sign); dropped on loading.
inline constexpr char kUtf8LeadByteC2 = '\xC2';

// The local time of "now", as dates in file headers and reports need it.
using LocalTimeFn = std::function<std::tm()>;
// The system's local time of the clock's UTC seconds.
std::tm LocalTimeAt(std::int64_t utcSeconds);
LocalTimeFn LocalTimeOf(const platform::Clock& clock);

// "%A, %B %d, %Y", then `beforeTime`, then "%H:%M:%S", with English names
// whatever the process locale, since the text goes into files.
std::string FormatLongDate(const std::tm& when, std::string_view beforeTime);
// The date and time of a text FormatLongDate wrote (tm_year, tm_mon, tm_mday,
// tm_hour, tm_min, tm_sec); nothing for any other text.
std::optional<std::tm> ParseLongDate(std::string_view text, std::string_view beforeTime);

// The program, version and created lines, each ended with CR LF.
void WriteCloneHeader(std::ostream& out, const std::tm& created);
// The same with a ":Created" line kept from the file being written over.
void WriteCloneHeader(std::ostream& out, std::string_view createdLine);

// What the header of a clone file said.
struct CloneHeaderCheck {
  bool programLine = false;     // a ":Program" line of this program was read
  bool foreignProgram = false;  // a ":Program" line of another program stopped the reading
  bool versionDiffers = false;
  std::string versionLine;  // the last ":Version" line read
  std::string createdLine;  // the last ":Created" line read
};

// Reads the stream from where it stands to its end (or a foreign program line)
// and reports on the header in the log pane, ending with an empty line.
CloneHeaderCheck CheckCloneHeader(std::istream& in, framework::LogOutput& log);

// What one load of a clone file did, beyond the lines it wrote to the log pane,
// so that a caller without a visible log pane can tell the operator.
struct CloneLoadReport {
  bool opened = false;
  bool cloneFileName = false;  // the name contains ".zcf"; otherwise nothing is loaded
  CloneHeaderCheck header;
  std::size_t applied = 0;                  // values an item accepted
  std::vector<std::string> invalidLines;    // setting texts of ":SET" lines without "="
  std::vector<std::string> rejectedValues;  // setting texts whose value an item refused
  std::vector<std::string> unknownTitles;   // titles no settable item of the list carries
  std::size_t overlongLines = 0;            // ":SET" lines over the reader's cap, skipped
  bool abandoned = false;                   // another load or an abandon stopped it
  bool finished = false;                    // every stage was loaded and confirmed
};

// What one SaveItems wrote.
struct CloneSaveReport {
  std::size_t written = 0;
  std::vector<std::string> conflicts;  // titles carried by items with different values
};

}  // namespace vlt::data
