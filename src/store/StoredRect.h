#pragma once

#include <QtGlobal>

// A window rectangle as the settings keep it: left, top, right and bottom in pixels,
// stored as 16 raw bytes (four little-endian 32-bit integers in that order). All zeros
// means "no position saved": the window takes the system's default placement.
struct StoredRect
{
    qint32 left = 0;
    qint32 top = 0;
    qint32 right = 0;
    qint32 bottom = 0;

    bool IsNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    qint32 Width() const { return right - left; }
    qint32 Height() const { return bottom - top; }
    bool operator==(const StoredRect&) const = default;
};
