#include "datagen/AnalysisListWriters.h"

#include <algorithm>

#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/TextListWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/MyStrList.h"
#include "textutil/TextConvert.h"

namespace pv {

SpellFixFiles EncodeSpellFixes(std::vector<SpellFixSource> fixes) {
    std::stable_sort(fixes.begin(), fixes.end(), [](const SpellFixSource& a, const SpellFixSource& b) {
        return MyStrList::CompareStrings(a.from, b.from) < 0;
    });
    std::vector<std::u16string> strings, replacements;
    ByteWriter records;
    for (const SpellFixSource& fix : fixes) {
        if (fix.from.empty()) throw WriterError("spelling fix: the text to replace is empty");
        strings.push_back(fix.from);
        replacements.push_back(fix.to);
        records.U32(fix.data.mask);
        records.I32(fix.data.weight);
        records.U8(fix.data.flags);
    }
    return {EncodeTextList(strings), EncodeTextList(replacements), std::move(records.bytes())};
}

void WriteSpellFixes(const std::string& base, const std::vector<SpellFixSource>& fixes) {
    const SpellFixFiles files = EncodeSpellFixes(fixes);
    CreateDataFolder(base);
    const std::string name = kSpellFixBase;
    WriteCountedContainer(ResolveDataPath(base, name + ".STR"), files.strings);
    WriteCountedContainer(ResolveDataPath(base, name + ".RPL"), files.replacements);
    WriteCountedContainer(ResolveDataPath(base, name + ".DAT"), files.records);
}

void WriteAffixLists(const std::string& base, const std::vector<std::u16string>& prefixes,
                     const std::vector<std::u16string>& suffixes) {
    std::vector<std::u16string> reversed;
    for (const std::u16string& suffix : suffixes) reversed.push_back(WideReverse(suffix));
    const std::string prefixText = EncodeTextList(prefixes);
    const std::string suffixText = EncodeTextList(reversed);
    CreateDataFolder(base);
    WriteCountedContainer(ResolveDataPath(base, kPrefixesFile), prefixText);
    WriteCountedContainer(ResolveDataPath(base, kSuffixesFile), suffixText);
}

}  // namespace pv
