#pragma once
// A property that must hold for every input: a failure aborts, which libFuzzer reports as a
// crash with the input that caused it.
#include <cstdlib>

inline void Check(bool condition)
{
    if (!condition)
        std::abort();
}
