#include "env/JSON.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Table = std::map<std::string, std::string>;

JSON documentOf(const Table& entries) {
    JSON doc;
    for (const auto& [key, value] : entries)
        doc.setValueStr(key, value);
    return doc;
}

std::string written(const Table& entries) {
    std::string out;
    documentOf(entries).saveToMemory(out);
    return out;
}

struct WriterCase {
    const char* name;
    Table entries;
    std::string expected;
};

TEST(JSONWriter, Table) {
    const WriterCase cases[] = {
        {"empty", {}, "{}"},
        {"only empty texts", {{"a", ""}, {"b.c", ""}}, "{}"},
        {"object member", {{"b", "2"}, {"a.x", "1"}}, R"({"a":{"x":"1"},"b":"2"})"},
        {"array of objects", {{"list[0].x", "1"}, {"list[1].x", "2"}, {"z", "3"}},
         R"({"list":[{"x":"1"},{"x":"2"}],"z":"3"})"},
        {"nesting", {{"a.b.c", "1"}, {"a.d", "2"}, {"e", "3"}}, R"({"a":{"b":{"c":"1"},"d":"2"},"e":"3"})"},
        {"scalar before object", {{"a", "1"}, {"b.c", "2"}}, R"({"a":"1","b":{"c":"2"}})"},
        {"array inside object", {{"o.list[0].x", "1"}, {"o.y", "2"}}, R"({"o":{"list":[{"x":"1"}],"y":"2"}})"},
        {"adjacent arrays", {{"a[0].x", "1"}, {"b[0].y", "2"}}, R"({"a":[{"x":"1"}],"b":[{"y":"2"}]})"},
        {"escapes", {{"k\"ey", "C:\\dir \"x\"\n\t\x01"}}, R"({"k\"ey":"C:\\dir \"x\"\n\t\u0001"})"},
        {"non-ASCII stays as bytes", {{"name", "Grüße"}}, "{\"name\":\"Grüße\"}"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(written(c.entries), c.expected) << c.name;
}

TEST(JSONWriter, ElementsComeInByteOrderOfTheirIndex) {
    Table entries;
    for (int i = 0; i < 12; ++i)
        entries["list[" + std::to_string(i) + "].v"] = std::to_string(i);
    std::string expected = R"({"list":[)";
    for (int i : {0, 10, 11, 1, 2, 3, 4, 5, 6, 7, 8, 9})
        expected += R"({"v":")" + std::to_string(i) + R"("},)";
    expected.back() = ']';
    expected += '}';
    EXPECT_EQ(written(entries), expected);
}

TEST(JSONWriter, SetValueFormsAndPrefix) {
    JSON doc;
    doc.setValue("t", true);
    doc.setValue("f", false);
    doc.setValue("i", -5);
    doc.setValue("c", static_cast<unsigned char>(255));
    doc.setValue("u", 4294967295u);
    doc.setValue("l", 1099511627776ul);
    doc.prefix = "objects[3].";
    doc.setValueStr("name", "x");
    const Table expected{{"t", "1"}, {"f", "0"}, {"i", "-5"}, {"c", "255"}, {"u", "4294967295"},
                         {"l", "1099511627776"}, {"objects[3].name", "x"}};
    EXPECT_EQ(doc.entries(), expected);
}

struct ReaderCase {
    const char* name;
    std::string text;
    Table expected;
    bool complete;
};

TEST(JSONReader, Table) {
    const ReaderCase cases[] = {
        {"relaxed spacing and bare numbers", R"({"a": 12, "b" : "x y"})", {{"a", "12"}, {"b", "x y"}}, true},
        {"comments", "{\n// \"x\":\"y\"\n\"a\":\"//b\" // tail\n}", {{"a", "//b"}}, true},
        {"string over two lines", "{\"a\":\"one\r\ntwo\"}", {{"a", "onetwo"}}, true},
        {"nested object", R"({"a":{"x":"1"},"c":"2"})", {{"a", ""}, {"a.x", "1"}, {"c", "2"}}, true},
        {"array of scalars", R"({"v":["p","q"],"w":"1"})",
         {{"v", ""}, {"v[0]", "p"}, {"v[1]", "q"}, {"w", "1"}}, true},
        {"array of objects", R"({"list":[{"x":"1"},{"x":"2"}],"z":"3"})",
         {{"list", ""}, {"list[0]", ""}, {"list[0].x", "1"}, {"list[1]", ""}, {"list[1].x", "2"}, {"z", "3"}},
         true},
        {"starts with a closing brace", R"(}{"a":"1"})", {}, false},
        {"escapes", R"({"k\"ey":"a\\b\n\u00e9\ud83d\ude00\/"})", {{"k\"ey", "a\\b\n\xC3\xA9\xF0\x9F\x98\x80/"}},
         true},
        {"unknown escape kept", R"({"p":"C:\dir"})", {{"p", "C:\\dir"}}, true},
        {"lone surrogate", R"({"s":"\ud800x"})", {{"s", "\xEF\xBF\xBDx"}}, true},
        {"truncated", R"({"a":"1","b":"2)", {{"a", "1"}, {"b", ""}}, false},
        {"mismatched bracket", R"({"a":"1"],"b":"2"})", {{"a", ""}}, false},
        {"empty text", "", {}, false},
    };
    for (const auto& c : cases) {
        JSON doc;
        EXPECT_EQ(doc.loadFromMemory(c.text), c.complete) << c.name;
        EXPECT_EQ(doc.entries(), c.expected) << c.name;
    }
}

TEST(JSONReader, ReadsBackWhatTheWriterWrote) {
    const Table entries{{"a.b", "1"},         {"a.c\\", "\"quoted\" \\ path\r\n"},
                        {"list[0].x", "p"},   {"list[1].x", "q"},
                        {"list[1].y.z", "r"}, {"top", "\x7f\x1f end"}};
    std::string text;
    documentOf(entries).saveToMemory(text);
    JSON doc;
    ASSERT_TRUE(doc.loadFromMemory(text)) << text;
    Table nonEmpty;
    for (const auto& [key, value] : doc.entries())
        if (!value.empty())
            nonEmpty[key] = value;
    EXPECT_EQ(nonEmpty, entries) << text;
}

TEST(JSONReader, HostileNestingStopsWithoutExhaustingMemory) {
    JSON doc;
    EXPECT_FALSE(doc.loadFromMemory(std::string(200000, '[')));
    std::string members = "{";
    for (int i = 0; i < 20000; ++i)
        members += "\"abcdefgh\":";
    EXPECT_FALSE(doc.loadFromMemory(members));
    EXPECT_LT(doc.entries().size(), 20000u);
}

TEST(JSONReader, LoadValue) {
    JSON doc;
    doc.setValueStr("zero", "0");
    doc.setValueStr("seven", " 7x");
    doc.setValueStr("word", "abc");
    doc.setValueStr("huge", "99999999999");
    bool value = true;
    EXPECT_TRUE(doc.loadValue("zero", value));
    EXPECT_FALSE(value);
    EXPECT_TRUE(doc.loadValue("seven", value));
    EXPECT_TRUE(value);
    value = false;
    EXPECT_FALSE(doc.loadValue("absent", value));
    EXPECT_FALSE(value);
    EXPECT_THROW(doc.loadValue("word", value), std::invalid_argument);
    EXPECT_THROW(doc.loadValue("huge", value), std::out_of_range);
}

TEST(JSONReader, LoadFromFile) {
    JSON doc;
    EXPECT_FALSE(doc.loadFromFile("no-such-file.json"));
    EXPECT_TRUE(doc.entries().empty());
}

} // namespace
