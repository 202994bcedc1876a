// Seeded random-input drivers for the container reader, the block cache and
// the entry-text parser: damaged input must give data errors or shortened
// reads, never a crash or a read outside a buffer (the sanitizer build
// checks the latter).
#include <gtest/gtest.h>

#include <random>

#include "datagen/CachedFileWriter.h"
#include "datagen/CollocationWriter.h"
#include "datagen/ContainerWriter.h"
#include "engine/EngineError.h"
#include "lexdb/CollocationFiles.h"
#include "lexdb/Container.h"
#include "lexdb/FileCacher.h"
#include "lexdb/tests/TempDir.h"
#include "morphology/LowerWord.h"
#include "textutil/TextConvert.h"

namespace pv {
namespace {

using testing::TempDir;
using testing::WriteFileBytes;

std::string Damaged(std::string image, std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 3);
    std::uniform_int_distribution<int> byte(0, 255);
    auto at = [&] { return std::uniform_int_distribution<std::size_t>(0, image.size() - 1)(random); };
    switch (kind(random)) {
    case 0:
        for (int i = 0; i < 1 + byte(random) % 4; ++i) image[at()] = static_cast<char>(byte(random));
        break;
    case 1:
        image.resize(at());
        break;
    case 2:
        image.insert(at(), std::string(1 + byte(random) % 16, static_cast<char>(byte(random))));
        break;
    default:
        image.erase(at(), 1 + byte(random) % 16);
        break;
    }
    return image;
}

TEST(RandomInput, DamagedContainersAndCachedFiles) {
    TempDir tmp;
    std::mt19937 random(20240611);
    std::string text;
    for (int i = 0; i < 6000; ++i) text += static_cast<char>('a' + (i * i) % 23);
    const std::string images[] = {
        ContainerImage({CountedContent(static_cast<int32_t>(text.size()), text), "tail member"}),
        StoredContainerImage(text),
        CachedFileImage(text),
        CachedFileImage(text, true),
    };
    const std::string path = tmp.path("f");
    for (int round = 0; round < 400; ++round) {
        const std::string& original = images[round % 4];
        const std::string image = round < 4 ? original : Damaged(original, random);
        WriteFileBytes(path, image);

        ContainerPtr c(ContainerOpen(path));
        std::string buffer(997, '\0');
        std::size_t total = 0;
        for (int got; (got = ContainerRead(c.get(), buffer.data(), 997)) > 0;) {
            ASSERT_LE(got, 997);
            total += static_cast<std::size_t>(got);
            ASSERT_LE(total, 1100 * image.size());  // beyond any deflate expansion: a loop
        }
        ContainerRestartAt(c.get(), std::uniform_int_distribution<int64_t>(-2, 9000)(random));
        ContainerRead(c.get(), buffer.data(), 997);

        const CountedBlock block = ReadCountedBlock(path);
        EXPECT_LE(block.payload.size(), text.size() + 64);
        if (round == 0) {
            EXPECT_EQ(block.payload, text);
        }

        try {
            FileCacher cacher(path);
            std::string all(static_cast<std::size_t>(cacher.size()), '\0');
            cacher.Read(0, all.data(), cacher.size());
            if (round >= 2 && round < 4) {
                EXPECT_EQ(all, text);
            }
        } catch (const EngineError&) {
            EXPECT_FALSE(round >= 2 && round < 4) << "an intact cached file must open";
        }
    }
}

TEST(RandomInput, EntryTextsParseAndWrittenTextsReadBack) {
    std::mt19937 random(777);
    const std::string alphabet[] = {"|", "#", ";", "\"", " ", "\t", "a", "Z", "1", "-", "+", "\xD0\xB0", "\xFF"};
    auto pick = [&](int n) {
        std::string out;
        for (int i = std::uniform_int_distribution<int>(0, n)(random); i > 0; --i)
            out += alphabet[std::uniform_int_distribution<std::size_t>(0, std::size(alphabet) - 1)(random)];
        return out;
    };
    auto ids = [&](int n) {
        WordArray list;
        for (int i = std::uniform_int_distribution<int>(0, n)(random); i > 0; --i)
            list.push_back(std::uniform_int_distribution<int32_t>(-50, 50)(random));
        return list;
    };
    for (int round = 0; round < 3000; ++round) {
        Collocation parsed;
        const std::string noise = pick(40);
        ParseCollocationText(noise, parsed);
        EXPECT_GE(parsed.requiredAttributes.size(), parsed.wordIds.size());

        CollocationRecord r;
        r.text = pick(8);
        if (FindInvalidUtf8(r.text) != std::string::npos) r.text.clear();
        r.wordIds = ids(4);
        r.associatedAttributes = ids(3);
        r.firstPrepositions = "x" + pick(6);
        if (FindInvalidUtf8(r.firstPrepositions) != std::string::npos) r.firstPrepositions = "x";
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i) r.requiredAttributes.push_back(ids(3));
        for (int i = std::uniform_int_distribution<int>(0, 3)(random); i > 0; --i) r.inheritedGroups.push_back(ids(3));
        r.secondPrepositions = "y" + pick(6);
        r.translations = pick(6);

        Collocation c;
        ParseCollocationText(CollocationText(r), c);
        ASSERT_EQ(c.text, Utf8Decode(r.text)) << CollocationText(r);
        EXPECT_EQ(c.wordIds, r.wordIds);
        EXPECT_EQ(c.associatedAttributes, r.associatedAttributes);
        EXPECT_EQ(c.firstPrepositions, u"|" + LowerWord(Utf8Decode(r.firstPrepositions)) + u"|");
        std::vector<WordArray> required = r.requiredAttributes, inherited = r.inheritedGroups;
        for (WordArray& list : required) std::sort(list.begin(), list.end());
        for (auto* lists : {&required, &inherited})
            if (lists->size() < r.wordIds.size()) lists->resize(r.wordIds.size());
        EXPECT_EQ(c.requiredAttributes, required) << CollocationText(r);
        EXPECT_EQ(c.inheritedGroups, inherited) << CollocationText(r);
        EXPECT_EQ(c.secondPrepositions, u"|" + CyrillicToWide(r.secondPrepositions) + u"|");
        EXPECT_EQ(c.translations, r.translations) << CollocationText(r);
    }
}

}  // namespace
}  // namespace pv
