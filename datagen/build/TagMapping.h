// The mapping of the sources' grammatical tags onto our attribute values,
// read from data/tags.txt: lines "SCHEME LANGUAGE TAG VALUES", where scheme
// names the tag set (apertium, freedict, ding, hunspell), language is a
// language code or "*" for every language, and values are value names of
// the inventory joined by "+", with "|" between alternatives (a form tagged
// with alternatives stands for one form per alternative) or "-" for a tag
// that carries nothing for us.
#pragma once

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "datagen/build/AttributeInventory.h"

namespace pv {

class TagMapping {
public:
    // Throws SourceError for a malformed line or an unknown value name.
    static TagMapping Parse(const std::string& text, const std::string& file,
                            const AttributeInventory& inventory);

    // The alternatives of a tag (the language's own line first, then "*"),
    // or nullptr when the tag is not in the table.
    const std::vector<WordArray>* Find(const std::string& scheme, const std::string& language,
                                       const std::string& tag) const;

private:
    std::map<std::tuple<std::string, std::string, std::string>, std::vector<WordArray>> map_;
};

// The forms that a list of tags stands for: the product of the tags'
// alternatives, each a value list with one value per attribute (a later tag
// wins), sorted. Tags not in the table go to unknown.
std::vector<WordArray> ExpandTags(const TagMapping& mapping, const AttributeInventory& inventory,
                                  const std::string& scheme, const std::string& language,
                                  const std::vector<std::string>& tags,
                                  std::vector<std::string>& unknown);

// The part of speech among values (a value of attribute 1), removed from
// them; 0 when there is none.
int32_t TakePartOfSpeech(const AttributeInventory& inventory, WordArray& values);

}  // namespace pv
