#include <filesystem>

#include "datagen/EngineFixture.h"
#include "datagen/MorphologyFixture.h"
#include "engine/Engine.h"
#include "engine/tests/EngineTestSupport.h"
#include "lexdb/DataPath.h"
#include "morphology/WordInflexions.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using EngineStartTest = EngineTest;

TEST_F(EngineStartTest, AMissingTableFailsTheStartNamingIt) {
    const std::string base = MakeMorphologyFixture();
    std::filesystem::remove(ResolveDataPath(base, std::string(kWordsBase) + ".DAT"));
    EXPECT_FALSE(InitEngine(base));
    EXPECT_FALSE(EngineReady);
    ASSERT_EQ(errors.size(), 1u);
    const std::string error = Utf8Encode(errors[0]);
    EXPECT_EQ(error.rfind("Exception the lexicon ", 0), 0u) << error;
    EXPECT_NE(error.find("is missing or damaged in InitEngine"), std::string::npos) << error;
    // Translating now says why instead of waiting for the data.
    EXPECT_NE(TranslateText(u"walk").find(u"Exception the dictionary data could not be loaded"),
              std::u16string::npos);
    std::filesystem::remove_all(base);

    EXPECT_TRUE(StartEngine(EngineFixtureFolder()));
    EXPECT_TRUE(EngineReady);
}

TEST_F(EngineStartTest, StopDuringLoadingEndsTheStartSilently) {
    EngineStop = true;
    EXPECT_FALSE(InitEngine(EngineFixtureFolder()));
    EngineStop = false;
    EXPECT_FALSE(EngineReady);
    EXPECT_TRUE(errors.empty());
    EXPECT_TRUE(StartEngine(EngineFixtureFolder()));
}

}  // namespace
}  // namespace pv
