#include "lexdb/ByteReader.h"

#include <gtest/gtest.h>

#include "datagen/ByteWriter.h"

namespace pv {
namespace {

TEST(ByteReader, ReadsWhatTheWriterWrote) {
    ByteWriter w;
    w.U8(0xAB);
    w.I16(-2);
    w.I32(-123456);
    w.U32(0xDEADBEEF);
    w.I64(-1);
    w.F64(3.25);
    w.Utf16(u"Жa");
    w.Bytes("xyz");
    ByteReader r(w.bytes());
    EXPECT_EQ(r.U8(), 0xAB);
    EXPECT_EQ(r.I16(), -2);
    EXPECT_EQ(r.I32(), -123456);
    EXPECT_EQ(r.U32(), 0xDEADBEEFu);
    EXPECT_EQ(r.I64(), -1);
    EXPECT_EQ(r.F64(), 3.25);
    EXPECT_EQ(r.Utf16(2), u"Жa");
    EXPECT_EQ(r.Bytes(3), "xyz");
    EXPECT_TRUE(r.ok());
    EXPECT_EQ(r.remaining(), 0u);
}

TEST(ByteReader, ReadingPastTheEndFailsWithZeros) {
    ByteReader r(std::string_view("\x01\x02\x03", 3));
    EXPECT_EQ(r.I32(), 0);
    EXPECT_FALSE(r.ok());
    EXPECT_EQ(r.U8(), 0);  // stays failed

    ByteReader s(std::string_view("\x01\x02", 2));
    EXPECT_EQ(s.Utf16(2), u"");
    EXPECT_FALSE(s.ok());

    ByteReader t(std::string_view("ab", 2));
    t.Seek(3);
    EXPECT_FALSE(t.ok());
}

}  // namespace
}  // namespace pv
