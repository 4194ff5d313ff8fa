// Runtime error type and the standard descriptions of its codes.
#include "error.h"

namespace ui
{

RuntimeError::RuntimeError(ErrorCode code, const std::string &description)
    : std::runtime_error(description), code_(code)
{
}

std::string describe(ErrorCode code)
{
    switch (code) {
    case ErrorCode::InvalidCall:
        return "Invalid procedure call or argument";
    case ErrorCode::Overflow:
        return "Overflow";
    case ErrorCode::SubscriptOutOfRange:
        return "Subscript out of range";
    case ErrorCode::DivisionByZero:
        return "Division by zero";
    case ErrorCode::ControlFailure:
        return "Invalid property value";
    }
    return "Unknown error";
}

void raise(ErrorCode code)
{
    throw RuntimeError(code, describe(code));
}

void raise(ErrorCode code, const std::string &description)
{
    throw RuntimeError(code, description);
}

} // namespace ui
