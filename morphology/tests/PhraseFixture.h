// Small phrase rule sets written with the datagen writer and loaded back,
// shared by the phrase tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "datagen/AttributeWriters.h"
#include "datagen/PhraseTableWriter.h"
#include "engine/CollocationInstances.h"
#include "morphology/Attributes.h"
#include "morphology/PhraseTables.h"
#include "morphology/tests/AttributeFixture.h"

namespace pv::test {

// Values 1 (NP), 2 (VP), 3 (AP) are phrase categories; 4 to 9 belong to
// attribute 2. Sub-phrase values start at 10.
constexpr int32_t kNP = 1, kVP = 2, kAP = 3;
inline AttributeTables CategoryTables() {
    AttributeTables tables;
    std::vector<int32_t> valueAttributes(10, 2);
    valueAttributes[0] = 0;
    for (int32_t v : {kNP, kVP, kAP}) valueAttributes[v] = kPhraseCategoryAttribute;
    tables.SetAttributes({MakeAttribute(0, {}), MakeAttribute(1, {1, 2, 3}), MakeAttribute(2, {4, 5, 6, 7, 8, 9})},
                         valueAttributes);
    return tables;
}

inline PhraseSource Rule(std::vector<PhraseSlotSource> slots, std::string name = {}) {
    PhraseSource phrase;
    phrase.slots = std::move(slots);
    phrase.name = std::move(name);
    return phrase;
}

// A folder for one test's DATA, removed with the object.
class PhraseDataDir {
public:
    PhraseDataDir() : base_(FreshBase(::testing::UnitTest::GetInstance()->current_test_info()->name())) {}
    ~PhraseDataDir() { std::filesystem::remove_all(base_); }
    const std::string& base() const { return base_; }

    PhraseTables WriteAndLoad(const PhraseTableSet& set, CollocationInstances& instances) const {
        WritePhraseTables(base_, set);
        return Load(instances);
    }
    PhraseTables Load(CollocationInstances& instances) const {
        PhraseTables tables;
        tables.Load(base_, instances);
        return tables;
    }

private:
    std::string base_;
};

}  // namespace pv::test
