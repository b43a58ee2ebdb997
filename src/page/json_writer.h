#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace balvix {

// Where an item of a JSON list or object begins: on the line of the item
// before it, or on a line of its own (the comma then ends the line before).
// The first item has no comma and begins where the list begins.
enum class JsonLine { same, own };

enum class JsonBrackets { list, object };

// The items of a JSON list, or the members of a JSON object, written one
// after another with the commas between them. Values are JSON text already
// written (jsonAmount, appendJsonString...), given whole or written at the
// end of the text that item() and member() return, before the next item
// begins. Keys are written as they are between quotes, so they must need no
// escape.
//
// The items are either kept here, to be appended in their brackets later
// (appendList, appendObject), or written straight at the end of a text
// given, which must then be left to them until close().
class JsonItems {
public:
  // Items kept here. `lines`: where each item begins when it is not said.
  explicit JsonItems(JsonLine lines = JsonLine::same) : lines_(lines) {}

  // Items written at the end of `out`: the opening bracket now, the closing
  // one by close().
  JsonItems(std::string& out, JsonBrackets brackets, JsonLine lines = JsonLine::same);
  void close();

  // Begins an item: a comma unless it is the first, and a line end when the
  // item begins a line of its own. Returns the text to write its value at
  // the end of.
  std::string& item() { return item(lines_); }
  std::string& item(JsonLine line);

  // Begins a member, as item() and then "key":.
  std::string& member(std::string_view key) { return member(key, lines_); }
  std::string& member(std::string_view key, JsonLine line);

  // An item or a member whose value is written already.
  void add(std::string_view value) { item() += value; }
  void add(std::string_view value, JsonLine line) { item(line) += value; }
  void add(std::string_view key, std::string_view value) { member(key) += value; }
  void add(std::string_view key, std::string_view value, JsonLine line) {
    member(key, line) += value;
  }

  // Items written together elsewhere (the items() of other JsonItems),
  // after these: the first of them begins as `line` says. Nothing when
  // `items` is empty.
  void addItems(std::string_view items, JsonLine line);

  bool empty() const { return !begun_; }

  // Of items kept here: the items without brackets, and appended in [] or
  // in {}.
  const std::string& items() const { return own_; }
  void appendList(std::string& out) const;
  void appendObject(std::string& out) const;

private:
  std::string& text() { return out_ != nullptr ? *out_ : own_; }

  JsonLine lines_;
  std::string own_;
  std::string* out_ = nullptr;
  char closing_ = 0;
  bool begun_ = false;
};

// A JSON list of counts: [0,2].
std::string jsonCounts(std::span<const std::size_t> counts);
void appendJsonCounts(std::string& out, std::span<const std::size_t> counts);

} // namespace balvix
