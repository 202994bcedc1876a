#include "datagen/AttributeWriters.h"

#include <algorithm>

#include "datagen/ByteWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/AttributeFiles.h"
#include "morphology/DelimitedList.h"

namespace pv {

AttributeDef MakeAttribute(int32_t id, const WordArray& valueIds) {
    AttributeDef a;
    a.id = id;
    a.mask.fill(0xFFFFFFFFu);
    if (valueIds.empty()) return a;
    a.first = kAttributeSetWords;
    a.last = -1;
    for (int32_t v : valueIds) {
        if (v < 0) throw WriterError("attribute " + std::to_string(id) + ": negative value id");
        int bit = v % kAttributeSetBits;
        a.first = std::min(a.first, bit / 32);
        a.last = std::max(a.last, bit / 32);
        a.mask[bit / 32] &= ~(1u << (bit % 32));
    }
    return a;
}

std::string EncodeAttributes(const std::vector<AttributeDef>& attributes) {
    ByteWriter out;
    for (const AttributeDef& a : attributes) {
        auto inRange = [](int32_t w) { return w >= 0 && w < kAttributeSetWords; };
        if (!inRange(a.first) || (!inRange(a.last) && a.last != -1))
            throw WriterError("attribute " + std::to_string(a.id) + ": words " +
                              std::to_string(a.first) + ".." + std::to_string(a.last) +
                              " lie outside the attribute set");
        out.I32(a.id);
        out.I32(a.first);
        out.I32(a.last);
        for (uint32_t word : a.mask) out.U32(word);
        out.U32(0);
    }
    return out.bytes();
}

std::string EncodeAttributeValues(const std::vector<int32_t>& valueAttributes) {
    ByteWriter out;
    for (int32_t a : valueAttributes) out.I32(a);
    return out.bytes();
}

std::string EncodeRelationDefinitions(const std::vector<uint8_t>& ancestorIsFirst) {
    ByteWriter out;
    for (uint8_t flag : ancestorIsFirst) {
        if (flag > 1) throw WriterError("relation definition flag must be 0 or 1");
        out.U8(flag);
    }
    return out.bytes();
}

std::string EncodeSP(const std::vector<int32_t>& values) { return EncodeAttributeValues(values); }

std::string EncodeImpliedValues(const std::vector<ImpliedValue>& implied) {
    ByteWriter out;
    for (const ImpliedValue& v : implied) {
        out.I32(v.language);
        out.I32(v.partOfSpeech);
        out.I32(v.value);
    }
    return out.bytes();
}

std::string EncodeEntryTemplates(const std::vector<EntryTemplate>& templates) {
    if (templates.size() > static_cast<std::size_t>(kMaxTemplateBlockBytes) / kTemplateRecordSize)
        throw WriterError("too many entry templates");
    ByteWriter out;
    for (std::size_t t = 0; t < templates.size(); ++t) {
        std::size_t start = out.size();
        out.Bytes(std::string(kTemplateRecordSize, '\0'));
        out.PatchI32(start + kTemplateInUseOffset, templates[t].inUse ? 1 : 0);
        for (std::size_t k = 0; k < kTemplateSlots; ++k) {
            std::string list = JoinIdList(templates[t].slots[k]);
            if (list.size() > kTemplateSlotText)
                throw WriterError("entry template " + std::to_string(t) + ", word " +
                                  std::to_string(k + 1) + ": attribute list longer than 150 characters");
            std::size_t at = start + kTemplateHeaderSize + kTemplateSlotSize * k;
            out.bytes()[at] = static_cast<char>(list.size());
            out.bytes().replace(at + 1, list.size(), list);
        }
    }
    return out.bytes();
}

void WriteAttributeFiles(const std::string& base, const AttributeFileSet& files) {
    std::string attributes = EncodeAttributes(files.attributes);
    std::string values = EncodeAttributeValues(files.valueAttributes);
    std::string relations = EncodeRelationDefinitions(files.relations);
    std::string sp = EncodeSP(files.sp);
    std::string implied = EncodeImpliedValues(files.implied);
    CreateDataFolder(base);
    WriteFileAtomically(ResolveDataPath(base, kAttributesFile), attributes);
    WriteFileAtomically(ResolveDataPath(base, kAttributeValuesFile), values);
    WriteFileAtomically(ResolveDataPath(base, kRelationDefinitionsFile), relations);
    WriteFileAtomically(ResolveDataPath(base, kSPFile), sp);
    WriteFileAtomically(ResolveDataPath(base, kImpliedValuesFile), implied);
}

}  // namespace pv
