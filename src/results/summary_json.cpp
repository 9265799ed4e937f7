#include "results/summary_json.h"

#include "framework/log_output.h"
#include "results/json_writer.h"
#include "results/markup.h"

namespace vlt::results {
namespace {

constexpr const char* kFixedTags[] = {"PASS", "DNP", "____"};

std::string TrimLeft(const std::string& text) {
  const std::size_t begin = text.find_first_not_of(' ');
  return begin == std::string::npos ? std::string() : text.substr(begin);
}

void WriteTally(JsonWriter& json, const std::map<std::string, int>& tally) {
  json.BeginObject();
  for (const char* tag : kFixedTags) {
    const auto it = tally.find(tag);
    json.Field(tag, it == tally.end() ? 0 : it->second);
  }
  // Tags of hand-edited logs, in the report's order after the fixed three.
  for (const auto& [tag, count] : tally) {
    if (tag != "PASS" && tag != "DNP" && tag != "____") json.Field(tag, count);
  }
  json.EndObject();
}

void WriteLog(JsonWriter& json, const reports::LogSummary& log,
              const reports::CatalogueLookup& catalogue) {
  json.BeginObject()
      .Field("code", log.code)
      .Field("title", log.title)
      .Key("path")
      .TextUtf8(log.path)
      .Field("fileStamp", log.fileStamp)
      .Field("date", log.dateText)
      .Key("skipped")
      .Bool(log.skipped);
  json.Key("reason");
  if (log.skipped) {
    json.Text(log.reason);
  } else {
    json.Null();
  }
  json.Field("specVersion", log.SpecVersion())
      .Field("codeRevision", log.codeRevision)
      .Field("warning", TrimLeft(log.skipped ? std::string() : log.CatalogueWarning(catalogue)));
  json.Key("notes").BeginArray();
  for (const std::string& note : log.notes) json.Text(note);
  json.EndArray();
  json.Key("tally");
  WriteTally(json, log.tally);
  json.EndObject();
}

}  // namespace

SummaryJson WriteSummaryJson(const std::string& folder, const reports::SummaryInputs& inputs) {
  framework::LogOutput nowhere;  // the "Reading" lines have no place in the file
  reports::LogFolder read = reports::ReadLogFolder(folder, inputs.rules, nowhere);
  reports::OrderLogs(read.logs);
  return WriteSummaryJson(folder, read, inputs);
}

SummaryJson WriteSummaryJson(const std::string& folder, const reports::LogFolder& read,
                             const reports::SummaryInputs& inputs) {
  SummaryJson result;
  if (!read.listed) {
    result.error = read.error;
    return result;
  }
  result.listed = true;
  JsonWriter json;
  json.BeginObject()
      .Field("format", "vlt-summary")
      .Field("formatVersion", kSummaryFormatVersion)
      .Key("folder")
      .TextUtf8(folder)
      .Field("productName", inputs.rules.product.name)
      .Field("productVersion", inputs.rules.product.version)
      .Field("reportTime", IsoLocalTime(inputs.reportTime))
      .Field("compileDate", inputs.compileDate);
  json.Key("tests").BeginArray();
  for (const reports::LogSummary* log : reports::NewestPerCode(read.logs)) {
    WriteLog(json, *log, inputs.rules.catalogue);
  }
  json.EndArray();
  json.Key("notRead").BeginArray();
  for (const reports::LogSummary& log : read.logs) {
    if (log.notRead.empty()) continue;
    json.BeginObject().Key("path").TextUtf8(log.path).Field("reason", log.notRead).EndObject();
  }
  json.EndArray().EndObject();
  result.json = json.Finish();
  return result;
}

}  // namespace vlt::results
