#include "page/json_writer.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace balvix {
namespace {

TEST(JsonItems, CommasKeysAndLines) {
  const struct {
    const char* name;
    std::function<std::string()> write;
    std::string text;
  } cases[] = {
      {"no item: the brackets alone",
       [] {
         std::string out;
         JsonItems().appendList(out);
         JsonItems(JsonLine::own).appendObject(out);
         return out;
       },
       "[]{}"},
      {"a comma between items, none before the first",
       [] {
         JsonItems list;
         list.add("1");
         list.item() += "\"b\"";
         list.add("null");
         std::string out;
         list.appendList(out);
         return out;
       },
       R"([1,"b",null])"},
      {"items on lines of their own, the first where the list begins",
       [] {
         JsonItems list(JsonLine::own);
         list.add("1");
         list.add("2");
         list.add("3", JsonLine::same);
         std::string out;
         list.appendList(out);
         return out;
       },
       "[1,\n2,3]"},
      {"members with their keys, an object written straight into one",
       [] {
         JsonItems object;
         object.add("a", "1");
         JsonItems inner(object.member("b", JsonLine::own), JsonBrackets::object);
         inner.add("dia", "\"2027-01-05\"");
         inner.add("saldo", "-1.50");
         inner.close();
         object.add("c", "[]");
         std::string out;
         object.appendObject(out);
         return out;
       },
       "{\"a\":1,\n\"b\":{\"dia\":\"2027-01-05\",\"saldo\":-1.50},\"c\":[]}"},
      {"items written elsewhere: a comma only between items",
       [] {
         JsonItems more(JsonLine::own);
         more.add("x", "1");
         more.add("y", "2");
         JsonItems first;
         first.addItems(more.items(), JsonLine::own);
         JsonItems after;
         after.add("a", "0");
         after.addItems("", JsonLine::own);
         after.addItems(more.items(), JsonLine::own);
         std::string out;
         first.appendObject(out);
         after.appendObject(out);
         return out;
       },
       "{\"x\":1,\n\"y\":2}{\"a\":0,\n\"x\":1,\n\"y\":2}"},
      {"counts",
       [] {
         return jsonCounts({}) + jsonCounts(std::vector<std::size_t>{0, 2, 10});
       },
       "[][0,2,10]"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.write(), c.text) << c.name;
  }
}

} // namespace
} // namespace balvix
