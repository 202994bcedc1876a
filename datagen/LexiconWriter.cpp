#include "datagen/LexiconWriter.h"

#include <algorithm>
#include <numeric>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/MyStrList.h"
#include "morphology/WordInflexions.h"

namespace pv {

LexiconFiles EncodeLexicon(std::vector<LexiconWord> words) {
    std::stable_sort(words.begin(), words.end(),
                     [](const LexiconWord& a, const LexiconWord& b) { return a.id < b.id; });
    for (std::size_t i = 1; i < words.size(); ++i)
        if (words[i].id == words[i - 1].id)
            throw WriterError("lexicon: word id " + std::to_string(words[i].id) + " occurs twice");

    std::u16string text;
    std::vector<int32_t> positions;
    for (const LexiconWord& word : words) {
        if (word.stem.find(u'\0') != std::u16string::npos)
            throw WriterError("lexicon: the stem of word " + std::to_string(word.id) + " holds a 0 character");
        positions.push_back(static_cast<int32_t>(text.size() + 1));
        text += word.stem;
        text += u'\0';
    }
    if (text.size() > static_cast<std::size_t>(INT32_MAX / 2))
        throw WriterError("lexicon: the stem text is too large");

    // Record k holds the index of the record whose stem comes k-th.
    std::vector<int32_t> order(words.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&words](int32_t a, int32_t b) {
        return MyStrList::CompareStrings(words[static_cast<std::size_t>(a)].stem,
                                         words[static_cast<std::size_t>(b)].stem) < 0;
    });

    ByteWriter textOut;
    textOut.I32(static_cast<int32_t>(text.size()));
    textOut.Utf16(text);
    ByteWriter out;
    out.I32(static_cast<int32_t>(words.size()));
    for (std::size_t k = 0; k < words.size(); ++k) {
        out.I32(words[k].id);
        out.U8(words[k].language);
        out.U16(words[k].group);
        out.I16(words[k].partOfSpeech);
        out.I32(positions[k]);
        out.I32(order[k]);
    }
    return {std::move(textOut.bytes()), std::move(out.bytes())};
}

void WriteLexicon(const std::string& base, const std::vector<LexiconWord>& words) {
    LexiconFiles files = EncodeLexicon(words);
    CreateDataFolder(base);
    const std::string name = kWordsBase;
    WriteContainer(ResolveDataPath(base, name + ".STR"), files.text);
    WriteContainer(ResolveDataPath(base, name + ".DAT"), files.records);
}

}  // namespace pv
