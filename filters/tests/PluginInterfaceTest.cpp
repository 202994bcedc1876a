#include <gtest/gtest.h>

#include "filters/tests/PluginFixture.h"

namespace pv {
namespace {

struct Plugin {
    const char* name;
    const char16_t* oneUnit;  // a piece of text that makes exactly one unit
};

void PrintTo(const Plugin& plugin, std::ostream* os) { *os << plugin.name; }

class PluginInterfaceTest : public ::testing::TestWithParam<Plugin> {
protected:
    void SetUp() override {
        plugin = LoadPlugin(GetParam().name);
        ASSERT_TRUE(plugin);
    }
    std::unique_ptr<FilterLibrary> plugin;
};

TEST_P(PluginInterfaceTest, InfoHasSixStringsTheLastEmpty) {
    PFPChar* out[6] = {};
    ASSERT_TRUE(plugin->GetInfo(&out[0], &out[1], &out[2], &out[3], &out[4], &out[5]));
    std::u16string copies[6];
    for (int k = 0; k < 6; ++k) {
        ASSERT_NE(out[k], nullptr) << k;
        copies[k] = *TakePluginString(plugin->FreeStr, out[k]);
    }
    EXPECT_EQ(copies[0], std::string(GetParam().name) == "srtfilter" ? u"Subtitles (.srt)"
                                                                     : u"Subtitles (.sub)");
    EXPECT_EQ(copies[1], u"1.0");
    EXPECT_EQ(copies[2], u"Филтър за субтитри на филми.");
    EXPECT_FALSE(copies[3].empty());
    EXPECT_FALSE(copies[4].empty());
    EXPECT_EQ(copies[5], u"");
    EXPECT_TRUE(plugin->SetOptions());
    EXPECT_FALSE(plugin->IsOptions());
}

TEST_P(PluginInterfaceTest, EmptyDocumentHasNoUnit) {
    Start(*plugin, u"");
    EXPECT_EQ(NextUnit(*plugin), u"(null)");
    EXPECT_EQ(NextUnit(*plugin), u"(null)");
    const PFPChar* none = nullptr;
    EXPECT_TRUE(plugin->Start(&none));
    EXPECT_EQ(NextUnit(*plugin), u"(null)");
    EXPECT_EQ(Done(*plugin), u"");
}

TEST_P(PluginInterfaceTest, SecondWriteBackReplacesTheFirstAndSkippedUnitsStay) {
    const std::u16string line = GetParam().oneUnit;
    Start(*plugin, line + line);
    EXPECT_EQ(NextUnit(*plugin), u"one two");
    SetUnit(*plugin, u"first");
    SetUnit(*plugin, u"second");
    std::u16string afterFirst = Done(*plugin);
    EXPECT_EQ(afterFirst.find(u"first"), std::u16string::npos);
    EXPECT_NE(afterFirst.find(u"second"), std::u16string::npos);
    // The next unit is not written back and stays as it was.
    EXPECT_NE(NextUnit(*plugin), u"(null)");
    EXPECT_EQ(Done(*plugin).substr(afterFirst.size() - line.size()), line);
}

TEST_P(PluginInterfaceTest, PercentOfAThousandCharactersIsNinetyOne) {
    Start(*plugin, std::u16string(1000, u'a'));
    int32_t status = 0, percent = -1;
    ASSERT_TRUE(plugin->GetStatus(&status, &percent));
    EXPECT_EQ(status, 1);
    EXPECT_EQ(percent, 0);
    EXPECT_EQ(NextUnit(*plugin), std::u16string(1000, u'a'));
    ASSERT_TRUE(plugin->GetStatus(&status, &percent));
    EXPECT_EQ(percent, 91);
}

INSTANTIATE_TEST_SUITE_P(BothPlugins, PluginInterfaceTest,
                         ::testing::Values(Plugin{"srtfilter", u"one two\r\n\r\n"},
                                           Plugin{"subfilter", u"{1}{2}one two\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pv
