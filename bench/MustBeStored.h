#pragma once

#include "format/FileStatus.h"

#include <cstdio>
#include <cstdlib>

// The benchmarks write their data folders first: one that cannot be written measures
// nothing, so the run stops and says why.
inline void MustBeStored(const FileStatus& stored)
{
    if (stored)
        return;
    std::fprintf(stderr, "%s\n", stored.Message().toLocal8Bit().constData());
    std::exit(1);
}
