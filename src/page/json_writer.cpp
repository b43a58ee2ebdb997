#include "page/json_writer.h"

#include <array>
#include <charconv>

namespace balvix {

JsonItems::JsonItems(std::string& out, JsonBrackets brackets, JsonLine lines)
    : lines_(lines), out_(&out), closing_(brackets == JsonBrackets::list ? ']' : '}') {
  out += brackets == JsonBrackets::list ? '[' : '{';
}

void JsonItems::close() {
  if (out_ != nullptr) {
    *out_ += closing_;
    out_ = nullptr;
  }
}

std::string& JsonItems::item(JsonLine line) {
  std::string& out = text();
  if (begun_) {
    out += line == JsonLine::own ? ",\n" : ",";
  }
  begun_ = true;
  return out;
}

std::string& JsonItems::member(std::string_view key, JsonLine line) {
  std::string& out = item(line);
  out += '"';
  out += key;
  out += "\":";
  return out;
}

void JsonItems::addItems(std::string_view items, JsonLine line) {
  if (!items.empty()) {
    item(line) += items;
  }
}

void JsonItems::appendList(std::string& out) const {
  out += '[';
  out += own_;
  out += ']';
}

void JsonItems::appendObject(std::string& out) const {
  out += '{';
  out += own_;
  out += '}';
}

std::string jsonCounts(std::span<const std::size_t> counts) {
  std::string text;
  appendJsonCounts(text, counts);
  return text;
}

void appendJsonCounts(std::string& out, std::span<const std::size_t> counts) {
  JsonItems list(out, JsonBrackets::list);
  for (std::size_t count : counts) {
    std::array<char, 24> digits{};
    const char* end = std::to_chars(digits.data(), digits.data() + digits.size(), count).ptr;
    list.add(std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data())));
  }
  list.close();
}

} // namespace balvix
