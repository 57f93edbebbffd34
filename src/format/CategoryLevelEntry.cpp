#include "format/CategoryLevelEntry.h"

void CategoryLevelEntry::Reset(bool keepLevel)
{
    if (!keepLevel)
        level = -1;
    name = UnassignedCategoryName();
    parentName = UnassignedCategoryName();
    ancestorPath.clear();
}
