#include "morphology/LowerWord.h"

#include <array>

namespace pv {

namespace {

// The two parallel tables, 86 characters each. "I" occurs twice in the
// upper table; the first occurrence (I -> i) wins, so the Turkish pair I -> ı
// never applies.
constexpr std::u16string_view kUpper =
    u"ABCDEFGHIJKLMNOPQRSTUVWXYZАБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ"
    u"ÄÖÜİIĞŞÇÀÁÂÈÉÊËÌÍÎÏÒÓÔÕÖÙÚÛŒÑЍ";
constexpr std::u16string_view kLower =
    u"abcdefghijklmnopqrstuvwxyzабвгдежзийклмнопрстуфхцчшщъьюя"
    u"äöüiığşçàáâèéêëìíîïòóôõöùúûœñѝ";
static_assert(kUpper.size() == 86 && kLower.size() == 86);

// Every character of the tables lies below this code.
constexpr char16_t kTableEnd = 0x0460;

constexpr std::array<char16_t, kTableEnd> BuildMap() {
    std::array<char16_t, kTableEnd> map{};
    for (char16_t c = 0; c < kTableEnd; ++c) map[c] = c;
    std::array<bool, kTableEnd> seen{};
    for (std::size_t i = 0; i < kUpper.size(); ++i) {
        char16_t c = kUpper[i];
        if (seen[c]) continue;
        seen[c] = true;
        map[c] = kLower[i];
    }
    return map;
}

constexpr std::array<char16_t, kTableEnd> kMap = BuildMap();

}  // namespace

std::u16string LowerWord(std::u16string_view word) {
    std::u16string out(word);
    for (char16_t& c : out)
        if (c < kTableEnd) c = kMap[c];
    return out;
}

}  // namespace pv
