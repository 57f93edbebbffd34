#pragma once

#include "format/NoteRecord.h"

// The small controls drawn over an image attachment in the note view: zoom in and out in
// steps of 0.05 (never below 0.05), shift left and right by 10 pixels (kept inside the
// note), restore to scale 1.0 and no shift. Each change is written back to the note file
// (NoteDatabase::StoreAttachmentSettings).
namespace ImageControls {

enum class Action
{
    None = -1,
    ZoomIn = 0,
    ZoomOut,
    ShiftLeft,
    ShiftRight,
    Restore
};
constexpr int ActionCount = 5;
constexpr double ScaleStep = 0.05;
constexpr double MinimumScale = 0.05;
constexpr int ShiftStep = 10;

// Applies the action to the attachment. maxShift is how far right the image may move
// and still stay inside the note (0 when it fills the note: then it cannot be shifted).
void Apply(AttachmentRecord& attachment, Action action, int maxShift);
// The furthest shift that keeps an image of that width inside a note area of that width.
int MaxShift(int imageWidth, int areaWidth);

} // namespace ImageControls
