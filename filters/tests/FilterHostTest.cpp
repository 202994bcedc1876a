#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "filters/FilterHost.h"
#include "filters/FilterRun.h"

namespace pv {
namespace {

namespace fs = std::filesystem;

// A program folder of its own with a "Filter" folder to fill.
class FilterHostTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("pv-filter-host-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder / "Filter");
    }
    void TearDown() override { fs::remove_all(folder); }
    void Install(const fs::path& library) {
        fs::copy_file(library, folder / "Filter" / library.filename());
    }
    std::string Folder() const { return folder.string() + "/"; }

    fs::path folder;
};

TEST_F(FilterHostTest, ListsUsableLibrariesInNameOrderAndSelectsTheLast) {
    Install(fs::path(PV_FILTER_DIR) / "subfilter.so");
    Install(fs::path(PV_FILTER_DIR) / "srtfilter.so");
    Install(fs::path(PV_FIXTURE_DIR) / "infoonly.so");
    std::ofstream(folder / "Filter" / "broken.so") << "not a library";
    std::ofstream(folder / "Filter" / "notes.txt") << "not a filter";

    FilterHost host;
    ASSERT_TRUE(host.Discover(Folder()));
    ASSERT_EQ(host.Filters().size(), 3u);
    EXPECT_EQ(host.Filters()[0].name, u"Info only");
    EXPECT_EQ(host.Filters()[1].name, u"Subtitles (.srt)");
    EXPECT_EQ(host.Filters()[2].name, u"Subtitles (.sub)");
    EXPECT_EQ(host.Filters()[1].version, u"1.0");
    EXPECT_EQ(host.Filters()[1].path, Folder() + "Filter/srtfilter.so");
    EXPECT_EQ(host.Selected(), 2);

    EXPECT_EQ(host.Find("Subtitles (.srt)"), 1);
    EXPECT_EQ(host.Find("srtfilter"), 1);
    EXPECT_EQ(host.Find("subfilter.so"), 2);
    EXPECT_EQ(host.Find("vttfilter"), -1);

    ASSERT_TRUE(host.Bind());
    ASSERT_NE(host.Bound(), nullptr);
    FilterRunResult run =
        RunFilter(*host.Bound(), u"{1}{2}a\r\n", [](std::u16string_view) { return u"b"; });
    EXPECT_EQ(run.document, u"{1}{2}b\r\n");
    host.Unload();
    EXPECT_EQ(host.Bound(), nullptr);
}

TEST_F(FilterHostTest, ListedLibraryWithoutRunExportsFailsToBind) {
    Install(fs::path(PV_FIXTURE_DIR) / "infoonly.so");
    FilterHost host;
    ASSERT_TRUE(host.Discover(Folder()));
    EXPECT_FALSE(host.Bind());
    EXPECT_EQ(host.Bound(), nullptr);
    EXPECT_EQ(host.BoundPath(), Folder() + "Filter/infoonly.so");
    EXPECT_EQ(BindingFailedMessage(host.BoundPath()),
              u"Грешка при зареждане на филтър [" + fs::path(host.BoundPath()).u16string() + u"].");

    host.Select(-1);
    EXPECT_FALSE(host.Bind());
    EXPECT_EQ(host.BoundPath(), "No Filter.");
}

TEST_F(FilterHostTest, NoFilterFolderOrNoLibraryFindsNothing) {
    FilterHost host;
    EXPECT_FALSE(host.Discover(Folder()));
    fs::remove_all(folder / "Filter");
    EXPECT_FALSE(host.Discover(Folder()));
    EXPECT_TRUE(host.Filters().empty());
    EXPECT_EQ(host.Selected(), -1);
    EXPECT_EQ(NoFiltersMessage(1), u"No filters are found!");
    EXPECT_EQ(NoFiltersMessage(2), u"Не са намерени никакви филтри!");
}

}  // namespace
}  // namespace pv
