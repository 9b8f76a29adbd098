#include "common/FileSizeLimit.h"

FileSizeLimit::FileSizeLimit(std::uint64_t) { }

FileSizeLimit::~FileSizeLimit() = default;

bool FileSizeLimit::supported()
{
    return false;
}
