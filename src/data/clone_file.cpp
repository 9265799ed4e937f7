#include "data/clone_file.h"

#include <array>
#include <cstdio>

#include "data/line_reader.h"

namespace vlt::data {

namespace {

constexpr std::array<const char*, 7> kDayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                  "Thursday", "Friday", "Saturday"};
constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Exactly `digits` decimal digits from the front of `text`, which it consumes.
std::optional<int> TakeNumber(std::string_view& text, std::size_t digits) {
  if (text.size() < digits) return std::nullopt;
  int value = 0;
  for (std::size_t i = 0; i < digits; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  text.remove_prefix(digits);
  return value;
}

bool TakeText(std::string_view& text, std::string_view expected) {
  if (!StartsWith(text, expected)) return false;
  text.remove_prefix(expected.size());
  return true;
}

// The index of the name `text` begins with, which it consumes.
template <std::size_t N>
std::optional<int> TakeName(std::string_view& text, const std::array<const char*, N>& names) {
  for (std::size_t i = 0; i < N; ++i) {
    if (TakeText(text, names[i])) return static_cast<int>(i);
  }
  return std::nullopt;
}

}  // namespace

std::tm LocalTimeAt(std::int64_t utcSeconds) {
  const std::time_t when = static_cast<std::time_t>(utcSeconds);
  std::tm local{};
  localtime_r(&when, &local);
  return local;
}

LocalTimeFn LocalTimeOf(const platform::Clock& clock) {
  return [&clock] { return LocalTimeAt(clock.UtcSeconds()); };
}

std::string FormatLongDate(const std::tm& when, std::string_view beforeTime) {
  // A broken-down time from outside may hold anything; names are looked up safely.
  const auto pick = [](const auto& names, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < names.size() ? names[index] : "?";
  };
  char date[96];
  std::snprintf(date, sizeof(date), "%s, %s %02d, %d", pick(kDayNames, when.tm_wday),
                pick(kMonthNames, when.tm_mon), when.tm_mday, when.tm_year + 1900);
  char time[48];
  std::snprintf(time, sizeof(time), "%02d:%02d:%02d", when.tm_hour, when.tm_min, when.tm_sec);
  return std::string(date).append(beforeTime).append(time);
}

std::optional<std::tm> ParseLongDate(std::string_view text, std::string_view beforeTime) {
  std::tm when{};
  const std::optional<int> weekday = TakeName(text, kDayNames);
  if (!weekday || !TakeText(text, ", ")) return std::nullopt;
  const std::optional<int> month = TakeName(text, kMonthNames);
  if (!month || !TakeText(text, " ")) return std::nullopt;
  const std::optional<int> day = TakeNumber(text, 2);
  if (!day || !TakeText(text, ", ")) return std::nullopt;
  const std::optional<int> year = TakeNumber(text, 4);
  if (!year || !TakeText(text, beforeTime)) return std::nullopt;
  const std::optional<int> hour = TakeNumber(text, 2);
  if (!hour || !TakeText(text, ":")) return std::nullopt;
  const std::optional<int> minute = TakeNumber(text, 2);
  if (!minute || !TakeText(text, ":")) return std::nullopt;
  const std::optional<int> second = TakeNumber(text, 2);
  if (!second || !text.empty()) return std::nullopt;
  if (*day < 1 || *day > 31 || *hour > 23 || *minute > 59 || *second > 60) return std::nullopt;
  when.tm_wday = *weekday;
  when.tm_mon = *month;
  when.tm_mday = *day;
  when.tm_year = *year - 1900;
  when.tm_hour = *hour;
  when.tm_min = *minute;
  when.tm_sec = *second;
  return when;
}

void WriteCloneHeader(std::ostream& out, const std::tm& created) {
  WriteCloneHeader(out, std::string(kCloneCreatedPrefix) + FormatLongDate(created, "  at "));
}

void WriteCloneHeader(std::ostream& out, std::string_view createdLine) {
  out << kCloneProgramLine << kCloneLineEnd << kCloneVersionLine << kCloneLineEnd << createdLine
      << kCloneLineEnd;
}

CloneHeaderCheck CheckCloneHeader(std::istream& in, framework::LogOutput& log) {
  CloneHeaderCheck check;
  LineReader reader(in);
  std::string line;
  while (reader.Next(line)) {
    if (StartsWith(line, ":Program")) {
      if (line != kCloneProgramLine) {
        check.foreignProgram = true;
        log.AppendLogLine("Error:  The clone file was not made by this program.");
        break;
      }
      check.programLine = true;
      log.AppendLogLine("The clone file was made by this program.");
    } else if (StartsWith(line, ":Version")) {
      check.versionLine = line;
      if (line == kCloneVersionLine) {
        log.AppendLogLine("The clone file was made by this version of the program.");
      } else {
        check.versionDiffers = true;
        log.AppendLogLine(
            "WARNING: The clone file was made by a different version of this program.");
        log.AppendLogLine("From File: " + line);
        log.AppendLogLine("This Program: " + std::string(kCloneVersionLine));
        log.AppendLogLine("There may be settings missed as a result.");
      }
    } else if (StartsWith(line, ":Created")) {
      check.createdLine = line;
      log.AppendLogLine(line);
    }
  }
  log.AppendLogLine("");
  return check;
}

}  // namespace vlt::data
