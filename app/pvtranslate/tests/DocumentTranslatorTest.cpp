#include <gtest/gtest.h>

#include "app/pvtranslate/DocumentTranslator.h"
#include "datagen/EngineFixture.h"
#include "engine/Engine.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

class DocumentTranslatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartEngine(EngineFixtureFolder())); }
    void SetUp() override {
        srt = FilterLibrary::Load(PV_FILTER_DIR "/srtfilter.so");
        ASSERT_TRUE(srt && srt->BindAll());
    }
    std::unique_ptr<FilterLibrary> srt;
};

TEST(FilterExtension, ComesFromTheListedName) {
    EXPECT_EQ(FilterExtension(u"Subtitles (.srt)"), ".srt");
    EXPECT_EQ(FilterExtension(u"Subtitles (.SUB)"), ".sub");
    EXPECT_EQ(FilterExtension(u"Subtitles"), "");
    EXPECT_EQ(FilterExtension(u"Subtitles (.)"), "");
    EXPECT_EQ(FilterExtension(u"Odd (.srt) name"), "");
}

// A file as they come: byte-order mark, LF line ends, stray blank lines,
// a dialogue block and no final line break.
TEST_F(DocumentTranslatorTest, UntidySubtitleFileKeepsEveryNumberAndTimingLine) {
    const std::string file =
        "\xEF\xBB\xBF"
        "1\n00:00:01,000 --> 00:00:04,000\nhello there\n\n\n"
        "2\n00:00:05,000 --> 00:00:06,000\n-who is it\n-me\n\n"
        "3\n00:00:07,000 --> 00:00:09,500\nhow are you\nfine";
    std::string out, error;
    ASSERT_TRUE(TranslateDocument(*srt, file, "film.srt", out, error)) << error;
    auto tr = [](std::u16string_view text) { return Utf8Encode(TranslateText(text)); };
    EXPECT_EQ(out,
              "\xEF\xBB\xBF"
              "1\n00:00:01,000 --> 00:00:04,000\n" +
                  tr(u"hello there") + "\n\n\n2\n00:00:05,000 --> 00:00:06,000\n" +
                  tr(u"-who is it") + "\n" + tr(u"-me") + "\n\n3\n00:00:07,000 --> 00:00:09,500\n" +
                  tr(u"how are you\r\nfine") + "\n\n");
}

TEST_F(DocumentTranslatorTest, CrLfFilesStayCrLfAndBadUtf8IsRefused) {
    std::string out, error;
    ASSERT_TRUE(TranslateDocument(*srt, "1\r\n00:00:01,000 --> 00:00:02,000\r\nhi\r\n", "a.srt",
                                  out, error));
    EXPECT_EQ(out, "1\r\n00:00:01,000 --> 00:00:02,000\r\n" + Utf8Encode(TranslateText(u"hi")) +
                       "\r\n\r\n");

    EXPECT_FALSE(TranslateDocument(*srt, "1\r\nok\xFF\r\n", "b.srt", out, error));
    EXPECT_EQ(error, "b.srt: not valid UTF-8 (byte 6)");
}

}  // namespace
}  // namespace pv
