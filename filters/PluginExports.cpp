// The nine exports of a filter plug-in, built into each plug-in library
// around its own unit rule. No exception leaves an export.
#include <optional>
#include <string>

#include "filters/FilterPlugin.h"
#include "filters/PluginDocument.h"
#include "textutil/TextConvert.h"

namespace {

pv::FilterDocument& Document() {
    static pv::FilterDocument document;
    return document;
}

std::u16string_view InText(const pv::PFPChar* const* text) {
    if (text == nullptr || *text == nullptr) return {};
    return std::u16string_view(*text, pv::WideZLength(*text));
}

}  // namespace

PFP_EXPORT pv::PFPBool PFPGetInfo(pv::PFPChar** name, pv::PFPChar** version,
                                  pv::PFPChar** description, pv::PFPChar** author,
                                  pv::PFPChar** email, pv::PFPChar** reserved) {
    if (!name || !version || !description || !author || !email || !reserved) return 0;
    try {
        const pv::PluginIdentity& identity = pv::ThisPluginIdentity();
        *name = pv::NewWideZ(identity.name);
        *version = pv::NewWideZ(identity.version);
        *description = pv::NewWideZ(identity.description);
        *author = pv::NewWideZ(identity.author);
        *email = pv::NewWideZ(identity.email);
        *reserved = pv::NewWideZ(std::u16string_view());
        return 1;
    } catch (...) {
        return 0;
    }
}

PFP_EXPORT pv::PFPBool PFPStart(const pv::PFPChar* const* text) {
    try {
        Document().Open(InText(text));
        return 1;
    } catch (...) {
        return 0;
    }
}

PFP_EXPORT pv::PFPBool PFPGetNextTextUnit(pv::PFPChar** unit) {
    if (!unit) return 0;
    *unit = nullptr;
    try {
        std::optional<std::u16string> next = pv::NextTextUnit(Document(), pv::ThisPluginRule());
        if (next) *unit = pv::NewWideZ(*next);
        return 1;
    } catch (...) {
        return 0;
    }
}

PFP_EXPORT pv::PFPBool PFPSetCurrentUnit(const pv::PFPChar* const* text) {
    try {
        std::u16string replacement(InText(text));
        replacement += pv::ThisPluginRule().WriteBackEnding();
        Document().ReplaceCurrent(replacement);
        return 1;
    } catch (...) {
        return 0;
    }
}

PFP_EXPORT pv::PFPBool PFPDone(pv::PFPChar** document) {
    if (!document) return 0;
    try {
        *document = pv::NewWideZ(Document().text);
        return 1;
    } catch (...) {
        return 0;
    }
}

PFP_EXPORT pv::PFPBool PFPSetOptions() { return 1; }

PFP_EXPORT pv::PFPBool PFPIsOptions() { return 0; }

PFP_EXPORT pv::PFPBool PFPGetStatus(int32_t* status, int32_t* percent) {
    if (!status || !percent) return 0;
    *status = 1;
    *percent = Document().Percent();
    return 1;
}

PFP_EXPORT void PFPFreeStr(pv::PFPChar** text) {
    if (text) pv::FreeWideZ(*text);
}
