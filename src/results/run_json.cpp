#include "results/run_json.h"

#include <cstdio>

#include "results/json_writer.h"
#include "results/markup.h"

namespace vlt::results {
namespace {

const char* Verdict(engine::Failure::State state) {
  switch (state) {
    case engine::Failure::State::kPassed:
      return "PASS";
    case engine::Failure::State::kDidNotPass:
      return "DNP";
    case engine::Failure::State::kUndecided:
      break;
  }
  return "____";
}

// As the command's exit status ranks them: an abort outranks a failure, and
// undecided criteria fail nothing.
const char* Outcome(const RunResult& run) {
  if (run.aborted) return "aborted";
  return run.AnyFailed() ? "failed" : "passed";
}

std::string DgnText(std::uint32_t dgn) {
  char text[16];
  std::snprintf(text, sizeof(text), "%05X", dgn);
  return text;
}

void WriteEvidence(JsonWriter& json, const EvidenceFrame& e) {
  json.BeginObject()
      .Field("timeMs", e.timeMs)
      .Field("relativeMs", e.relativeMs)
      .Field("identifier", e.identifier)
      .Field("dgn", DgnText(e.dgn))
      .Field("source", e.source)
      .Field("data", HexBytes(e.data))
      .Field("line", e.line)
      .EndObject();
}

void WriteCriterion(JsonWriter& json, const CriterionResult& c) {
  json.BeginObject()
      .Field("id", c.id)
      .Field("text", c.text)
      .Field("verdict", Verdict(c.state))
      .Field("note", c.note)
      .Key("evidence");
  if (c.evidence) {
    WriteEvidence(json, *c.evidence);
  } else {
    json.Null();
  }
  json.EndObject();
}

void WriteRun(JsonWriter& json, const RunResult& run) {
  json.BeginObject()
      .Field("code", run.identity.code)
      .Field("title", run.identity.title)
      .Field("specVersion", run.identity.specVersion)
      .Field("codeRevision", run.identity.codeRevision)
      .Field("start", IsoLocalTime(run.startedAt))
      .Field("end", IsoLocalTime(run.endedAt))
      .Field("durationMs", run.durationMs)
      .Field("outcome", Outcome(run));
  json.Key("abort");
  if (run.aborted) {
    json.BeginObject().Field("line", run.abortLine).Field("reason", run.abortReason).EndObject();
  } else {
    json.Null();
  }
  json.Field("testProfile", run.header.profile)
      .Field("company", run.header.company)
      .Field("productName", run.header.productName)
      .Field("productVersion", run.header.productVersion)
      .Field("testedBy", run.header.testedBy);
  json.Key("settings").BeginArray();
  for (const SettingUsed& s : run.settings) {
    json.BeginObject().Field("name", s.name).Field("value", s.value).EndObject();
  }
  json.EndArray();
  json.Key("dut");
  if (run.dut) {
    json.BeginObject()
        .Field("name", HexBytes(run.dut->name))
        .Field("address", run.dut->address)
        .EndObject();
  } else {
    json.Null();
  }
  json.Field("toolAddress", run.toolAddress);
  const Tally tally = run.ReportTally();
  json.Key("tally")
      .BeginObject()
      .Field("PASS", tally.passed)
      .Field("DNP", tally.failed)
      .Field("____", tally.undecided)
      .EndObject();
  json.Key("criteria").BeginArray();
  for (const CriterionResult& c : run.criteria) WriteCriterion(json, c);
  json.EndArray();
  json.Key("log");
  if (run.logPath.empty()) {
    json.Null();
  } else {
    json.TextUtf8(run.logPath);
  }
  json.EndObject();
}

}  // namespace

std::string HexBytes(std::span<const std::uint8_t> bytes) {
  std::string text;
  char byte[4];
  for (const std::uint8_t b : bytes) {
    std::snprintf(byte, sizeof(byte), "%02X", static_cast<unsigned>(b));
    if (!text.empty()) text += ' ';
    text += byte;
  }
  return text;
}

std::string WriteResultsJson(std::span<const RunResult> runs) {
  JsonWriter json;
  json.BeginObject().Field("format", "vlt-results").Field("formatVersion", kResultsFormatVersion);
  json.Key("runs").BeginArray();
  for (const RunResult& run : runs) WriteRun(json, run);
  json.EndArray().EndObject();
  return json.Finish();
}

}  // namespace vlt::results
