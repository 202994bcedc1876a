#include "datagen/build/TagMapping.h"

#include <algorithm>

#include "datagen/build/LexiconModel.h"
#include "datagen/build/SourceText.h"

namespace pv {

TagMapping TagMapping::Parse(const std::string& text, const std::string& file,
                             const AttributeInventory& inventory) {
    TagMapping mapping;
    for (const SourceLine& line : SourceLines(text, file)) {
        if (line.words.size() != 4) throw line.Error("expected: SCHEME LANGUAGE TAG VALUES");
        const std::string& language = line.words[1];
        if (language != "*" && LanguageNumber(language) < 0) throw line.Error("unknown language " + language);
        std::vector<WordArray> alternatives;
        if (line.words[3] != "-")
            for (const std::string& alternative : Split(line.words[3], '|'))
                alternatives.push_back(line.Values(inventory, alternative));
        auto key = std::make_tuple(line.words[0], language, line.words[2]);
        if (mapping.map_.count(key)) throw line.Error("tag " + line.words[2] + " mapped twice");
        mapping.map_[key] = alternatives;
    }
    return mapping;
}

const std::vector<WordArray>* TagMapping::Find(const std::string& scheme, const std::string& language,
                                               const std::string& tag) const {
    auto it = map_.find({scheme, language, tag});
    if (it == map_.end()) it = map_.find({scheme, "*", tag});
    return it == map_.end() ? nullptr : &it->second;
}

namespace {

void SetValue(const AttributeInventory& inventory, WordArray& list, int32_t value) {
    int32_t attribute = inventory.AttributeOf(value);
    for (int32_t& v : list)
        if (inventory.AttributeOf(v) == attribute) {
            v = value;
            return;
        }
    list.push_back(value);
}

}  // namespace

std::vector<WordArray> ExpandTags(const TagMapping& mapping, const AttributeInventory& inventory,
                                  const std::string& scheme, const std::string& language,
                                  const std::vector<std::string>& tags,
                                  std::vector<std::string>& unknown) {
    std::vector<WordArray> forms{{}};
    for (const std::string& tag : tags) {
        const std::vector<WordArray>* alternatives = mapping.Find(scheme, language, tag);
        if (!alternatives) {
            unknown.push_back(tag);
            continue;
        }
        if (alternatives->empty()) continue;
        std::vector<WordArray> next;
        for (const WordArray& form : forms)
            for (const WordArray& alternative : *alternatives) {
                WordArray values = form;
                for (int32_t v : alternative) SetValue(inventory, values, v);
                next.push_back(std::move(values));
            }
        forms = std::move(next);
    }
    for (WordArray& form : forms) std::sort(form.begin(), form.end());
    return forms;
}

int32_t TakePartOfSpeech(const AttributeInventory& inventory, WordArray& values) {
    for (auto it = values.begin(); it != values.end(); ++it)
        if (inventory.AttributeOf(*it) == kPhraseCategoryAttribute) {
            int32_t pos = *it;
            values.erase(it);
            return pos;
        }
    return 0;
}

}  // namespace pv
