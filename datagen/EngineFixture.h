// The morphology fixture with a dictionary of its words: a DATA folder the
// whole engine starts on, for tests of everything above the word analysis.
#pragma once

#include <string>

namespace pv {

// Dictionary entry ids of the fixture (word ids are in MorphologyFixture.h).
namespace fixture {
constexpr int kBookEntry = 1102, kKnigaEntry = 1301;  // book = книга
constexpr int kHausEntry = 1200, kEvEntry = 1400;     // Haus = ev, through their class
constexpr int kHouseClass = 7;
}  // namespace fixture

// Writes the morphology fixture below base and its dictionary "data/cols".
void WriteEngineFixture(const std::string& base);

// The fixture folder of this process (with a trailing separator), written
// on first use and removed when the process ends.
const std::string& EngineFixtureFolder();

}  // namespace pv
