#include <gtest/gtest.h>

#include <vector>

#include "datagen/EngineFixture.h"
#include "engine/Engine.h"
#include "integrations/FormBody.h"
#include "integrations/ServerCommand.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

class ServerCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartEngine(EngineFixtureFolder())); }
    void TearDown() override { TargetLanguage = kBulgarian; }

    // The encoded batch translations of `texts` in `language`, as items.
    static std::vector<std::string> Encoded(std::vector<std::u16string> texts, int32_t language) {
        BatchEntries entries;
        for (std::size_t i = 0; i < texts.size(); ++i) entries[i] = texts[i];
        TargetLanguage = language;
        TranslateBatch(entries);
        std::vector<std::string> out;
        for (std::size_t i = 0; i < texts.size(); ++i)
            out.push_back(PercentEncodeAll(Utf8Encode(entries[i])));
        return out;
    }
};

TEST_F(ServerCommandTest, AnswersEachParameterWithItsTranslation) {
    const auto hello = Encoded({u"hello there"}, kBulgarian);
    ASSERT_NE(hello[0], PercentEncodeAll("hello there"));  // the engine did translate

    const struct {
        std::string body;
        std::string expected;
    } cases[] = {
        {"l1=hello+there&TargetLang=2", "l1=" + hello[0] + "&TargetLang="},
        {"l1=%68ello%20there", "l1=" + hello[0]},
        {"hello+there", hello[0]},
        {"l1=%26%2372%3B%26%23105%3B&TargetLang=2",
         "l1=" + Encoded({u"Hi"}, kBulgarian)[0] + "&TargetLang="},
        {"l1=%E2%82%AC", "l1=" + Encoded({u"\u20AC"}, kBulgarian)[0]},
        {"l1=%E2%82", "\"\""},  // the whole parameter decodes to nothing
        {"TargetLang=1&l1=hello", "TargetLang=&"},
        {"", ""},
        {"l1=", "l1="},
        {"&", "&"},
        {"\"\"", "\"\""},
    };
    for (const auto& c : cases) {
        ServiceAnswer answer = ServerCommandGet(c.body, kBulgarian);
        EXPECT_EQ(answer.status, 200) << c.body;
        EXPECT_EQ(answer.contentType, "text/html");
        EXPECT_EQ(answer.body, c.expected) << c.body;
    }
}

TEST_F(ServerCommandTest, SeveralTextsAreOneBatchInOrder) {
    const auto both = Encoded({u"good morning", u"see you"}, kGerman);
    ServiceAnswer answer = ServerCommandGet("l1=good+morning&l2=see+you&TargetLang=4", kBulgarian);
    EXPECT_EQ(answer.body, "l1=" + both[0] + "&l2=" + both[1] + "&TargetLang=");
    EXPECT_EQ(TargetLanguage, kGerman);
}

TEST_F(ServerCommandTest, TargetLanguageComesFromTheRequestOrTheWindow) {
    ServerCommandGet("l1=hello", kFrench);
    EXPECT_EQ(TargetLanguage, kFrench);
    ServerCommandGet("TargetLang=1&l1=hello", kFrench);
    EXPECT_EQ(TargetLanguage, kEnglish);
    ServerCommandGet("l1=hello&TargetLang=%2B7", kFrench);
    EXPECT_EQ(TargetLanguage, kItalian);
}

TEST_F(ServerCommandTest, EmptyValueEndsTheBatch) {
    const auto first = Encoded({u"one"}, kBulgarian);
    // Bad UTF-8 empties its parameter; the texts behind it are answered
    // empty, not echoed untranslated.
    EXPECT_EQ(ServerCommandGet("l1=one&l2=%C3&l3=three", kBulgarian).body,
              "l1=" + first[0] + "&&l3=");
    EXPECT_EQ(ServerCommandGet("l1=&l2=two", kBulgarian).body, "l1=&l2=");
}

TEST_F(ServerCommandTest, RejectsBadTargetLangAndTooManyParameters) {
    const struct {
        std::string body;
        int status;
        std::string text;
    } cases[] = {
        {"TargetLang=x", 500, "'x' is not a valid integer value"},
        {"l1=hi&TargetLang=", 500, "'' is not a valid integer value"},
        {"TargetLang=99999999999", 500, "'99999999999' is not a valid integer value"},
        {"TargetLang=2x", 500, "'2x' is not a valid integer value"},
        {"TargetLang=%D0%B4", 500, "'\xD0\xB4' is not a valid integer value"},
    };
    for (const auto& c : cases) {
        ServiceAnswer answer = ServerCommandGet(c.body, kBulgarian);
        EXPECT_EQ(answer.status, c.status) << c.body;
        EXPECT_EQ(answer.body, c.text) << c.body;
        EXPECT_NE(answer.contentType, "text/html") << "the value must not be served as HTML";
    }

    std::string body = "a=1";
    for (int i = 1; i < 100; ++i) body += "&a=1";
    EXPECT_EQ(ServerCommandGet(body, kBulgarian).status, 200);
    ServiceAnswer tooMany = ServerCommandGet(body + "&a=1", kBulgarian);
    EXPECT_EQ(tooMany.status, 400);
    EXPECT_EQ(tooMany.body, "A request carries at most 100 parameters.");
}

TEST_F(ServerCommandTest, NamesAndQuotedParametersComeBackQuoted) {
    const auto text = Encoded({u"a b"}, kBulgarian);
    EXPECT_EQ(ServerCommandGet("\"my name=a b\"", kBulgarian).body, "\"my name=" + text[0] + "\"");
    EXPECT_EQ(ServerCommandGet("l1=a+b", kBulgarian).body, "l1=" + text[0]);
}

}  // namespace
}  // namespace pv
