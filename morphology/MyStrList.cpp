#include "morphology/MyStrList.h"

#include <algorithm>

namespace pv {

int MyStrList::CompareStrings(std::u16string_view a, std::u16string_view b) {
    // char16_t is unsigned, so this compares code units ordinally.
    return a.compare(b);
}

void MyStrList::Add(std::u16string text, int32_t object) {
    items_.push_back(Item{std::move(text), object});
}

void MyStrList::Sort() {
    std::stable_sort(items_.begin(), items_.end(), [](const Item& a, const Item& b) {
        return CompareStrings(a.text, b.text) < 0;
    });
}

MyStrList::FindResult MyStrList::Find(std::u16string_view text) const {
    auto it = std::lower_bound(items_.begin(), items_.end(), text,
                               [](const Item& item, std::u16string_view t) {
                                   return CompareStrings(item.text, t) < 0;
                               });
    FindResult result;
    result.index = static_cast<std::size_t>(it - items_.begin());
    result.found = it != items_.end() && it->text == text;
    return result;
}

MyStrList SortedStrList(const std::vector<std::u16string>& lines) {
    MyStrList list;
    for (const std::u16string& line : lines) list.Add(line);
    list.Sort();
    return list;
}

}  // namespace pv
