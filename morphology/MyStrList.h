// A sorted list of wide strings, each with an integer object; duplicates
// are kept.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace pv {

class MyStrList {
public:
    struct Item {
        std::u16string text;
        int32_t object = 0;
    };

    struct FindResult {
        bool found = false;
        std::size_t index = 0;  // a match, or where text would be inserted
    };

    // Ordinal by UTF-16 code units, shorter first on a common prefix;
    // negative, 0 or positive.
    static int CompareStrings(std::u16string_view a, std::u16string_view b);

    // Appends without keeping the order; Sort restores it.
    void Add(std::u16string text, int32_t object = 0);
    // Equal strings keep their order of addition.
    void Sort();
    // Binary search of a sorted list. A match is the first of its equal run,
    // so stepping back from it finds nothing more.
    FindResult Find(std::u16string_view text) const;

    std::size_t Count() const { return items_.size(); }
    const Item& operator[](std::size_t i) const { return items_[i]; }
    const std::vector<Item>& Items() const { return items_; }
    void Clear() { items_.clear(); }

private:
    std::vector<Item> items_;
};

// Sorted list of lines, each with object 0.
MyStrList SortedStrList(const std::vector<std::u16string>& lines);

}  // namespace pv
