#include "serial/ComBackend.h"

#include "serial/PosixComBackend.h"

std::unique_ptr<ComBackend> makeComBackend()
{
    return std::make_unique<PosixComBackend>();
}
