#include <gtest/gtest.h>

#include <sstream>

#include "datagen/CachedFileWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/pvdata/Commands.h"
#include "lexdb/Scramble.h"
#include "lexdb/tests/TempDir.h"

namespace pv {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

struct CatResult {
    int status;
    std::string out, err;
};

CatResult Cat(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    int status = RunCat(args, out, err);
    return {status, out.str(), err.str()};
}

TEST(PvdataCat, WritesTheLogicalContent) {
    TempDir tmp;
    WriteContainer(tmp.path("two"), std::vector<std::string>{"first,", "second"});
    CatResult r = Cat({tmp.path("two")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "first,second");
    EXPECT_EQ(r.err, "");

    std::string big(5000, 'q');
    big[4000] = 'z';
    WriteCachedFile(tmp.path("cached"), big);
    r = Cat({"--cached", tmp.path("cached")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, big);
}

TEST(PvdataCat, ReportsStoredDamagedAndMissingFiles) {
    TempDir tmp;
    WriteStoredContainer(tmp.path("stored"), "plain bytes");
    CatResult r = Cat({tmp.path("stored")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "plain bytes");
    EXPECT_NE(r.err.find("stored mode"), std::string::npos);

    std::string member = GzipMember("good bytes");
    member[member.size() - 6] ^= 1;  // CRC
    ScrambleBytes(member.data(), member.size(), 0);
    WriteFileBytes(tmp.path("damaged"), member);
    r = Cat({tmp.path("damaged")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out, "good bytes");
    EXPECT_NE(r.err.find("data error"), std::string::npos);

    std::string image = CachedFileImage(std::string(3000, 'a'));
    image[10] = static_cast<char>(0xFF ^ ScrambleKey(10));  // block 0: reserved block type
    WriteFileBytes(tmp.path("damaged-cache"), image);
    r = Cat({"--cached", tmp.path("damaged-cache")});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.out.size(), 3000u);
    EXPECT_EQ(r.out.substr(1024), std::string(3000 - 1024, 'a'));
    EXPECT_NE(r.err.find("block 0"), std::string::npos);

    r = Cat({tmp.path("absent")});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot open"), std::string::npos);
    EXPECT_EQ(Cat({"--cached", tmp.path("absent")}).status, 1);
    EXPECT_EQ(Cat({}).status, 2);
    EXPECT_EQ(Cat({"--bogus", "x"}).status, 2);
}

}  // namespace
}  // namespace pv
