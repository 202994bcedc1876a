#include "filters/FilterRun.h"

#include "textutil/TextConvert.h"

namespace pv {

const char16_t* const kFilterStartFailedMessage = u"Възникна грешка при стартиране на филтър [].";
const char16_t* const kFilterDoneFailedMessage = u"Възникна грешка при затваряне на филтър [].";

namespace {

bool IsBlank(std::u16string_view text) {
    for (char16_t c : text)
        if (c > u' ') return false;
    return true;
}

// A zero-terminated copy of the host's own, freed after the call.
class HostString {
public:
    explicit HostString(std::u16string_view text) : text_(NewWideZ(text)) {}
    ~HostString() { FreeWideZ(text_); }
    HostString(const HostString&) = delete;
    HostString& operator=(const HostString&) = delete;
    const PFPChar* const* Ref() const { return &text_; }

private:
    char16_t* text_;
};

}  // namespace

FilterRunResult RunFilter(const FilterLibrary& filter, std::u16string_view document,
                          const UnitTranslator& translate, const std::atomic<bool>* abort,
                          const std::function<void(int32_t)>& progress) {
    FilterRunResult result;
    {
        HostString text(document);
        if (!filter.Start(text.Ref())) {
            result.message = kFilterStartFailedMessage;
            return result;
        }
    }
    for (;;) {
        int32_t status = 0, percent = 0;
        if (filter.GetStatus(&status, &percent) && progress) progress(percent);
        PFPChar* unit = nullptr;
        if (!filter.GetNextTextUnit(&unit) || !unit) break;
        std::u16string text = TakePluginString(filter.FreeStr, unit).value_or(u"");
        if (!IsBlank(text)) {
            HostString translation(translate(text));
            filter.SetCurrentUnit(translation.Ref());
        }
        if (abort && *abort) break;
    }
    PFPChar* finished = nullptr;
    if (!filter.Done(&finished)) {
        TakePluginString(filter.FreeStr, finished);
        result.message = kFilterDoneFailedMessage;
        return result;
    }
    result.document = TakePluginString(filter.FreeStr, finished).value_or(u"");
    return result;
}

}  // namespace pv
