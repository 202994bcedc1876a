// Words per second of TranslateText on a long text.
// Usage: bench_translate_text [DATA-FOLDER [WORDS [LANG-ID]]]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "engine/Engine.h"

int main(int argc, char** argv) {
    std::string dataDir = argc > 1 ? argv[1] : PV_PROGRAM_DIR;
    if (dataDir.back() != '/') dataDir += '/';
    const long words = argc > 2 ? std::atol(argv[2]) : 200000;
    pv::TargetLanguage = argc > 3 ? std::atoi(argv[3]) : pv::kBulgarian;
    if (!pv::StartEngine(dataDir)) return 1;

    // Running text of sentences with punctuation, mixed scripts.
    static const char16_t* const kWords[] = {
        u"the", u"translator", u"reads", u"every", u"sentence", u"carefully", u"Той", u"каза",
        u"че", u"утре", u"ще", u"дойде", u"und", u"später", u"noch", u"einmal", u"très",
        u"bien", u"año", u"2026", u"www.example.org", u"güzel", u"bir", u"gün"};
    std::mt19937 random(42);
    std::u16string text;
    for (long i = 0; i < words; ++i) {
        text += kWords[random() % (sizeof kWords / sizeof *kWords)];
        text += (i % 12 == 11) ? u". " : (i % 5 == 4 ? u", " : u" ");
    }

    pv::TranslateText(u"warm up");
    auto start = std::chrono::steady_clock::now();
    std::u16string result = pv::TranslateText(text);
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("TranslateText: %ld words in %.3f s = %.0f words/s (output %zu characters)\n",
                words, seconds, words / seconds, result.size());
    return 0;
}
