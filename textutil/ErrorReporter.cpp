#include "textutil/ErrorReporter.h"

#include <atomic>
#include <cstdio>

#include "textutil/TextConvert.h"

namespace pv {

namespace {
std::atomic<ErrorReporter*> g_reporter{nullptr};
}

void SetErrorReporter(ErrorReporter* reporter) { g_reporter.store(reporter); }

void ShowErrorBox(const std::u16string& text) {
    if (ErrorReporter* reporter = g_reporter.load()) {
        reporter->ShowError(text);
        return;
    }
    std::string line = Utf8Encode(text) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

}  // namespace pv
