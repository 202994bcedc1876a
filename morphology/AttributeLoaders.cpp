// Loading of the attribute definition files into AttributeTables.
#include <algorithm>

#include "lexdb/ByteReader.h"
#include "lexdb/Container.h"
#include "lexdb/DataPath.h"
#include "morphology/AttributeFiles.h"
#include "morphology/Attributes.h"
#include "morphology/DelimitedList.h"
#include "morphology/PlainFile.h"

namespace pv {

namespace {

std::string ReadDataFile(const std::string& base, const char* name) {
    return ReadPlainFile(ResolveDataPath(base, name));
}

// Size div record size 32-bit records.
std::vector<int32_t> ReadIntegers(const std::string& bytes) {
    ByteReader in(bytes);
    std::vector<int32_t> values(bytes.size() / 4);
    for (int32_t& v : values) v = in.I32();
    return values;
}

EntryTemplate ParseTemplate(std::string_view record) {
    ByteReader in(record);
    EntryTemplate result;
    in.Seek(kTemplateInUseOffset);
    result.inUse = in.I32() != 0;
    for (std::size_t k = 0; k < kTemplateSlots; ++k) {
        in.Seek(kTemplateHeaderSize + kTemplateSlotSize * k);
        std::size_t length = std::min<std::size_t>(in.U8(), kTemplateSlotText);
        result.slots[k] = ParseIdList(in.Bytes(length));
    }
    return result;
}

}  // namespace

void AttributeTables::LoadAttributes(const std::string& base) {
    std::string attributeBytes = ReadDataFile(base, kAttributesFile);
    std::string valueBytes = ReadDataFile(base, kAttributeValuesFile);

    ByteReader in(attributeBytes);
    std::vector<AttributeDef> attributes(attributeBytes.size() / kAttributeRecordSize);
    for (std::size_t r = 0; r < attributes.size(); ++r) {
        in.Seek(r * kAttributeRecordSize);
        AttributeDef& a = attributes[r];
        a.id = in.I32();
        a.first = in.I32();
        a.last = in.I32();
        for (uint32_t& word : a.mask) word = in.U32();
    }
    SetAttributes(std::move(attributes), ReadIntegers(valueBytes));
}

void AttributeTables::LoadRelationDefinitions(const std::string& base) {
    std::string bytes = ReadDataFile(base, kRelationDefinitionsFile);
    SetRelationDefinitions(std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

void AttributeTables::LoadSP(const std::string& base) {
    SetSP(ReadIntegers(ReadDataFile(base, kSPFile)));
}

void AttributeTables::LoadImpliedValues(const std::string& base) {
    std::string bytes = ReadDataFile(base, kImpliedValuesFile);
    ByteReader in(bytes);
    std::vector<ImpliedValue> implied(bytes.size() / kImpliedValueRecordSize);
    for (ImpliedValue& v : implied) {
        v.language = in.I32();
        v.partOfSpeech = in.I32();
        v.value = in.I32();
    }
    SetImpliedValues(implied);
}

void AttributeTables::LoadEntryTemplates(int64_t byteCount, std::string_view payload) {
    templates_.clear();
    if (byteCount < 0 || byteCount > kMaxTemplateBlockBytes) return;
    payload = payload.substr(0, std::min<std::size_t>(static_cast<std::size_t>(byteCount), payload.size()));
    for (std::size_t at = 0; at + kTemplateRecordSize <= payload.size(); at += kTemplateRecordSize)
        templates_.push_back(ParseTemplate(payload.substr(at, kTemplateRecordSize)));
}

void AttributeTables::LoadEntryTemplatesFile(const std::string& base) {
    CountedBlock block = ReadCountedBlock(ResolveDataPath(base, kEntryTemplatesFile));
    if (!block.complete) {
        templates_.clear();
        return;
    }
    LoadEntryTemplates(block.count, block.payload);
}

void AttributeTables::LoadAttributeDefinitions(const std::string& base) {
    LoadAttributes(base);
    LoadRelationDefinitions(base);
    LoadSP(base);
    LoadEntryTemplatesFile(base);
    LoadImpliedValues(base);
}

}  // namespace pv
