#include "editor/AttachmentExtraction.h"

#include "editor/widgets/FileDialogs.h"
#include "format/AttachmentRecord.h"
#include "format/FileSystem.h"
#include "platform/ProgressReporter.h"
#include "platform/UserPrompt.h"

#include <QFileInfo>

namespace AttachmentExtraction {

bool Extract(QWidget* parent, const AttachmentRecord& attachment, const QString& from, FileSystem& files,
             UserPrompt& prompt, ProgressReporter& progress)
{
    const QString extension = FileExtension(QFileInfo(from).fileName());
    const QString dotted = extension.isEmpty() ? QString() : QStringLiteral(".") + extension;
    const QString filter = QStringLiteral("%1 (*%2)").arg(KindName(attachment.Kind), dotted);
    const QString to = FileDialogs::SaveFileName(parent, QStringLiteral("Extract Attachment"), filter,
                                                 extension, attachment.OriginalName);
    if (to.isEmpty())
        return false;
    progress.Notify(QStringLiteral("Extracting file...."));
    // The file dialog has asked before replacing an existing file.
    FileStatus copied = files.Remove(to);
    if (copied)
        copied = files.Copy(from, to);
    progress.End();
    if (!copied)
        prompt.Tell(copied.Message(), FileStatus::Caption(), UserPrompt::Icon::Warning);
    return bool(copied);
}

} // namespace AttachmentExtraction
