// Engine start time, words per second of TranslateText on a long text, and
// the peak memory of the process.
// Usage: bench_translate_text [DATA-FOLDER [WORDS [LANG-ID [TEXT-FILE]]]]
// With a TEXT-FILE (UTF-8) its text is translated and WORDS is ignored;
// otherwise WORDS words of a fixed generated text are.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include "engine/Engine.h"
#include "textutil/TextConvert.h"

namespace {

double Since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// User and system time of the process so far: on a loaded machine the wall
// time says little.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Running text of sentences with punctuation, mixed scripts.
std::u16string GeneratedText(long words) {
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
    return text;
}

long CountWords(const std::u16string& text) {
    long words = 0;
    bool inWord = false;
    for (char16_t c : text) {
        const bool blank = c == u' ' || c == u'\n' || c == u'\t' || c == u'\r';
        if (!blank && !inWord) ++words;
        inWord = !blank;
    }
    return words;
}

}  // namespace

int main(int argc, char** argv) {
    std::string dataDir = argc > 1 ? argv[1] : PV_PROGRAM_DIR;
    if (dataDir.back() != '/') dataDir += '/';
    long words = argc > 2 ? std::atol(argv[2]) : 200000;
    pv::TargetLanguage = argc > 3 ? std::atoi(argv[3]) : pv::kBulgarian;

    std::u16string text;
    if (argc > 4) {
        std::ifstream file(argv[4], std::ios::binary);
        if (!file) {
            std::fprintf(stderr, "cannot read %s\n", argv[4]);
            return 1;
        }
        std::ostringstream bytes;
        bytes << file.rdbuf();
        text = pv::Utf8Decode(bytes.str());
        words = CountWords(text);
    } else {
        text = GeneratedText(words);
    }

    auto started = std::chrono::steady_clock::now();
    const double cpuAtStart = CpuSeconds();
    if (!pv::StartEngine(dataDir)) return 1;
    std::printf("engine start: %.3f s (cpu %.3f s)\n", Since(started), CpuSeconds() - cpuAtStart);

    pv::TranslateText(u"warm up");
    auto start = std::chrono::steady_clock::now();
    const double cpuBefore = CpuSeconds();
    std::u16string result = pv::TranslateText(text);
    double seconds = Since(start);
    const double cpu = CpuSeconds() - cpuBefore;
    std::printf("TranslateText: %ld words in %.3f s = %.0f words/s (output %zu characters)\n",
                words, seconds, words / seconds, result.size());
    std::printf("TranslateText cpu: %.3f s = %.0f words/s\n", cpu, words / cpu);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", usage.ru_maxrss / 1024.0);
    return 0;
}
