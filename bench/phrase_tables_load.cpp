// Loading time of a large phrase rule set and of cutting it into binary
// rules, on tables written with the data writers into a temporary folder.
// Usage: bench_phrase_tables_load [PHRASES [SYNTH_PHRASES]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>

#include "datagen/AttributeWriters.h"
#include "datagen/PhraseTableWriter.h"
#include "engine/CollocationInstances.h"
#include "morphology/PhraseTables.h"
#include "morphology/SimplePhrases.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

constexpr int32_t kCategories = 200;  // values 1..200 are categories
constexpr int32_t kValues = 1000;

pv::WordCondsArray RandomConditions(std::mt19937& random) {
    std::uniform_int_distribution<int32_t> category(1, kCategories), value(kCategories + 1, kValues - 1);
    return {{category(random), 0}, {value(random), 0}, {value(random), 1}};
}

}  // namespace

int main(int argc, char** argv) {
    const int32_t phraseCount = argc > 1 ? std::atoi(argv[1]) : 50000;
    const int32_t synthCount = argc > 2 ? std::atoi(argv[2]) : 20000;
    std::string pattern = (std::filesystem::temp_directory_path() / "pvbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::string base = pattern + "/";

    std::mt19937 random(7);
    pv::PhraseTableSet set;
    std::size_t slotTotal = 0;
    for (int32_t n = 0; n < phraseCount; ++n) {
        pv::PhraseSource& phrase = set.phrases.emplace_back();
        phrase.name = "rule " + std::to_string(n);
        const int slots = 1 + n % 5;
        for (int k = 0; k < slots; ++k) phrase.slots.push_back({RandomConditions(random), k == 0 ? n % 7 : 0});
        slotTotal += static_cast<std::size_t>(slots);
        phrase.conditions = {{kCategories + 1 + n % 50, 2}};
        phrase.relations = {{1, 0, 1, 0}};
        phrase.s = {{0, 1, 2, 0}};
        phrase.links = {{1.0, n % synthCount}};
    }
    for (int32_t n = 0; n < synthCount; ++n) {
        pv::SynthPhraseSource& synth = set.synthPhrases.emplace_back();
        synth.value = 1 + n % kCategories;
        for (int b = 0; b < 3; ++b) {
            pv::BuildStepSource& step = synth.steps.emplace_back();
            step.text1 = "step text";
            step.conditions = RandomConditions(random);
            step.assignments = {RandomConditions(random), RandomConditions(random)};
            step.slotConditions = {RandomConditions(random)};
        }
    }
    auto start = std::chrono::steady_clock::now();
    std::size_t payloadBytes = 0;
    for (const auto& file : pv::EncodePhraseTables(set)) payloadBytes += file.second.size();
    const double encodeSeconds = SecondsSince(start);
    start = std::chrono::steady_clock::now();
    pv::WritePhraseTables(base, set);
    const double writeSeconds = SecondsSince(start);

    std::vector<int32_t> valueAttributes(kValues, 2);
    for (int32_t v = 1; v <= kCategories; ++v) valueAttributes[v] = 1;
    pv::AttributeTables attributes;
    attributes.SetAttributes({pv::MakeAttribute(0, {}), pv::MakeAttribute(1, {}), pv::MakeAttribute(2, {})},
                             valueAttributes);

    pv::CollocationInstances instances;
    pv::PhraseTables tables;
    start = std::chrono::steady_clock::now();
    tables.Load(base, instances);
    const double loadSeconds = SecondsSince(start);

    pv::SimplePhrases simple;
    start = std::chrono::steady_clock::now();
    simple.Build(tables.phrases, attributes);
    const double buildSeconds = SecondsSince(start);

    std::uintmax_t bytes = 0;
    for (const auto& file : std::filesystem::directory_iterator(base + "DATA")) bytes += file.file_size();
    std::printf("phrases %zu (%zu slots), synthesis phrases %zu, records %.1f MB, files %.1f MB\n",
                tables.phrases.size(), slotTotal, tables.synthPhrases.size(),
                static_cast<double>(payloadBytes) / 1e6, static_cast<double>(bytes) / 1e6);
    std::printf("encode %.3f s, write %.3f s, LoadPhrases %.3f s, BuildSimplePhrases %.3f s (%zu binary rules, %d values)\n",
                encodeSeconds, writeSeconds, loadSeconds, buildSeconds, simple.Rules().size(), attributes.ValueCount());
    std::filesystem::remove_all(pattern);
    return 0;
}
