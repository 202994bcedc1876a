#pragma once

#include <stdexcept>
#include <string>

namespace pv {

// A failure raised inside an engine operation; the message is UTF-8.
class EngineError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace pv
