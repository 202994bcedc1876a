// The translation service's request handler: decodes the form body,
// translates its values as one batch and encodes the answer.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace pv {

// The largest body and the most parameters a request may carry; the value
// table of the batch has one slot per parameter.
constexpr std::size_t kMaxRequestBody = 1 << 20;
constexpr std::size_t kMaxRequestParameters = 100;

struct ServiceAnswer {
    int status = 200;
    std::string contentType = "text/html";
    std::string body;
};

// Answers one request body. `language` is the language used when the body
// names no "TargetLang". Takes the engine lock to set TargetLanguage and
// translate.
ServiceAnswer ServerCommandGet(std::string_view body, int32_t language);

}  // namespace pv
