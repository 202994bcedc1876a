#include "lexdb/DataPath.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace pv {
namespace {

TEST(DataPath, MixedSeparatorsAndLetterCaseNameTheSameFile) {
    namespace fs = std::filesystem;
    fs::path base = fs::temp_directory_path() / "pv_datapath_test";
    fs::remove_all(base);
    fs::create_directories(base / "DATA");
    std::ofstream(base / "DATA" / "INFLGR.DAT") << "x";
    fs::create_directories(base / "data");
    std::ofstream(base / "data" / "cols.HDR") << "y";
    const std::string prefix = base.string() + "/";

    EXPECT_EQ(ResolveDataPath(prefix, "Data/INFLGR.DAT"), (base / "DATA" / "INFLGR.DAT").string());
    EXPECT_EQ(ResolveDataPath(prefix, "DATA\\inflgr.dat"), (base / "DATA" / "INFLGR.DAT").string());
    // An exact match wins; otherwise the folder under which the file exists.
    EXPECT_EQ(ResolveDataPath(prefix, "data/cols.HDR"), (base / "data" / "cols.HDR").string());
    EXPECT_EQ(ResolveDataPath(prefix, "DATA/COLS.hdr"), (base / "data" / "cols.HDR").string());
    // A file not written yet goes into the existing folder of that name.
    EXPECT_EQ(ResolveDataPath(prefix, "Data\\MISSING.DAT"), (base / "DATA" / "MISSING.DAT").string());
    EXPECT_EQ(ResolveDataPath(prefix, "New/x.dat"), (base / "New" / "x.dat").string());
    fs::remove_all(base);
}

}  // namespace
}  // namespace pv
