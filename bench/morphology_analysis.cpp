// Load time of the lexicon and inflection tables and GetWordMeanings calls
// per second, on a lexicon of generated words written by the writers.
#include <chrono>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "datagen/InflexionWriters.h"
#include "datagen/LexiconWriter.h"
#include "datagen/MorphologyFixture.h"
#include "datagen/WordTreeWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/WordAnalysis.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

constexpr int kWords = 120000;
constexpr int kGroups = 40;

}  // namespace

int main(int argc, char** argv) {
    const int words = argc > 1 ? std::max(1000, std::atoi(argv[1])) : kWords;
    const std::string base = pv::MakeMorphologyFixture();
    std::mt19937 random(7);

    // Groups of 3 to 8 endings over the fixture's detail records.
    const std::u16string letters = u"abcdefghiklmnoprstuvz";
    auto randomText = [&](int low, int high) {
        std::u16string text(std::uniform_int_distribution<int>(low, high)(random), u'a');
        for (char16_t& c : text) c = letters[std::uniform_int_distribution<std::size_t>(0, letters.size() - 1)(random)];
        return text;
    };
    std::vector<pv::InflexionGroup> groups;
    for (int g = 0; g < kGroups; ++g) {
        pv::InflexionGroup group{100 + g, g % 3 ? u"" : randomText(1, 2), {}};
        const int endings = std::uniform_int_distribution<int>(3, 8)(random);
        for (int e = 0; e < endings; ++e) group.endings.push_back({1 + (g + e) % 20, randomText(1, 4)});
        groups.push_back(group);
    }
    std::set<std::u16string> stems;
    std::vector<pv::LexiconWord> lexicon;
    while (static_cast<int>(lexicon.size()) < words) {
        std::u16string stem = randomText(3, 9);
        if (!stems.insert(stem).second) continue;
        const int g = std::uniform_int_distribution<int>(0, kGroups - 1)(random);
        lexicon.push_back({static_cast<int32_t>(lexicon.size() + 1), stem,
                           static_cast<uint8_t>(1 + g % 4), static_cast<uint16_t>(100 + g),
                           static_cast<int16_t>(1 + g % 3)});
    }
    pv::WriteInflexionGroups(base, groups);
    pv::WriteLexicon(base, lexicon);

    auto started = Clock::now();
    pv::LoadAnalysisTables(base);  // no WORDS.GLS: the trie is built
    const double buildLoad = Seconds(started);
    pv::WriteWordTreeFile(pv::ResolveDataPath(base, pv::kWordFormsFile), pv::Inflexions().wordTree);
    started = Clock::now();
    pv::LoadAnalysisTables(base);
    const double fileLoad = Seconds(started);

    // Forms of random words, a tenth of them misspelt beyond recognition.
    std::vector<std::u16string> tokens;
    for (int i = 0; i < 20000; ++i) {
        const pv::LexiconWord& word = lexicon[std::uniform_int_distribution<std::size_t>(0, lexicon.size() - 1)(random)];
        const pv::InflexionGroup& group = groups[static_cast<std::size_t>(word.group - 100)];
        std::u16string form = word.stem;
        form += group.endings[std::uniform_int_distribution<std::size_t>(0, group.endings.size() - 1)(random)].ending;
        if (i % 10 == 0) form += u"qq";
        if (i % 7 == 0) form[0] = static_cast<char16_t>(form[0] - 32);
        tokens.push_back(form);
    }
    std::size_t readings = 0;
    started = Clock::now();
    int calls = 0;
    while (Seconds(started) < 2.0)
        for (const std::u16string& token : tokens) {
            readings += pv::GetWordMeanings(token).meanings.size();
            ++calls;
        }
    const double elapsed = Seconds(started);

    std::printf("lexicon: %d words, %d groups\n", words, kGroups);
    std::printf("load of all tables, trie built from the lexicon: %.3f s\n", buildLoad);
    std::printf("load of all tables, trie read from WORDS.GLS:    %.3f s\n", fileLoad);
    std::printf("GetWordMeanings: %.0f calls/s (%.2f readings per call)\n", calls / elapsed,
                static_cast<double>(readings) / calls);
    std::filesystem::remove_all(base);
    return 0;
}
