#include "serial/SystemErrorText.h"

#include <system_error>

std::string systemErrorSuffix(int code)
{
    return " (error " + std::to_string(code) + ": " + std::generic_category().message(code) + ")";
}
