#include "datagen/CollocationWriter.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "datagen/ByteWriter.h"
#include "datagen/CachedFileWriter.h"
#include "datagen/ContainerWriter.h"
#include "datagen/DelimitedListWriter.h"
#include "morphology/DelimitedList.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::size_t kMaxText = 511;

std::string ListOfIdLists(const std::vector<WordArray>& lists) {
    std::vector<std::string> items;
    for (const WordArray& list : lists) items.push_back(JoinIdList(list));
    return JoinDelimited(items, '#');
}

int32_t Thousandths(double score) {
    const double scaled = std::round(score * 1000.0);
    if (!(scaled >= std::numeric_limits<int32_t>::min() && scaled <= std::numeric_limits<int32_t>::max()))
        throw WriterError("collocation score out of range");
    return static_cast<int32_t>(scaled);
}

// The engine reads these files a block at a time wherever its lookups lead.
// A stored block costs a copy where a compressed one costs an inflate, many
// times as much, so the blocks are stored, unless the content would read as a
// gzip member.
void WriteLookupFile(const std::string& path, std::string_view content) {
    WriteCachedFile(path, content, !StartsWithGzipMagic(content));
}

}  // namespace

std::string CollocationText(const CollocationRecord& record) {
    for (const std::string* utf8 : {&record.text, &record.firstPrepositions})
        if (FindInvalidUtf8(*utf8) != std::string::npos)
            throw WriterError("collocation " + std::to_string(record.id) + ": text that is not UTF-8");
    std::vector<std::string> fields = {
        record.text,
        JoinIdList(record.wordIds),
        JoinIdList(record.associatedAttributes),
        record.firstPrepositions,
        ListOfIdLists(record.requiredAttributes),
        ListOfIdLists(record.inheritedGroups),
        record.secondPrepositions,
        record.translations,
    };
    // Trailing empty fields read back as their defaults; leaving them out
    // keeps an absent second prepositions field absent.
    while (!fields.empty() && fields.back().empty()) fields.pop_back();
    std::string text = JoinDelimited(fields, '|');
    if (text.size() > kMaxText)
        throw WriterError("collocation " + std::to_string(record.id) + ": text longer than 511 bytes");
    return text;
}

void WriteIndexFile(const std::string& path, const std::vector<IndexRecord>& records) {
    ByteWriter w;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (i > 0 && records[i - 1].key > records[i].key) throw WriterError(path + ": index not sorted by key");
        w.I32(records[i].key);
        w.I32(records[i].value);
    }
    WriteLookupFile(path, w.bytes());
}

void WriteCollocationFiles(const std::string& base, const std::vector<CollocationRecord>& records) {
    if (records.size() > static_cast<std::size_t>(std::numeric_limits<int32_t>::max() / 34))
        throw WriterError("too many collocations");
    ByteWriter headers, texts;
    std::vector<IndexRecord> byId, byClass, byFirstWord;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const CollocationRecord& r = records[i];
        const auto row = static_cast<int32_t>(i);
        const std::string text = CollocationText(r);
        if (texts.size() + text.size() + 1 > static_cast<std::size_t>(std::numeric_limits<int32_t>::max()))
            throw WriterError("collocation texts larger than 2 GiB");
        headers.I32(static_cast<int32_t>(texts.size()));
        headers.I32(r.templateId);
        headers.U8(r.language);
        headers.I32(r.classId);
        headers.I16(r.partOfSpeech);
        headers.U8(r.flag);
        headers.I16(r.valueC);
        headers.I32(Thousandths(r.sourceScore));
        headers.I32(Thousandths(r.targetScore));
        headers.I32(r.meaningId);
        headers.I32(0);
        texts.Bytes(text);
        texts.U8(0);
        byId.push_back({r.id, row});
        byClass.push_back({r.classId, row});
        if (!r.wordIds.empty()) byFirstWord.push_back({r.wordIds.front(), row});
    }
    auto byKey = [](const IndexRecord& a, const IndexRecord& b) { return a.key < b.key; };
    for (auto* index : {&byId, &byClass, &byFirstWord}) std::stable_sort(index->begin(), index->end(), byKey);
    WriteLookupFile(base + ".HDR", headers.bytes());
    WriteLookupFile(base + ".DAT", texts.bytes());
    WriteIndexFile(base + "BYID.HSH", byId);
    WriteIndexFile(base + "GLID.HSH", byClass);
    WriteIndexFile(base + "WRDID.HSH", byFirstWord);
}

}  // namespace pv
