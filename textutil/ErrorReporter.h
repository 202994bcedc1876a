// Where the error boxes of the engine and the lexical database go: the
// desktop program shows a modal box and waits for OK; the command line and
// the HTTP service write one line to standard error and go on.
#pragma once

#include <string>

namespace pv {

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void ShowError(const std::u16string& text) = 0;
};

// Installs the reporter for the whole process; null restores standard error.
void SetErrorReporter(ErrorReporter* reporter);

// Reports one error box with the given text.
void ShowErrorBox(const std::u16string& text);

}  // namespace pv
