#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "app/pvtranslate/DataTools.h"
#include "datagen/MorphologyFixture.h"
#include "lexdb/DataPath.h"
#include "morphology/WordInflexions.h"

namespace pv {
namespace {

class DataToolsTest : public ::testing::Test {
protected:
    void SetUp() override {
        base = MakeMorphologyFixture();
        std::string error;
        ASSERT_TRUE(LoadAnalysisTables(base, error)) << error;
    }
    void TearDown() override { std::filesystem::remove_all(base); }
    std::string base;
};

TEST_F(DataToolsTest, AnalysePrintsEveryReadingOfEveryToken) {
    std::ostringstream out;
    WriteAnalysis(u"Walks, 2005 zzz", out);
    EXPECT_EQ(out.str(),
              "Walks\n"
              "  word 100 \"walk\", part of speech 3 (v.), language 1 (English), weight 0\n"
              "    values: 3 (v.), 11 (sg.), 15 (3 p.), 40 (present), 769\n"
              ",\n"
              "  no reading\n"
              "2005\n"
              "  word -1 \"2005\", part of speech 303, language 0 (<undefined>), weight 0\n"
              "    values: 303\n"  // digits are no capitals
              "zzz\n"
              "  no reading\n");
}

TEST_F(DataToolsTest, AnalysePrintsThePartsOfAnUnknownCompound) {
    std::ostringstream out;
    WriteAnalysis(u"Türenhaus walkxbook", out);
    EXPECT_EQ(out.str(),
              "Türenhaus\n"
              "  no reading\n"
              "  part Tür\n"
              "    word 201 \"tür\", part of speech 1 (n.), language 4 (German), weight 0\n"
              "      values: 1 (n.), 11 (sg.), 769\n"
              "  part haus\n"
              "    word 200 \"haus\", part of speech 1 (n.), language 4 (German), weight 0\n"
              "      values: 1 (n.), 11 (sg.)\n"
              "walkxbook\n"
              "  no reading\n");
}

TEST_F(DataToolsTest, FormsPrintsTheListingAsTwoColumns) {
    std::ostringstream out;
    WriteWordForms(u"walks", 0, out);
    EXPECT_EQ(out.str(), "v., English\twalk\n3 p.,sg.,\twalks\n");
    std::ostringstream german;
    WriteWordForms(u"walks", 4, german);
    EXPECT_EQ(german.str(), "");
}

TEST_F(DataToolsTest, MissingOrBrokenDataIsNamed) {
    std::string error;
    EXPECT_FALSE(LoadAnalysisTables(base + "nowhere/", error));
    EXPECT_NE(error.find("nowhere/DATA is missing"), std::string::npos) << error;

    std::filesystem::remove(ResolveDataPath(base, std::string(kWordsBase) + ".DAT"));
    EXPECT_FALSE(LoadAnalysisTables(base, error));
    EXPECT_NE(error.find("is broken: the lexicon "), std::string::npos) << error;
    EXPECT_NE(error.find("WORDS is missing or damaged"), std::string::npos) << error;

    std::filesystem::remove(ResolveDataPath(base, kInflexionDetailsFile));
    EXPECT_FALSE(LoadAnalysisTables(base, error));
    EXPECT_NE(error.find("is broken: Cannot open file"), std::string::npos) << error;
}

}  // namespace
}  // namespace pv
