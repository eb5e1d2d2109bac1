#include "env/LL.hpp"

#include <gtest/gtest.h>

namespace {

const std::string c_bom = "\xEF\xBB\xBF";

struct LookupCase {
    const char* name;
    std::string file;
    std::string key;
    std::string english, german;
};

TEST(LLTable, Lookups) {
    const LookupCase cases[] = {
        {"plain", c_bom + "key,one,two\n", "key", "one", "two"},
        {"quoted key", c_bom + "\"a, b\",x,y\n", "a, b", "x", "y"},
        {"quoted cells", c_bom + "k,\"1, 2\",\"drei, \"vier\n", "k", "1, 2", "drei, vier"},
        {"CRLF", c_bom + "first,a,b\r\nk,e,g\r\n", "k", "e", "g"},
        {"empty German cell", c_bom + "Save,Save,\n", "Save", "Save", "Save"},
        {"row without German", c_bom + "k,English\n", "k", "English", "English"},
        {"row with key only", c_bom + "k\n", "k", "k", "k"},
        {"unknown key", c_bom + "k,a,b\n", "other", "other", "other"},
        {"array entry", c_bom + "fileMenu[2],New,Neu\nfileMenu[3],Open,Öffnen\n", LL::arrayKey("fileMenu[]", 3),
         "Open", "Öffnen"},
        {"no byte-order mark", "k,a,b\nm,c,d", "k", "a", "b"},
        {"last line without end", c_bom + "k,a,b\nm,c,d", "m", "c", "d"},
        {"blank lines", c_bom + "\n\r\nk,a,b\n\n", "k", "a", "b"},
        {"key twice: first row wins", c_bom + "k,a,b\nk,c,d\n", "k", "a", "b"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LL table;
        ::testing::internal::CaptureStderr();
        table.load(c.file);
        ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(table.lookup(c.key), c.english);
        table.language = 1;
        EXPECT_EQ(table.lookup(c.key), c.german);
        table.language = 7;
        EXPECT_EQ(table.lookup(c.key), c.english);
    }
}

TEST(LLTable, MissingTranslationIsReported) {
    LL table;
    ::testing::internal::CaptureStderr();
    table.load(c_bom + "Save,Save,\nBlank,,\n");
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "Missing Deutsch translation for entry Save\n");
}

TEST(LLTable, LoadsOnceAndKeepsReferencesValid) {
    LL table;
    table.load(c_bom + "k,a,b\n");
    table.load(c_bom + "k,c,d\nm,e,f\n");
    EXPECT_TRUE(table.isLoaded());
    EXPECT_EQ(table.lookup("k"), "a");
    EXPECT_EQ(table.lookup("m"), "m");
    const std::string* missing = &table.lookup("not there");
    for (int i = 0; i < 1000; ++i)
        table.lookup("filler " + std::to_string(i));
    EXPECT_EQ(missing, &table.lookup("not there"));
    EXPECT_EQ(*missing, "not there");
}

TEST(LLTable, ArrayKeysAndEnglishNames) {
    EXPECT_EQ(LL::arrayKey("fileMenu[]", 3), "fileMenu[3]");
    EXPECT_EQ(LL::arrayKey("a[][]", 10), "a[10][]");
    EXPECT_EQ(LL::arrayKey("plain", 1), "plain[1]");
    LL table;
    table.load(c_bom + "WindowLayout[0],Level,Level-Ansicht\n");
    table.language = 1;
    EXPECT_EQ(table.english("WindowLayout[0]"), "Level");
    EXPECT_EQ(table.english("absent"), "absent");
}

TEST(LLTable, SharedTableAndLiterals) {
    LL& shared = LL::get();
    shared.load(c_bom + "Settings,Settings,Einstellungen\nThemeType[1],Laser Red,Laserrot\n");
    shared.language = 1;
    EXPECT_EQ("Settings"_S, "Einstellungen");
    EXPECT_STREQ("Settings"_C, "Einstellungen");
    EXPECT_EQ(LL::ind("ThemeType[]", static_cast<signed char>(1)), "Laserrot");
    EXPECT_STREQ("Nope"_C, "Nope");
    shared.language = 0;
    EXPECT_EQ(LL::ind("ThemeType[]", 1), "Laser Red");
}

} // namespace
