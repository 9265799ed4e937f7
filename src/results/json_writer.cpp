#include "results/json_writer.h"

#include "results/markup.h"

namespace vlt::results {

void JsonWriter::NewLine() {
  out_ += '\n';
  out_.append(filled_.size() * 2, ' ');
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (filled_.empty()) return;
  if (filled_.back()) out_ += ',';
  filled_.back() = true;
  NewLine();
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ += bracket;
  filled_.push_back(false);
}

void JsonWriter::Close(char bracket) {
  const bool filled = filled_.back();
  filled_.pop_back();
  if (filled) NewLine();
  out_ += bracket;
}

JsonWriter& JsonWriter::BeginObject() {
  Open('{');
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Open('[');
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
  BeforeValue();
  out_ += JsonStringUtf8(name) + ": ";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::Text(std::string_view cp1252) {
  BeforeValue();
  out_ += JsonString(cp1252);
  return *this;
}

JsonWriter& JsonWriter::TextUtf8(std::string_view utf8) {
  BeforeValue();
  out_ += JsonStringUtf8(utf8);
  return *this;
}

JsonWriter& JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ += value ? "true" : "false";
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

std::string JsonWriter::Finish() {
  return out_ + "\n";
}

}  // namespace vlt::results
