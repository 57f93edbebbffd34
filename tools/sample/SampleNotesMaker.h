#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

class NoteDatabase;
class SourceStore;

// Turns the sample notes file (data/sample/SampleNotes.txt) into authors, sources and
// notes of a note database, through the same operations the program's dialogs use. The
// file's lines: "author: ...", "source: ..." and "note: ..." (described at its head).
class SampleNotesMaker
{
public:
    // attachmentFolder: where the files named by "attach=" are.
    SampleNotesMaker(NoteDatabase& database, SourceStore& sources, QString attachmentFolder);

    // False, with the line and its fault, for a malformed line.
    bool AddFile(const QString& path, QString* error);
    int NotesAdded() const { return m_notes; }

private:
    bool AddLine(const QString& line, QString* error);
    bool AddAuthor(const QStringList& parts, QString* error);
    bool AddSource(const QStringList& parts, QString* error);
    bool AddNote(const QStringList& parts, QString* error);

    NoteDatabase& m_database;
    SourceStore& m_sources;
    QString m_attachmentFolder;
    QHash<QString, qint32> m_authorIds;
    QHash<QString, qint32> m_sourceIds;
    int m_notes = 0;
};

// "**bold**", "*italic*", "__underlined__" and "\n" paragraph breaks to RTF.
QByteArray MarkedTextToRtf(const QString& text);
