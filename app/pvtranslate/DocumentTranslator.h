// Translation of whole documents (subtitle files) through a filter plug-in.
#pragma once

#include <string>
#include <string_view>

#include "filters/FilterLibrary.h"

namespace pv {

// The extension a filter's listed name ends with in parentheses, lower
// case with its dot ("Subtitles (.srt)" gives ".srt"); empty when none.
std::string FilterExtension(std::u16string_view filterName);

// Translates the UTF-8 document `bytes` through `filter` into the current
// TargetLanguage and writes the finished document to `out`. A byte-order
// mark is kept; line breaks go to the plug-in as CR LF and come back as
// LF when the document had no CR LF. Returns false with an error naming
// `name` when the document is not UTF-8 or the plug-in fails.
bool TranslateDocument(const FilterLibrary& filter, std::string_view bytes, std::string_view name,
                       std::string& out, std::string& error);

}  // namespace pv
