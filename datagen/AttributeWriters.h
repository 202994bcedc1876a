// Writers of the attribute definition files: the exact inverse of the
// loaders in morphology/AttributeLoaders.cpp.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "morphology/Attributes.h"

namespace pv {

// An attribute whose values occupy the bits of valueIds: first and last are
// the words those bits fall in, and the mask clears exactly those bits.
// An attribute without values gets first 0, last -1.
AttributeDef MakeAttribute(int32_t id, const WordArray& valueIds);

// Record contents of "DATA\ATTRS.DAT"; first and last must lie in 0..32.
std::string EncodeAttributes(const std::vector<AttributeDef>& attributes);
// "DATA/ATTRVALS.DAT": the attribute of each value id in turn.
std::string EncodeAttributeValues(const std::vector<int32_t>& valueAttributes);
// "DATA/RELDEF.DAT": 1 when a relation type counts its first id as the
// ancestor, 0 otherwise.
std::string EncodeRelationDefinitions(const std::vector<uint8_t>& ancestorIsFirst);
// "DATA/SP.DAT".
std::string EncodeSP(const std::vector<int32_t>& values);
// "DATA/POSDEFS.DAT".
std::string EncodeImpliedValues(const std::vector<ImpliedValue>& implied);
// The records of "DATA\COLTEMPS.DAT" (the payload after its byte count);
// a slot whose list is longer than 150 characters is refused.
std::string EncodeEntryTemplates(const std::vector<EntryTemplate>& templates);

// Writes all five plain files below base (the "DATA" folder is created).
struct AttributeFileSet {
    std::vector<AttributeDef> attributes;
    std::vector<int32_t> valueAttributes;
    std::vector<uint8_t> relations;
    std::vector<int32_t> sp;
    std::vector<ImpliedValue> implied;
};
void WriteAttributeFiles(const std::string& base, const AttributeFileSet& files);

}  // namespace pv
