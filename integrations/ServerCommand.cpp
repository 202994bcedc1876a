#include "integrations/ServerCommand.h"

#include <charconv>
#include <exception>
#include <mutex>
#include <vector>

#include "engine/Engine.h"
#include "integrations/FormBody.h"
#include "textutil/TextConvert.h"

namespace pv {

namespace {

constexpr std::u16string_view kTargetLangName = u"TargetLang=";

struct TargetLangError {
    std::u16string value;
};

// A decimal integer with an optional sign that fits 32 bits.
int32_t ReadTargetLang(const std::u16string& value) {
    std::string ascii;
    for (char16_t c : value) {
        if (c > 0x7F) throw TargetLangError{value};
        ascii += static_cast<char>(c);
    }
    std::string_view digits = ascii;
    const bool plus = !digits.empty() && digits[0] == '+';
    if (plus) digits.remove_prefix(1);
    if (digits.empty() || (plus && digits[0] == '-')) throw TargetLangError{value};
    int32_t result = 0;
    auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), result);
    if (ec != std::errc() || end != digits.data() + digits.size()) throw TargetLangError{value};
    return result;
}

ServiceAnswer ErrorAnswer(int status, const std::string& text) {
    ServiceAnswer answer;
    answer.status = status;
    answer.contentType = "text/plain; charset=utf-8";
    answer.body = text;
    return answer;
}

ServiceAnswer Translate(std::string_view body, int32_t language) {
    std::vector<std::string> parameters = SplitParameters(body);
    if (parameters.size() > kMaxRequestParameters)
        return ErrorAnswer(400, "A request carries at most " +
                                    std::to_string(kMaxRequestParameters) + " parameters.");

    std::vector<std::u16string> names(parameters.size());
    BatchEntries values;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        std::u16string text = WebDecode(Utf8Decode(UrlDecode(parameters[i])));
        std::size_t eq = text.find(u'=');
        if (eq == std::u16string::npos) {
            values[i] = std::move(text);
            continue;
        }
        names[i] = text.substr(0, eq + 1);
        values[i] = text.substr(eq + 1);
        if (names[i] == kTargetLangName) {
            language = ReadTargetLang(values[i]);
            values[i].clear();
            break;
        }
    }

    {
        std::lock_guard<std::recursive_mutex> lock(EngineLock());
        TargetLanguage = language;
        TranslateBatch(values);
    }
    // The batch ends at the first empty value; the texts behind it stay
    // untranslated and are answered empty rather than echoed.
    bool ended = false;
    for (std::u16string& value : values) {
        ended = ended || value.empty();
        if (ended) value.clear();
    }

    std::vector<std::string> items(parameters.size());
    for (std::size_t i = 0; i < parameters.size(); ++i)
        items[i] = Utf8Encode(names[i]) + PercentEncodeAll(Utf8Encode(values[i]));
    ServiceAnswer answer;
    answer.body = JoinItems(items);
    return answer;
}

}  // namespace

ServiceAnswer ServerCommandGet(std::string_view body, int32_t language) {
    try {
        return Translate(body, language);
    } catch (const TargetLangError& e) {
        return ErrorAnswer(500, "'" + Utf8Encode(e.value) + "' is not a valid integer value");
    } catch (const std::exception& e) {
        return ErrorAnswer(500, e.what());
    }
}

}  // namespace pv
