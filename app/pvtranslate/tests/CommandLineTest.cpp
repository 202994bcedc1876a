#include "app/pvtranslate/CommandLine.h"

#include <gtest/gtest.h>

namespace pv {
namespace {

TEST(CommandLine, LanguagesByIdOrCode) {
    const std::pair<const char*, int> known[] = {{"en", 1}, {"bg", 2}, {"tr", 3}, {"de", 4},
                                                 {"es", 5}, {"fr", 6}, {"it", 7}, {"ru", 9},
                                                 {"1", 1}, {"7", 7},  {"9", 9}};
    for (const auto& [text, id] : known) EXPECT_EQ(ParseLanguage(text), id) << text;
    for (const char* text : {"8", "0", "10", "EN", "gr", "", "2x"})
        EXPECT_EQ(ParseLanguage(text), std::nullopt) << text;
}

TEST(CommandLine, ParsesOptionsAndFiles) {
    std::string error;
    auto options = ParseCommandLine({"--to", "fr", "a.txt", "--data=/d", "-", "--", "--x"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->language, 6);
    EXPECT_EQ(options->dataDir, "/d");
    EXPECT_EQ(options->files, (std::vector<std::string>{"a.txt", "-", "--x"}));

    options = ParseCommandLine({}, error);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->language, 2);
    EXPECT_TRUE(options->files.empty());
}

TEST(CommandLine, ParsesServiceAndFilterOptions) {
    std::string error;
    auto options = ParseCommandLine({"--serve", "--port=0", "--to", "de"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->serve);
    EXPECT_EQ(options->port, 0);
    EXPECT_EQ(ParseCommandLine({"--serve"}, error)->port, 4357);

    options = ParseCommandLine({"--filter", "Subtitles (.srt)", "a.srt", "b.srt"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->filter, "Subtitles (.srt)");
    EXPECT_EQ(options->files.size(), 2u);
    EXPECT_TRUE(ParseCommandLine({"--filters"}, error)->listFilters);
}

TEST(CommandLine, ParsesTheDataTools) {
    std::string error;
    auto options = ParseCommandLine({"--analyse", "a.txt"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_TRUE(options->analyse);
    EXPECT_EQ(options->files.size(), 1u);
    options = ParseCommandLine({"--forms", "walks", "--lang", "de"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->forms, "walks");
    EXPECT_EQ(options->formsLanguage, 4);
    EXPECT_EQ(ParseCommandLine({"--forms=x"}, error)->formsLanguage, 0);
    options = ParseCommandLine({"--describe", "big house", "--ui", "bg", "--to", "de"}, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->describe, "big house");
    EXPECT_EQ(options->interfaceLanguage, 2);
    EXPECT_EQ(options->language, 4);
    EXPECT_EQ(ParseCommandLine({"--describe=x"}, error)->interfaceLanguage, 1);
}

TEST(CommandLine, RejectsUnknownOptionsLanguagesAndMissingValues) {
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const Case cases[] = {
        {{"--bogus"}, "unknown option '--bogus'"},
        {{"--to", "xx"}, "unknown language 'xx'"},
        {{"--to=8"}, "unknown language '8'"},
        {{"--to"}, "option --to needs a value"},
        {{"--data"}, "option --data needs a value"},
        {{"--filter"}, "option --filter needs a value"},
        {{"--filter="}, "option --filter needs a filter name"},
        {{"--port", "80"}, "option --port needs --serve"},
        {{"--serve", "--port", "65536"}, "invalid port '65536'"},
        {{"--serve", "--port", "x"}, "invalid port 'x'"},
        {{"--serve", "a.txt"}, "--serve takes no FILE"},
        {{"--serve", "--filters"}, "--serve takes no FILE"},
        {{"--filters", "a.srt"}, "--filters takes no FILE"},
        {{"--forms"}, "option --forms needs a value"},
        {{"--lang", "de"}, "option --lang needs --forms"},
        {{"--forms", "x", "--lang", "gr"}, "unknown language 'gr'"},
        {{"--forms", "x", "a.txt"}, "--forms takes no FILE"},
        {{"--analyse", "--forms", "x"}, "--analyse and --forms take no"},
        {{"--analyse", "--serve"}, "--analyse and --forms take no"},
        {{"--describe"}, "option --describe needs a value"},
        {{"--ui", "bg"}, "option --ui needs --describe"},
        {{"--describe", "x", "--ui", "de"}, "unknown interface language 'de'"},
        {{"--describe", "x", "a.txt"}, "--describe takes no FILE"},
        {{"--describe", "x", "--forms", "y"}, "--describe takes no FILE"},
    };
    for (const Case& c : cases) {
        std::string error;
        EXPECT_FALSE(ParseCommandLine(c.args, error));
        EXPECT_NE(error.find(c.message), std::string::npos) << error;
    }
}

}  // namespace
}  // namespace pv
