// Time to build, store and load a word-form trie of a million forms, and
// HasPrefix queries per second. The trie file goes to a temporary folder.
// Usage: bench_word_tree_load [FORMS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "datagen/WordTreeWriter.h"
#include "lexdb/WordTree.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Distinct word-like forms: a stem of syllables and an ending.
std::vector<std::u16string> Forms(long count) {
    static const char16_t* const kSyllables[] = {u"ka", u"ro", u"mi", u"te", u"sa", u"lu", u"po", u"ne", u"вa",
                                                 u"ду", u"ри", u"ше", u"ğı", u"çe", u"ün", u"zo"};
    static const char16_t* const kEndings[] = {u"", u"s", u"ed", u"ing", u"ите", u"ът", u"ler", u"en"};
    std::vector<std::u16string> forms;
    forms.reserve(static_cast<std::size_t>(count));
    for (long i = 0; static_cast<long>(forms.size()) < count; ++i) {
        std::u16string form;
        for (long v = i / 8 + 1; v > 0; v /= 16) form += kSyllables[v % 16];
        form += kEndings[i % 8];
        forms.push_back(std::move(form));
    }
    return forms;
}

}  // namespace

int main(int argc, char** argv) {
    const long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    std::string pattern = (std::filesystem::temp_directory_path() / "pvbench-XXXXXX").string();
    if (!mkdtemp(pattern.data())) return 1;
    const std::filesystem::path dir = pattern;
    const std::string path = (dir / "WORDS.GLS").string();

    const std::vector<std::u16string> forms = Forms(count);
    auto start = std::chrono::steady_clock::now();
    {
        pv::WordTree tree;
        for (const std::u16string& form : forms) tree.AddWord(form);
        std::printf("built a trie of %ld forms in %.3f s (%d pages)\n", count, SecondsSince(start), tree.count());
        start = std::chrono::steady_clock::now();
        pv::WriteWordTreeFile(path, tree);
        std::printf("wrote WORDS.GLS in %.3f s (%.1f MB)\n", SecondsSince(start),
                    std::filesystem::file_size(path) / 1e6);
    }

    pv::WordTree loaded;
    start = std::chrono::steady_clock::now();
    loaded.LoadFromFile(path);
    std::printf("LoadFromFile: %ld forms, %d pages in %.3f s\n", count, loaded.count(), SecondsSince(start));

    std::mt19937 random(3);
    std::uniform_int_distribution<std::size_t> pick(0, forms.size() - 1);
    long hits = 0;
    const long queries = 2000000;
    start = std::chrono::steady_clock::now();
    for (long i = 0; i < queries; ++i) {
        std::u16string text = forms[pick(random)];
        if (i % 2) text.back() = u'#';  // half of them miss at the last character
        hits += loaded.HasPrefix(text);
    }
    const double seconds = SecondsSince(start);
    std::printf("HasPrefix: %ld queries in %.3f s = %.0f queries/s (%ld hits)\n", queries, seconds,
                queries / seconds, hits);
    std::filesystem::remove_all(dir);
    return 0;
}
