// The Help menu's "Open Sample Notes...": the sample archive that comes with the program
// goes through the ordinary import, as a dropped or handed-over file does.
#include "app/CNotesApp.h"
#include "app/ShippedFiles.h"
#include "platform/UserPrompt.h"
#include "ui/CMainFrame.h"

#include <QFileInfo>

void CMainFrame::OnOpenSampleNotes()
{
    const QString path = ShippedFiles::Find(m_app.ProgramFolder(), ShippedFiles::SampleArchiveName());
    if (!QFileInfo::exists(path)) {
        m_prompt.Tell(QStringLiteral("The sample notes could not be found:\n%1").arg(path),
                      QStringLiteral("Open Sample Notes"), UserPrompt::Icon::Warning);
        return;
    }
    if (m_fileHandler)
        m_fileHandler(path);
}
