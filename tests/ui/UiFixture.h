#pragma once

// A small data root for the window tests: a few notes written as note files into a
// temporary "Data Files" tree, and an application object over it with scripted answers.

#include "app/CNotesApp.h"
#include "format/DataFolder.h"
#include "format/NoteFile.h"
#include "format/NoteRecord.h"
#include "store/MemorySettingsBackend.h"
#include "support/ScriptedPrompt.h"

#include <QDir>
#include <QTemporaryDir>
#include <memory>

namespace UiFixture {

inline NoteRecord MakeNote(qint32 id, const QString& text, int day)
{
    NoteRecord note;
    note.NoteID = id;
    note.PlainText = text;
    note.RichText = QStringLiteral("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 ") + text
        + QStringLiteral("\\par}");
    note.DateAdded = DateTime::FromParts(2008, 8, day, 10, 0, 0);
    note.LastEdited = note.DateAdded;
    return note;
}

// Writes the notes, grouped into their note files, under root.
inline void WriteNotes(const QString& root, const NotesList& notes)
{
    const DataFolder folder(root, root);
    static_cast<void>(folder.CreateFolders());
    QMap<QString, NotesList> files;
    for (const NoteRecord& note : notes)
        files[folder.FullPath(NoteFileName(note))].append(note);
    for (auto it = files.cbegin(); it != files.cend(); ++it)
        if (!WriteNoteFile(FileSystem::Real(), it.key(), it.value()))
            qFatal("the test's note files could not be written");
}

// The three notes of the fixture: ids 1001, 1002 and 1003 on three days of August 2008.
inline NotesList ThreeNotes()
{
    return {MakeNote(1001, QStringLiteral("Apple pie with pear"), 14),
            MakeNote(1002, QStringLiteral("Only apple here"), 15),
            MakeNote(1003, QStringLiteral("Nothing of interest"), 16)};
}

struct App
{
    QTemporaryDir dir;
    MemorySettingsBackend settings;
    ScriptedPrompt prompt;
    std::unique_ptr<CNotesApp> app;

    explicit App(StartupHooks hooks = {}, const NotesList& notes = ThreeNotes())
    {
        WriteNotes(dir.path(), notes);
        AppEnvironment environment;
        environment.dataRoot = dir.path();
        environment.programFolder = dir.path();
        environment.settingsBackend = &settings;
        environment.prompt = &prompt;
        environment.searchIndexFolder = QDir(dir.path()).filePath(QStringLiteral("SearchIndex"));
        app = std::make_unique<CNotesApp>(environment, std::move(hooks));
    }
};

} // namespace UiFixture
