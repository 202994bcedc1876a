// Collocation search: the dictionary entries whose words match the readings
// of a span of the window become the leaves of that span. An entry is found
// by its key, the meaning ids of its words joined with ";"; keys that only
// begin a longer entry are kept as partial matches in the chart and grown
// position by position.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Chart.h"
#include "lexdb/Collocation.h"

namespace pv {

// Fills cell (emptied first) with the leaves of span q..a: the words of the
// span as one expression, the entries matching its readings or a partial
// match of a shorter span followed by a reading, and for a single word its
// number and symbol readings, else a fallback leaf of the word itself.
void TryCollocationSQL(int q, int a, FragmentEntries& cell);

// The spellings under which the words w of a span are looked up: w, then
// those of its variants that are not empty and not yet in the list: hyphens
// as blanks (not when that ends in a blank), without hyphens between
// blanks, without blanks, and blanks as hyphens.
std::vector<std::u16string> SpanSpellings(const std::u16string& w);

// Grows the partial matches into chart cell (q, a - q): the readings of the
// cell itself, and every partial match of a cell (q, p - q) followed by a
// reading of cell (p + 1, a - p - 1) or carried across a hyphen. A match is
// kept while some entry's key begins with it.
void ExtendPartialMatches(int q, int a);

// The entries whose key is exactly key.key become leaves of cell, as
// instances at window position start, their source score raised by weight.
// reading >= 0: every word was matched by that reading of the cell's words;
// -1: word i by component i of key.
void AddPermutationString(const PartialMatch& key, int reading, double weight, int start,
                          FragmentEntries& cell);
void AddPermutationEntry(const PartialMatch& key, int32_t header, int reading, double weight, int start,
                         FragmentEntries& cell);

// Whether the readings that matched entry's words have its required
// attributes and agree with it on its inherited groups. On acceptance the
// entry has taken over the readings' values of those groups and its part of
// speech, and its source score is lowered by the readings' weights.
bool TestCollocation(const PartialMatch& key, Collocation& entry, int reading, const FragmentEntries& cell);

// Appends the complete, plan-eligible leaf of collocation instance k.
void AddLeafEntry(FragmentEntries& cell, int32_t k);

}  // namespace pv
