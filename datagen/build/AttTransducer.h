// The text dump of a compiled letter transducer (AT&T form, as `lt-print`
// writes it): sections separated by "--" lines, each a list of transitions
// "FROM TO INPUT OUTPUT WEIGHT" and final states "STATE [WEIGHT]", split by
// tabs; "ε" is the empty symbol. Acyclic sections are word lists and are
// enumerated path by path; cyclic ones (numbers, punctuation, compounds)
// are skipped.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace pv {

struct AttEnumeration {
    int64_t sections = 0;
    int64_t cyclicSections = 0;     // skipped, or walked along simple paths
    int64_t malformedSections = 0;  // skipped: a line that is no transition
    int64_t oversizedSections = 0;  // skipped: more paths than the limit
    int64_t paths = 0;              // pairs handed to the callback
};

// Calls pair(input, output) for every path from state 0 to a final state
// of each acyclic section, in a fixed order (transitions in file order).
// A section with more than maxPaths paths is skipped whole. With
// cyclicAsSimplePaths a cyclic section is not skipped but walked along its
// simple paths (no state twice): a bilingual dictionary ends its entries
// with loops that take any further tag, and those loops add nothing.
AttEnumeration EnumerateAtt(std::string_view dump,
                            const std::function<void(const std::string&, const std::string&)>& pair,
                            int64_t maxPaths = 50'000'000, bool cyclicAsSimplePaths = false);

}  // namespace pv
