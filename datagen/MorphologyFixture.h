// A small DATA folder for tests, written with the writers: a handful of
// English, German, Bulgarian and Turkish words with their groups, details,
// spelling fixes and affixes, and the attribute definitions they use.
#pragma once

#include <string>

namespace pv {

// Word ids of the fixture.
namespace fixture {
constexpr int kWalk = 100, kTalk = 101, kBook = 102, kThe = 103, kColour = 104, kMan = 105, kNew = 106;
constexpr int kHaus = 200, kTuer = 201;
constexpr int kNov = 300, kKniga = 301;
constexpr int kEv = 400, kLarSuffix = 401, kLerSuffix = 402;
}  // namespace fixture

// Writes every file of the fixture below base (a folder with a trailing
// separator; its DATA folder is created). No "DATA\WORDS.GLS" is written.
void WriteMorphologyFixture(const std::string& base);

// A fresh folder below the temporary directory holding the fixture, with a
// trailing separator; the caller removes it.
std::string MakeMorphologyFixture();

}  // namespace pv
