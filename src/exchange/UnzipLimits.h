#pragma once

#include <QtGlobal>

// Bounds that an archive must respect before anything is extracted from it. They stop a
// hostile or broken archive (a "zip bomb", a forged entry count, sizes that lie) early,
// with a failure, instead of filling the disk or the memory.
struct UnzipLimits
{
    qint64 maxEntries = 1000000;
    qint64 maxEntryBytes = qint64(4) << 30; // one attached file
    qint64 maxTotalBytes = qint64(32) << 30; // everything extracted
    // An entry that expands more than this many times is refused once it is larger than
    // ratioCheckFromBytes: deflate reaches about 1030:1 only on runs of one repeated byte.
    qint64 maxExpansionRatio = 400;
    qint64 ratioCheckFromBytes = qint64(16) << 20;
    // Space that must stay free on the target's file system after extraction.
    qint64 keepFreeBytes = qint64(64) << 20;
};
