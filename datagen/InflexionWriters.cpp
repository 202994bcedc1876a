#include "datagen/InflexionWriters.h"


#include "datagen/ByteWriter.h"
#include "datagen/ContainerWriter.h"
#include "lexdb/DataPath.h"
#include "textutil/TextConvert.h"

namespace pv {

std::string EncodeHexText(std::u16string_view text) {
    const std::string bytes = Utf8Encode(text);
    if (FindInvalidUtf8(bytes) != std::string::npos)
        throw WriterError("inflection text: a lone surrogate cannot be stored");
    if (bytes.size() > kMaxEndingBytes)
        throw WriterError("inflection text \"" + bytes + "\" is " + std::to_string(bytes.size()) +
                          " UTF-8 bytes long; at most " + std::to_string(kMaxEndingBytes) + " fit");
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string field(1 + kHexTextSize, '\0');
    field[0] = static_cast<char>(bytes.size() * 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        field[1 + 2 * i] = kDigits[b >> 4];
        field[2 + 2 * i] = kDigits[b & 15];
    }
    return field;
}

std::string EncodeInflexionGroups(const std::vector<InflexionGroup>& groups) {
    ByteWriter out;
    for (const InflexionGroup& group : groups) {
        out.I32(group.id);
        out.Bytes(EncodeHexText(group.baseEnding));
    }
    return std::move(out.bytes());
}

std::string EncodeInflexionEndings(const std::vector<InflexionGroup>& groups) {
    ByteWriter out;
    for (const InflexionGroup& group : groups)
        for (const InflexionEntry& entry : group.endings) {
            out.I32(entry.key);
            out.I32(group.id);
            out.Bytes(EncodeHexText(entry.ending));
        }
    return std::move(out.bytes());
}

std::string EncodeInflexionDetails(const std::vector<InflexionDetail>& details) {
    ByteWriter out;
    for (const InflexionDetail& detail : details) {
        out.I32(detail.language);
        for (uint16_t value : detail.values) out.U16(value);
        out.I32(detail.displayOrder);
    }
    return std::move(out.bytes());
}

void WriteInflexionGroups(const std::string& base, const std::vector<InflexionGroup>& groups) {
    const std::string groupRecords = EncodeInflexionGroups(groups);
    const std::string endingRecords = EncodeInflexionEndings(groups);
    CreateDataFolder(base);
    WriteCountedContainer(ResolveDataPath(base, kInflexionGroupsFile), groupRecords);
    WriteCountedContainer(ResolveDataPath(base, kInflexionEndingsFile), endingRecords);
}

void WriteInflexionDetails(const std::string& base, const std::vector<InflexionDetail>& details) {
    const std::string records = EncodeInflexionDetails(details);
    CreateDataFolder(base);
    WriteFileAtomically(ResolveDataPath(base, kInflexionDetailsFile), records);
}

}  // namespace pv
