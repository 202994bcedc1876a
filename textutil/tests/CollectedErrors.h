// Collects the error boxes shown while it lives.
#pragma once

#include <string>
#include <vector>

#include "textutil/ErrorReporter.h"

namespace pv::testing {

class CollectedErrors : public ErrorReporter {
public:
    CollectedErrors() { SetErrorReporter(this); }
    ~CollectedErrors() override { SetErrorReporter(nullptr); }
    void ShowError(const std::u16string& text) override { texts.push_back(text); }
    std::vector<std::u16string> texts;
};

}  // namespace pv::testing
