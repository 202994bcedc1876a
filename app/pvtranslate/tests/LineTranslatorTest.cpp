#include "app/pvtranslate/LineTranslator.h"

#include <gtest/gtest.h>

#include <sstream>

#include "datagen/EngineFixture.h"
#include "engine/Engine.h"

namespace pv {
namespace {

class LineTranslatorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(StartEngine(EngineFixtureFolder())); }

    std::string Translate(const std::string& input, bool expectOk = true) {
        std::istringstream in(input);
        std::ostringstream out;
        error.clear();
        EXPECT_EQ(TranslateLines(in, "input.txt", out, error), expectOk) << error;
        return out.str();
    }
    std::string error;
};

TEST_F(LineTranslatorTest, KeepsLinesAndTheirEndings) {
    EXPECT_EQ(Translate("Той каза , че ( утре ) ще дойде .\n"), "Той каза, че (утре) ще дойде.\n");
    EXPECT_EQ(Translate("\xEF\xBB\xBF"
                        "a b\r\n\r\n  \nc"),
              "A b\r\n\r\n\nC");
    EXPECT_EQ(Translate(""), "");
}

TEST_F(LineTranslatorTest, StopsAtInvalidUtf8NamingTheLine) {
    EXPECT_EQ(Translate("one\ntwo \xC3(\nthree\n", false), "One\n");
    EXPECT_EQ(error, "input.txt:2: not valid UTF-8 (byte 5 of the line)");
}

}  // namespace
}  // namespace pv
