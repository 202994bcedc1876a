// Random LoadCollocationFromFile lookups per second on collocation files of
// one million entries, written with the data writers into a temporary folder.
// Usage: bench_collocation_lookup [ENTRIES [LOOKUPS]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "datagen/CollocationWriter.h"
#include "lexdb/CollocationFiles.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv) {
    const int32_t entries = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int32_t lookups = argc > 2 ? std::atoi(argv[2]) : 200000;
    std::string pattern = (std::filesystem::temp_directory_path() / "pvbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::filesystem::path dir = pattern;
    std::filesystem::create_directories(dir / "data");

    std::vector<pv::CollocationRecord> records(static_cast<std::size_t>(entries));
    for (int32_t i = 0; i < entries; ++i) {
        pv::CollocationRecord& r = records[static_cast<std::size_t>(i)];
        r.id = i * 3 + 1;
        r.templateId = 1 + i % 40;
        r.language = static_cast<uint8_t>(1 + i % 7);
        r.classId = i / 4;
        r.partOfSpeech = static_cast<int16_t>(1 + i % 3);
        r.flag = 1;
        r.sourceScore = 0.5;
        r.targetScore = 1.25;
        r.meaningId = i;
        r.text = "word" + std::to_string(i) + (i % 5 == 0 ? " phrase" : "");
        r.wordIds = {i, i + 1};
        r.associatedAttributes = {1, 12, 303};
        r.requiredAttributes = {{4, 9}, {}};
        r.firstPrepositions = i % 9 == 0 ? "On" : "";
        r.translations = std::to_string(i * 3 + 2) + ";" + std::to_string(i * 3 + 5);
    }
    auto start = std::chrono::steady_clock::now();
    pv::WriteCollocationFiles((dir / "data/cols").string(), records);
    std::printf("wrote %d entries in %.2f s (.HDR %.1f MB, .DAT %.1f MB on disk)\n", entries, SecondsSince(start),
                std::filesystem::file_size(dir / "data/cols.HDR") / 1e6,
                std::filesystem::file_size(dir / "data/cols.DAT") / 1e6);
    records.clear();

    pv::LoadCollocations(dir.string());
    std::mt19937 random(7);
    std::uniform_int_distribution<int32_t> pick(0, entries - 1);
    for (const char* pass : {"cold cache", "warm cache"}) {
        long checksum = 0;
        start = std::chrono::steady_clock::now();
        for (int32_t i = 0; i < lookups; ++i) {
            const int32_t row = pick(random);
            checksum += static_cast<long>(pv::LoadCollocationFromFile(row * 3 + 1).text.size());
        }
        const double seconds = SecondsSince(start);
        std::printf("LoadCollocationFromFile, %s: %d random lookups in %.3f s = %.0f lookups/s (checksum %ld)\n",
                    pass, lookups, seconds, lookups / seconds, checksum);
    }
    std::filesystem::remove_all(dir);
    return 0;
}
