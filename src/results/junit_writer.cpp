#include "results/junit_writer.h"

#include "engine/report_layout.h"
#include "results/markup.h"

namespace vlt::results {
namespace {

// The report's closing line without its "____ : " tag.
constexpr std::string_view kClosingCriterion =
    engine::kOtherFailureModesLine.substr(engine::kOtherFailureModesLine.find(" : ") + 3);

std::string Attribute(std::string_view name, const std::string& escaped) {
  return " " + std::string(name) + "=\"" + escaped + "\"";
}

std::string Count(std::string_view name, int value) {
  return Attribute(name, std::to_string(value));
}

struct SuiteCounts {
  int tests = 0;
  int failures = 0;
  int errors = 0;
  int skipped = 0;
};

SuiteCounts CountsOf(const RunResult& run) {
  const Tally tally = run.ReportTally();
  SuiteCounts counts;
  counts.failures = tally.failed;
  counts.skipped = tally.undecided;
  counts.errors = run.aborted ? 1 : 0;
  counts.tests = tally.passed + tally.failed + tally.undecided + counts.errors;
  return counts;
}

void WriteCase(std::string& out, const std::string& classname, std::string_view name,
               const std::string& body) {
  out +=
      "    <testcase" + Attribute("classname", classname) + Attribute("name", XmlAttribute(name));
  if (body.empty()) {
    out += "/>\n";
    return;
  }
  out += ">\n" + body + "    </testcase>\n";
}

std::string CriterionBody(const CriterionResult& c) {
  using State = engine::Failure::State;
  if (c.state == State::kPassed) return {};
  if (c.state == State::kUndecided) {
    return "      <skipped" + Attribute("message", XmlAttribute(engine::kUndecidedNote)) + "/>\n";
  }
  // The report's lines of the criterion: tag, text, note and the evidence frame.
  std::string text;
  for (const std::string& line : c.reportLines) text += line + "\n";
  return "      <failure" + Attribute("message", XmlAttribute(c.note)) + Attribute("type", "DNP") +
         ">" + XmlContent(text) + "</failure>\n";
}

void WriteSuite(std::string& out, const RunResult& run) {
  const SuiteCounts counts = CountsOf(run);
  const std::string classname = XmlAttribute(run.identity.code);
  out += "  <testsuite" +
         Attribute("name", XmlAttribute(run.identity.code + " " + run.identity.title)) +
         Count("tests", counts.tests) + Count("failures", counts.failures) +
         Count("errors", counts.errors) + Count("skipped", counts.skipped) +
         Attribute("time", Seconds(run.durationMs)) +
         Attribute("timestamp", IsoLocalTime(run.startedAt)) + ">\n";
  out += "    <properties>\n";
  const std::pair<const char*, std::string> properties[] = {
      {"specVersion", run.identity.specVersion},
      {"codeRevision", run.identity.codeRevision},
      {"productName", run.header.productName},
      {"productVersion", run.header.productVersion},
  };
  for (const auto& [name, value] : properties) {
    out += "      <property" + Attribute("name", name) + Attribute("value", XmlAttribute(value)) +
           "/>\n";
  }
  out += "    </properties>\n";
  for (const CriterionResult& c : run.criteria) WriteCase(out, classname, c.text, CriterionBody(c));
  WriteCase(out, classname, kClosingCriterion,
            "      <skipped" + Attribute("message", XmlAttribute(engine::kUndecidedNote)) + "/>\n");
  if (run.aborted) {
    const std::string& message = run.abortReason.empty() ? run.abortLine : run.abortReason;
    std::string text = run.abortReason.empty() ? "" : run.abortReason + "\n";
    text += run.abortLine + "\n";
    WriteCase(out, classname, run.abortLine,
              "      <error" + Attribute("message", XmlAttribute(message)) +
                  Attribute("type", "aborted") + ">" + XmlContent(text) + "</error>\n");
  }
  out += "    <system-out>" + XmlContentUtf8(run.logPath) + "</system-out>\n";
  out += "  </testsuite>\n";
}

}  // namespace

std::string WriteJUnit(std::span<const RunResult> runs) {
  SuiteCounts total;
  std::uint32_t totalMs = 0;
  for (const RunResult& run : runs) {
    const SuiteCounts counts = CountsOf(run);
    total.tests += counts.tests;
    total.failures += counts.failures;
    total.errors += counts.errors;
    totalMs += run.durationMs;
  }
  std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  // The common schema gives the root no skipped count; each testsuite has one.
  out += "<testsuites" + Attribute("name", "vlt") + Count("tests", total.tests) +
         Count("failures", total.failures) + Count("errors", total.errors) +
         Attribute("time", Seconds(totalMs)) + ">\n";
  for (const RunResult& run : runs) WriteSuite(out, run);
  out += "</testsuites>\n";
  return out;
}

}  // namespace vlt::results
