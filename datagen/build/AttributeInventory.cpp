#include "datagen/build/AttributeInventory.h"

#include <algorithm>

#include "datagen/ContainerWriter.h"
#include "lexdb/DataPath.h"
#include "morphology/AttributeFiles.h"
#include "datagen/build/SourceText.h"

namespace pv {

int32_t AttributeInventory::ValueId(const std::string& name) const {
    auto it = valueByName.find(name);
    return it == valueByName.end() ? -1 : it->second;
}

std::string AttributeInventory::ValueName(int32_t value) const {
    for (const InventoryAttribute& attribute : attributes)
        for (const InventoryValue& v : attribute.values)
            if (v.id == value) return v.name;
    return {};
}

int32_t AttributeInventory::AttributeOf(int32_t value) const {
    auto it = attributeOfValue.find(value);
    return it == attributeOfValue.end() ? -1 : it->second;
}

int32_t AttributeInventory::Rank(int32_t value) const {
    auto it = rankOfValue.find(value);
    return it == rankOfValue.end() ? static_cast<int32_t>(rankOfValue.size()) : it->second;
}

namespace {

int32_t ParseId(const std::string& word, const SourceLine& line) {
    int32_t id = 0;
    if (!ParseInt(word, id) || id < 0) throw line.Error("expected a non-negative id, found \"" + word + "\"");
    return id;
}

WordArray ParseIdList(const std::string& list, const SourceLine& line) {
    WordArray ids;
    for (const std::string& part : Split(list, ';')) {
        std::string id = Trim(part);
        if (!id.empty()) ids.push_back(ParseId(id, line));
    }
    return ids;
}

}  // namespace

AttributeInventory ParseAttributeInventory(const std::string& text, const std::string& name) {
    AttributeInventory inv;
    for (const SourceLine& line : SourceLines(text, name)) {
        const std::vector<std::string>& w = line.words;
        if (w[0] == "attribute") {
            if (w.size() != 3) throw line.Error("expected: attribute ID NAME");
            int32_t id = ParseId(w[1], line);
            if (id >= kAttributeSetWords * 32) throw line.Error("attribute id too large");
            for (const InventoryAttribute& a : inv.attributes)
                if (a.id == id || a.name == w[2]) throw line.Error("duplicate attribute " + w[1] + " " + w[2]);
            inv.attributes.push_back({id, w[2], {}});
        } else if (w[0] == "relation") {
            if (w.size() != 3 || (w[2] != "first" && w[2] != "second"))
                throw line.Error("expected: relation ID first|second");
            int32_t id = ParseId(w[1], line);
            if (id > 255) throw line.Error("relation type too large");
            inv.relations[id] = w[2] == "first" ? 1 : 0;
        } else if (w[0] == "implied") {
            if (w.size() != 4) throw line.Error("expected: implied LANGUAGE POS VALUE");
            ImpliedValue v{ParseId(w[1], line), 0, 0};
            v.partOfSpeech = inv.ValueId(w[2]);
            v.value = inv.ValueId(w[3]);
            if (v.partOfSpeech < 0 || v.value < 0) throw line.Error("unknown value name");
            inv.implied.push_back(v);
        } else if (w[0] == "template") {
            if (w.size() < 3) throw line.Error("expected: template N LIST | LIST ...");
            int32_t n = ParseId(w[1], line);
            if (n > 1000) throw line.Error("template number too large");
            std::string rest = line.After(2);
            EntryTemplate t;
            t.inUse = true;
            std::vector<std::string> slots = Split(rest, '|');
            if (slots.size() > static_cast<std::size_t>(kTemplateSlots)) throw line.Error("more than ten slots");
            for (std::size_t k = 0; k < slots.size(); ++k) t.slots[k] = ParseIdList(slots[k], line);
            inv.templates[n] = t;
        } else {
            if (inv.attributes.empty()) throw line.Error("a value before the first attribute");
            if (w.size() != 2) throw line.Error("expected: VALUE-ID NAME");
            int32_t id = ParseId(w[0], line);
            if (id >= kAttributeSetBits) throw line.Error("value id " + w[0] + " is 1,056 or more");
            if (inv.attributeOfValue.count(id)) throw line.Error("duplicate value id " + w[0]);
            if (inv.valueByName.count(w[1])) throw line.Error("duplicate value name " + w[1]);
            InventoryAttribute& a = inv.attributes.back();
            a.values.push_back({id, w[1]});
            inv.valueByName[w[1]] = id;
            inv.attributeOfValue[id] = a.id;
            int32_t rank = static_cast<int32_t>(inv.rankOfValue.size());
            inv.rankOfValue[id] = rank;
        }
    }
    for (const auto& [n, t] : inv.templates)
        for (const WordArray& slot : t.slots)
            for (int32_t a : slot) {
                bool known = false;
                for (const InventoryAttribute& attr : inv.attributes) known = known || attr.id == a;
                if (!known) throw SourceError(name + ": template " + std::to_string(n) + " names unknown attribute " + std::to_string(a));
            }
    return inv;
}

AttributeFileSet CompileAttributeFiles(const AttributeInventory& inv) {
    AttributeFileSet files;
    int32_t maxAttribute = 0, maxValue = -1, maxRelation = -1;
    for (const InventoryAttribute& a : inv.attributes) maxAttribute = std::max(maxAttribute, a.id);
    for (const auto& [v, a] : inv.attributeOfValue) maxValue = std::max(maxValue, v);
    for (const auto& [t, f] : inv.relations) maxRelation = std::max(maxRelation, t);
    // Record number = id: the gaps become attributes without values.
    for (int32_t id = 0; id <= maxAttribute; ++id) {
        WordArray values;
        for (const InventoryAttribute& a : inv.attributes)
            if (a.id == id)
                for (const InventoryValue& v : a.values) values.push_back(v.id);
        files.attributes.push_back(MakeAttribute(id, values));
    }
    files.valueAttributes.assign(maxValue + 1, 0);
    for (const auto& [v, a] : inv.attributeOfValue) files.valueAttributes[v] = a;
    files.relations.assign(maxRelation + 1, 0);
    for (const auto& [t, f] : inv.relations) files.relations[t] = f;
    files.implied = inv.implied;
    return files;
}

std::vector<EntryTemplate> CompileEntryTemplates(const AttributeInventory& inv) {
    std::vector<EntryTemplate> templates;
    if (!inv.templates.empty()) templates.resize(inv.templates.rbegin()->first + 1);
    for (const auto& [n, t] : inv.templates) templates[n] = t;
    return templates;
}

void WriteAttributeInventory(const std::string& base, const AttributeInventory& inventory) {
    WriteAttributeFiles(base, CompileAttributeFiles(inventory));
    WriteCountedContainer(ResolveDataPath(base, kEntryTemplatesFile),
                          EncodeEntryTemplates(CompileEntryTemplates(inventory)));
}

}  // namespace pv
