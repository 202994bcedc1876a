// The wire form of the translation service's requests and answers: the
// body split into parameters, the URL decoding of one parameter and the
// answer's items joined back into one body.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace pv {

// Splits at "&" and at every character of code 0..32 (blanks between
// parameters are skipped). A parameter that starts with '"' runs to the
// matching '"' (a doubled '"' inside stands for one) without its marks; an
// unterminated one runs to the end of the body. A body that ends with "&"
// gets one more, empty parameter; an empty or blank body has none.
std::vector<std::string> SplitParameters(std::string_view body);

// "+" becomes a blank; "%" and two hexadecimal digits become that byte when
// it is 1..255. A "%" not followed by two hexadecimal digits, or giving 0,
// is dropped together with the (up to two) characters after it.
std::string UrlDecode(std::string_view text);

// Every byte as "%" and two upper-case hexadecimal digits.
std::string PercentEncodeAll(std::string_view bytes);

// Joins with "&"; an item holding a character of code 0..32, '"' or "&" is
// quoted with '"' and its '"' doubled. A lone empty item gives "\"\"".
std::string JoinItems(const std::vector<std::string>& items);

}  // namespace pv
