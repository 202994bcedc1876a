#include "lexdb/Container.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "lexdb/Scramble.h"
#include "lexdb/tests/TempDir.h"

namespace pv {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

// Reads a container to its end in steps of the given size.
std::string ReadAll(Container* container, int step, int* lastResult = nullptr) {
    std::string out, buffer(static_cast<std::size_t>(step), '\0');
    int got;
    while ((got = ContainerRead(container, buffer.data(), step)) > 0) out.append(buffer.data(), got);
    if (lastResult) *lastResult = got;
    return out;
}

std::string Text(std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i < n; ++i) text.push_back(static_cast<char>("lexical data "[i % 13] + i / 997));
    return text;
}

TEST(Scramble, KeyWrapsTheProductAndKeepsTheRemainderSign) {
    struct Case {
        uint32_t offset;
        uint8_t key;
    };
    // 3000 × 715827 still fits in 31 bits; 3001 × 715827 wraps negative and the
    // negative remainder contributes its two's-complement low byte.
    const Case cases[] = {{0, 0}, {1, 66}, {2, 147}, {3000, 100}, {3001, 46}, {4000, 189}, {1000000, 112},
                          {123456789, 117}};
    for (const Case& c : cases) EXPECT_EQ(ScrambleKey(c.offset), c.key) << c.offset;

    // The whole-buffer loop (vectorised where it can be) must give every byte
    // its own key, across the sign change and at odd starts and lengths.
    for (uint32_t start : {0u, 2989u, 4294967290u})
        for (std::size_t n : {0u, 1u, 31u, 1029u}) {
            std::string bytes(n, '\x5A');
            ScrambleBytes(bytes.data(), n, start);
            for (std::size_t i = 0; i < n; ++i)
                ASSERT_EQ(static_cast<uint8_t>(bytes[i]),
                          0x5A ^ ScrambleKey(start + static_cast<uint32_t>(i)))
                    << start << "+" << i;
        }
}

TEST(Container, MembersRoundTripAcrossBoundariesAndHeaderFields) {
    TempDir tmp;
    const std::string first = Text(40000), second = "second member", third;
    GzipHeaderOptions fancy{"xtra", "name.dat", "a comment", true};
    std::string image = GzipMember(first) + GzipMember(second, fancy) + GzipMember(third) + GzipMember("end");
    ScrambleBytes(image.data(), image.size(), 0);
    WriteFileBytes(tmp.path("multi"), image);

    for (int step : {1, 7, 1024, 100000}) {
        ContainerPtr c(ContainerOpen(tmp.path("multi")));
        ASSERT_TRUE(c);
        EXPECT_FALSE(ContainerIsStored(c.get()));
        int last = 99;
        EXPECT_EQ(ReadAll(c.get(), step, &last), first + second + third + "end") << step;
        EXPECT_EQ(last, 0);
        EXPECT_EQ(ContainerState(c.get()), ContainerStatus::StreamEnd);
    }
}

TEST(Container, StoredModeDeliversDescrambledBytes) {
    TempDir tmp;
    const std::string content = Text(20000);
    WriteStoredContainer(tmp.path("plain"), content);
    ContainerPtr c(ContainerOpen(tmp.path("plain")));
    ASSERT_TRUE(c);
    EXPECT_TRUE(ContainerIsStored(c.get()));
    EXPECT_EQ(ReadAll(c.get(), 5000), content);

    // A one-byte file and an empty file are stored too.
    WriteStoredContainer(tmp.path("one"), "\x1F");
    EXPECT_EQ(ReadWholeContainer(tmp.path("one")).bytes, "\x1F");
    WriteStoredContainer(tmp.path("empty"), "");
    ContainerContent empty = ReadWholeContainer(tmp.path("empty"));
    EXPECT_TRUE(empty.opened && empty.stored && empty.bytes.empty());

    EXPECT_THROW(WriteStoredContainer(tmp.path("bad"), "\x1F\x8Brest"), WriterError);
}

TEST(Container, DamageGivesDataErrorAndKeepsTheBytesDelivered) {
    TempDir tmp;
    const std::string first = Text(3000), second = Text(5000);
    const std::string member1 = GzipMember(first), member2 = GzipMember(second);
    struct Case {
        const char* what;
        std::string image;  // unscrambled
        std::string delivered;
    };
    std::string badCrc = member1 + member2;
    badCrc[member1.size() - 8] ^= 0x01;
    std::string badLength = member1 + member2;
    badLength[member1.size() - 1] ^= 0x01;
    std::string badDeflate = member1;
    badDeflate[10] = static_cast<char>(0xFF);  // reserved block type
    std::string badMethod = member1;
    badMethod[2] = 7;
    const Case cases[] = {
        {"crc", badCrc, first},
        {"length", badLength, first},
        {"cut in the data", (member1 + member2).substr(0, member1.size() + member2.size() / 2), ""},
        {"cut in the trailer", member1.substr(0, member1.size() - 3), first},
        {"cut in the second header", member1 + member2.substr(0, 5), first},
        {"garbage after a member", member1 + "junk", first},
        {"reserved block type", badDeflate, ""},
        {"method", badMethod, ""},
    };
    for (const Case& c : cases) {
        std::string image = c.image;
        ScrambleBytes(image.data(), image.size(), 0);
        WriteFileBytes(tmp.path("bad"), image);
        ContainerPtr container(ContainerOpen(tmp.path("bad")));
        ASSERT_TRUE(container) << c.what;
        std::string got = ReadAll(container.get(), 4096);
        EXPECT_EQ(ContainerState(container.get()), ContainerStatus::DataError) << c.what;
        EXPECT_EQ(got.substr(0, c.delivered.size()), c.delivered) << c.what;
        EXPECT_LE(got.size(), first.size() + second.size()) << c.what;
        char byte;
        EXPECT_EQ(ContainerRead(container.get(), &byte, 1), -1) << c.what;
    }
}

TEST(Container, NoneAndUnopenableFiles) {
    TempDir tmp;
    char byte;
    EXPECT_EQ(ContainerRead(nullptr, &byte, 1), -2);
    ContainerClose(nullptr);
    EXPECT_EQ(ContainerOpen(""), nullptr);
    EXPECT_EQ(ContainerOpen(tmp.path("absent")), nullptr);
    EXPECT_EQ(ContainerOpen(tmp.dir()), nullptr);
    EXPECT_FALSE(ContainerRestartAt(nullptr, 0));
}

TEST(Container, LongPathsOpenTheNamedFileNotACutOne) {
    TempDir tmp;
    std::string folder = tmp.dir();
    while (folder.size() < 100) folder += "/deeper-folder";
    std::filesystem::create_directories(folder);
    const std::string path = folder + "/WORDS.GLS";
    ASSERT_GT(path.size(), 79u);
    WriteContainer(path, "the right file");
    WriteContainer(path.substr(0, 79), "a file named by the cut path");
    EXPECT_EQ(ReadWholeContainer(path).bytes, "the right file");
}

TEST(Container, RestartAtDecodesTheStreamAtAnOffset) {
    TempDir tmp;
    for (bool stored : {false, true}) {
        RawStreamFile file(stored);
        const int32_t a = file.AddStream("first stream");
        const int32_t b = file.AddStream(Text(30000));
        WriteFileBytes(tmp.path("streams"), file.Finish("TAIL"));
        ContainerPtr c(ContainerOpen(tmp.path("streams")));
        ASSERT_TRUE(c);
        EXPECT_EQ(ContainerIsStored(c.get()), stored);

        std::string buffer(30000, '\0');
        ASSERT_TRUE(ContainerRestartAt(c.get(), b));
        EXPECT_EQ(ContainerRead(c.get(), buffer.data(), 30000), 30000);
        EXPECT_EQ(buffer, Text(30000));
        ASSERT_TRUE(ContainerRestartAt(c.get(), a));
        EXPECT_EQ(ContainerRead(c.get(), buffer.data(), 12), 12);
        EXPECT_EQ(buffer.substr(0, 12), "first stream");
        if (!stored) {
            // The end of a restarted stream has no trailer to check.
            EXPECT_LE(ContainerRead(c.get(), buffer.data(), 10), 0);
            EXPECT_EQ(ContainerState(c.get()), ContainerStatus::DataError);
        }
        // A restart clears the error; a negative offset is refused.
        ASSERT_TRUE(ContainerRestartAt(c.get(), a));
        EXPECT_EQ(ContainerRead(c.get(), buffer.data(), 5), 5);
        EXPECT_FALSE(ContainerRestartAt(c.get(), -1));
        EXPECT_EQ(ContainerRead(c.get(), buffer.data(), 5), -1);

        char tail[4];
        ASSERT_TRUE(ContainerRawRead(c.get(), ContainerFileSize(c.get()) - 4, tail, 4));
        EXPECT_EQ(std::string(tail, 4), "TAIL");
        EXPECT_FALSE(ContainerRawRead(c.get(), ContainerFileSize(c.get()) - 3, tail, 4));
    }
}

TEST(ReadCountedBlock, ReadsTheAnnouncedPayload) {
    TempDir tmp;
    WriteCountedContainer(tmp.path("table"), "payload");
    CountedBlock block = ReadCountedBlock(tmp.path("table"));
    EXPECT_EQ(block.count, 7);
    EXPECT_EQ(block.payload, "payload");
    EXPECT_TRUE(block.complete);

    // A count of records: the payload is count × record size.
    WriteContainer(tmp.path("records"), CountedContent(2, "aabbcc"));
    block = ReadCountedBlock(tmp.path("records"), 3);
    EXPECT_EQ(block.count, 2);
    EXPECT_EQ(block.payload, "aabbcc");
    EXPECT_TRUE(block.complete);

    block = ReadCountedBlock(tmp.path("absent"));
    EXPECT_EQ(block.count, 0);
    EXPECT_TRUE(block.payload.empty());
}

TEST(ReadCountedBlock, ShortOrHostileCountsDeliverOnlyWhatIsThere) {
    TempDir tmp;
    struct Case {
        int32_t count;
        std::string payload;
        int32_t expectCount;
        std::string expectPayload;
    };
    const Case cases[] = {
        {100, "short", 100, "short"},
        {0x7FFFFFFF, "huge", 0x7FFFFFFF, "huge"},
        {-5, "negative", 0, ""},
    };
    for (const Case& c : cases) {
        WriteContainer(tmp.path("t"), CountedContent(c.count, c.payload));
        CountedBlock block = ReadCountedBlock(tmp.path("t"));
        EXPECT_EQ(block.count, c.expectCount);
        EXPECT_EQ(block.payload, c.expectPayload);
        EXPECT_FALSE(block.complete);
    }
    // Fewer than four bytes: no count at all.
    WriteContainer(tmp.path("t"), "ab");
    EXPECT_EQ(ReadCountedBlock(tmp.path("t")).count, 0);

    // All bytes arrived but the member's CRC is wrong.
    std::string member = GzipMember(CountedContent(3, "abc"));
    member[member.size() - 8] ^= 1;
    ScrambleBytes(member.data(), member.size(), 0);
    WriteFileBytes(tmp.path("t"), member);
    CountedBlock block = ReadCountedBlock(tmp.path("t"));
    EXPECT_EQ(block.payload, "abc");
    EXPECT_FALSE(block.complete);
}

}  // namespace
}  // namespace pv
