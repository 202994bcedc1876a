// The attribute inventory read from its readable source (data/attributes.txt)
// and compiled into the attribute definition files.
#pragma once

#include <cstdint>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "datagen/AttributeWriters.h"
#include "morphology/Attributes.h"

namespace pv {

// A fault in one of our readable sources, with file and line.
class SourceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct InventoryValue {
    int32_t id = 0;
    std::string name;
};

struct InventoryAttribute {
    int32_t id = 0;
    std::string name;
    std::vector<InventoryValue> values;  // in file order, the display order
};

struct AttributeInventory {
    std::vector<InventoryAttribute> attributes;  // in file order
    std::map<int32_t, uint8_t> relations;        // type -> ancestor is the first id
    std::vector<ImpliedValue> implied;
    std::map<int32_t, EntryTemplate> templates;

    // The value id of a name, or -1.
    int32_t ValueId(const std::string& name) const;
    // The name of a value id, or "" when there is none.
    std::string ValueName(int32_t value) const;
    // The attribute id of a value id, or -1.
    int32_t AttributeOf(int32_t value) const;
    // The position of a value in file order (the display order of forms),
    // or a number past every value.
    int32_t Rank(int32_t value) const;

    std::map<std::string, int32_t> valueByName;
    std::map<int32_t, int32_t> attributeOfValue;
    std::map<int32_t, int32_t> rankOfValue;
};

// Parses the inventory text; name is used in error messages. Throws
// SourceError for a malformed line, a duplicate id or name, or a value id
// of 1,056 or more (it would share a bit with a lower id).
AttributeInventory ParseAttributeInventory(const std::string& text, const std::string& name);

// The five plain definition files and the templates of "DATA\COLTEMPS.DAT".
AttributeFileSet CompileAttributeFiles(const AttributeInventory& inventory);
std::vector<EntryTemplate> CompileEntryTemplates(const AttributeInventory& inventory);

// Writes all six attribute definition files below base.
void WriteAttributeInventory(const std::string& base, const AttributeInventory& inventory);

}  // namespace pv
