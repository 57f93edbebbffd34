#include "ui/CommandStatusTexts.h"

#include "ui/CommandIds.h"

#include <QHash>

QString CommandStatusText(int commandId)
{
    using namespace CommandIds;
    static const QHash<int, QString> texts {
        {SavePrintNotes, QStringLiteral("Save\\Print Current Notes")},
        {CreateBibliography, QStringLiteral("Save\\Print Current Sources")},
        {ExportNotes, QStringLiteral("Export the current notes into an export file")},
        {BackupNotes, QStringLiteral("Back up every note into an export file")},
        {ImportNotes, QStringLiteral("Import notes from an export file")},
        {ExportNotesMarkdown,
         QStringLiteral("Write the current notes as Markdown files with a bibliography")},
        {SyncNow,
         QStringLiteral("Send this machine's changes to the sync folder and take in the other machines'")},
        {Exit, QStringLiteral("Quit Quorvel")},
        {EditOptions, QStringLiteral("Change how notes show, the agent and the spell checker")},
        {AddNote, QStringLiteral("Write a new note")},
        {DeleteNote, QStringLiteral("Delete the selected note permanently")},
        {ClearNotes, QStringLiteral("Empty the current notes list")},
        {DeleteCurrentNotes, QStringLiteral("Delete every note of the current list permanently")},
        {ViewSources, QStringLiteral("Create, edit and delete sources and their authors")},
        {ImportSources,
         QStringLiteral("Import sources from BibTeX, RIS, EndNote, MEDLINE, MODS or CSL-JSON files")},
        {EditCategoryTrees, QStringLiteral("Create, rename, move and delete categories")},
        {About, QStringLiteral("Display program information, version number and copyright")},
        {CheckForUpdates, QStringLiteral("Check for a newer version of Quorvel")},
        {UsersManual, QStringLiteral("Open the user's manual")},
        {OpenSampleNotes, QStringLiteral("Import the sample notes that come with the program")},
        {TutorialVideos, QStringLiteral("Watch the tutorial videos on the web")},
        {GoSearch, QStringLiteral("Search the notes for the words typed")},
        {SearchDropdown, QStringLiteral("Choose where to search")},
        {AccessInternet, QStringLiteral("Quorvel on the web")},
        {ToggleControlBar, QStringLiteral("Show or hide the control bar")},
    };
    return texts.value(commandId);
}
