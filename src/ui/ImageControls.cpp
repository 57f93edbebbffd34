#include "ui/ImageControls.h"

#include <algorithm>

namespace ImageControls {

int MaxShift(int imageWidth, int areaWidth)
{
    return std::max(0, areaWidth - imageWidth);
}

void Apply(AttachmentRecord& attachment, Action action, int maxShift)
{
    switch (action) {
    case Action::ZoomIn:
        attachment.ImageScale += ScaleStep;
        break;
    case Action::ZoomOut:
        attachment.ImageScale -= ScaleStep;
        if (attachment.ImageScale <= MinimumScale)
            attachment.ImageScale = MinimumScale;
        break;
    case Action::ShiftLeft:
        attachment.AttachmentValue = std::clamp(attachment.AttachmentValue - ShiftStep, 0, maxShift);
        break;
    case Action::ShiftRight:
        attachment.AttachmentValue = std::clamp(attachment.AttachmentValue + ShiftStep, 0, maxShift);
        break;
    case Action::Restore:
        attachment.ImageScale = 1.0;
        attachment.AttachmentValue = 0;
        break;
    case Action::None:
        break;
    }
}

} // namespace ImageControls
