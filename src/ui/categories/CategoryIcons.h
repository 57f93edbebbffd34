#pragma once

#include <QIcon>

// The 19 by 20 pixel icons of category items: one per level (0 to 3), a variant for a
// category without notes, and the variant of an active item on the control bar.
namespace CategoryIcons {

enum class Variant
{
    Normal,
    Empty,
    Active
};

QIcon Make(int depth, Variant variant);

} // namespace CategoryIcons
