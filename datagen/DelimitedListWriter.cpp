#include "datagen/DelimitedListWriter.h"

#include <algorithm>

#include "datagen/ByteWriter.h"

namespace pv {

namespace {

bool NeedsQuotes(std::string_view field, char delimiter) {
    return std::any_of(field.begin(), field.end(), [delimiter](char c) {
        return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == delimiter;
    });
}

std::string Quoted(std::string_view field) {
    std::string out = "\"";
    for (char c : field) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

}  // namespace

std::string JoinDelimited(const std::vector<std::string>& fields, char delimiter) {
    // A single empty field written bare would read back as no field at all.
    if (fields.size() == 1 && fields[0].empty()) return "\"\"";
    std::string text;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].find('\0') != std::string::npos) throw WriterError("delimited field with a 0 byte");
        if (i > 0) text += delimiter;
        text += NeedsQuotes(fields[i], delimiter) ? Quoted(fields[i]) : fields[i];
    }
    return text;
}

}  // namespace pv
