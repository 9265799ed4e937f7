// JsonWriter: writes one JSON document, indented two blanks per level, keys in
// the order the caller gives them so that files compare line by line.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vlt::results {

class JsonWriter {
 public:
  // Containers: Key first inside an object.
  JsonWriter& BeginObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view name);

  // Values. Text is Windows-1252 unless the name says UTF-8.
  JsonWriter& Text(std::string_view cp1252);
  JsonWriter& TextUtf8(std::string_view utf8);
  JsonWriter& Number(std::int64_t value);
  JsonWriter& Bool(bool value);
  JsonWriter& Null();

  // Key and value in one.
  JsonWriter& Field(std::string_view name, std::string_view cp1252) {
    return Key(name).Text(cp1252);
  }
  JsonWriter& Field(std::string_view name, std::int64_t value) { return Key(name).Number(value); }

  // The document, ended by a line feed.
  std::string Finish();

 private:
  void BeforeValue();
  void Open(char bracket);
  void Close(char bracket);
  void NewLine();

  std::string out_;
  // Per open container: whether it holds a member yet.
  std::vector<bool> filled_;
  bool afterKey_ = false;
};

}  // namespace vlt::results
