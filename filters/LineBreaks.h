// Line breaks of documents handed to the filter plug-ins, whose unit rules
// read CR LF line breaks.
#pragma once

#include <string>
#include <string_view>

namespace pv {

// Every line break (CR LF, a lone LF or a lone CR) as CR LF.
std::u16string ToCrLf(std::u16string_view text);

// Every CR LF as LF; other characters stay.
std::u16string CrLfToLf(std::u16string_view text);

}  // namespace pv
