#pragma once

#include <iosfwd>
#include <string>
#include <string_view>

namespace pv {

// Translates each line of `in` on its own with TranslateText and writes it
// to `out` with the line's own ending; empty lines stay empty and a UTF-8
// byte-order mark at the start is dropped. Stops at a line that is not
// valid UTF-8, returning false with an error naming `name` and the line.
bool TranslateLines(std::istream& in, std::string_view name, std::ostream& out,
                    std::string& error);

}  // namespace pv
