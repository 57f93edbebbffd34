#include "app/ReadOnlyRefusal.h"

#include "format/DataFolder.h"
#include "platform/UserPrompt.h"

namespace ReadOnlyRefusal {

QString Caption()
{
    return QStringLiteral("Read-Only Data Folder");
}

bool Refuse(const DataFolder& folder, UserPrompt& prompt)
{
    if (!folder.IsReadOnly())
        return false;
    prompt.Tell(folder.ReadOnlyText(), Caption(), UserPrompt::Icon::Warning);
    return true;
}

} // namespace ReadOnlyRefusal
