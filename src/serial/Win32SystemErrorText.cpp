#include "serial/SystemErrorText.h"

std::string systemErrorSuffix(int code)
{
    return " (win error code: " + std::to_string(code) + ")";
}
