// The one runtime error of the toolkit layer. Raising it leaves the running
// event handler at once; the dispatch boundary in runtime.h catches it.
#pragma once

#include <stdexcept>
#include <string>

namespace ui
{

enum class ErrorCode : int {
    InvalidCall = 5,
    Overflow = 6,
    SubscriptOutOfRange = 9,
    DivisionByZero = 11,
    ControlFailure = 380, // a control refused a property write
};

class RuntimeError : public std::runtime_error
{
public:
    RuntimeError(ErrorCode code, const std::string &description);

    ErrorCode code() const { return code_; }
    int number() const { return static_cast<int>(code_); }

private:
    ErrorCode code_;
};

// Throws the runtime error with the standard description of its code.
[[noreturn]] void raise(ErrorCode code);
[[noreturn]] void raise(ErrorCode code, const std::string &description);

std::string describe(ErrorCode code);

} // namespace ui
