// Names and record layouts of the attribute definition files.
#pragma once

#include <cstddef>
#include <cstdint>

namespace pv {

inline constexpr const char* kAttributesFile = "DATA\\ATTRS.DAT";
inline constexpr const char* kAttributeValuesFile = "DATA/ATTRVALS.DAT";
inline constexpr const char* kRelationDefinitionsFile = "DATA/RELDEF.DAT";
inline constexpr const char* kSPFile = "DATA/SP.DAT";
inline constexpr const char* kEntryTemplatesFile = "DATA\\COLTEMPS.DAT";
inline constexpr const char* kImpliedValuesFile = "DATA/POSDEFS.DAT";

// id, first word, last word, 33 mask words, 4 bytes not read.
constexpr std::size_t kAttributeRecordSize = 148;
constexpr std::size_t kAttributeValueRecordSize = 4;
constexpr std::size_t kRelationDefinitionRecordSize = 1;
constexpr std::size_t kSPRecordSize = 4;
// language, part of speech, value.
constexpr std::size_t kImpliedValueRecordSize = 12;

// A 49-byte header (in-use flag at byte 8), then ten slots of one length
// byte and 150 characters.
constexpr std::size_t kTemplateRecordSize = 1559;
constexpr std::size_t kTemplateHeaderSize = 49;
constexpr std::size_t kTemplateInUseOffset = 8;
constexpr std::size_t kTemplateSlotSize = 151;
constexpr std::size_t kTemplateSlotText = 150;
constexpr int64_t kMaxTemplateBlockBytes = 20000000;

}  // namespace pv
