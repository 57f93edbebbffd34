#pragma once

// Generated notes for the search and sort benchmarks: texts of 0.5 to 4 KB drawn from a
// vocabulary of made-up words, about 70% of the notes tied to one of 500 sources (one
// SRC file each), the rest in DAY files; category paths from a small tree.

#include "MedianTime.h"
#include "MustBeStored.h"
#include "format/AuthorsFile.h"
#include "format/DataFolder.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <functional>
#include <map>
#include <vector>

namespace ListsBench {

constexpr int kSources = 500;
constexpr int kVocabulary = 3000;

inline const QStringList& Vocabulary()
{
    static const QStringList words = [] {
        static const char* syllables[] = {"ka", "lo",  "mi",  "ne", "tor", "va", "shi", "ren", "pa", "du",
                                          "el", "qui", "ros", "ta", "bin", "ze", "ga",  "hu",  "fo", "lix"};
        QRandomGenerator random(99);
        QStringList list;
        while (list.size() < kVocabulary) {
            QString word;
            for (int s = 2 + random.bounded(3); s > 0; --s)
                word += QLatin1String(syllables[random.bounded(20)]);
            if (!list.contains(word))
                list.append(word);
        }
        return list;
    }();
    return words;
}

inline QString Text(QRandomGenerator& random, int bytes)
{
    const QStringList& words = Vocabulary();
    QString text;
    text.reserve(bytes + 16);
    bool sentenceStart = true;
    while (text.size() < bytes) {
        QString word = words.at(random.bounded(kVocabulary));
        if (sentenceStart)
            word[0] = word[0].toUpper();
        text += word;
        sentenceStart = random.bounded(12) == 0;
        text += sentenceStart ? (random.bounded(5) == 0 ? QStringLiteral(".\n") : QStringLiteral(". "))
                              : QStringLiteral(" ");
    }
    return text;
}

// RTF as the editor writes it: a header, then one \par per line.
inline QString Rtf(const QString& text)
{
    QString rtf
        = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fswiss\\fcharset0 "
                         "Arial;}}\r\n\\viewkind4\\uc1\\pard\\f0\\fs20 ");
    QString body = text;
    body.replace(QLatin1Char('\n'), QStringLiteral("\\par\r\n"));
    rtf += body;
    rtf += QStringLiteral("\\par\r\n}\r\n");
    return rtf;
}

inline CategoryAssignment Path(QRandomGenerator& random)
{
    static const char* names[] = {"History", "science", "Art",     "music",   "Poetry", "Law",
                                  "physics", "Biology", "letters", "Economy", "Travel", "Maps"};
    CategoryAssignment categories;
    const int depth = random.bounded(5); // 0: unassigned
    for (int level = 0; level < depth; ++level) {
        CategoryLevelEntry* entry = categories.FindEntry(level);
        entry->name = QLatin1String(names[random.bounded(12)]) + QString::number(level);
        entry->parentName = level == 0 ? QString() : categories.FindEntry(level - 1)->name;
    }
    return categories;
}

inline NoteRecord Note(QRandomGenerator& random, int id)
{
    NoteRecord note;
    note.NoteID = id;
    note.SourceID = random.bounded(10) < 7 ? 1001 + random.bounded(kSources) : 0;
    note.DateAdded
        = DateTime::FromParts(2005 + random.bounded(15), 1 + random.bounded(12), 1 + random.bounded(28),
                              random.bounded(24), random.bounded(60), random.bounded(60));
    note.LastEdited = note.DateAdded;
    note.NoteGUID = QStringLiteral("{%1-0000-0000-0000-000000000000}").arg(id, 8, 10, QLatin1Char('0'));
    note.KeyWords = Vocabulary().at(random.bounded(kVocabulary));
    // Plain text and RTF together make a record of 0.5 to 4 KB.
    note.PlainText = Text(random, 120 + random.bounded(1700));
    note.RichText = Rtf(note.PlainText);
    note.Categories = Path(random);
    return note;
}

inline SourceList Sources(QRandomGenerator& random)
{
    SourceList sources;
    for (int i = 0; i < kSources; ++i) {
        SourceRecord source;
        source.SourceId = 1001 + i;
        source.SourceGUID = QStringLiteral("{SOURCE-%1}").arg(i);
        source.Style = i % 14;
        source.Type = 1 + i % 7;
        source.Fields[0] = Text(random, 20).trimmed();
        source.Fields[1] = Text(random, 12).trimmed();
        source.AuthorIds = {2 + i % 50};
        sources.append(source);
    }
    return sources;
}

inline AuthorList Authors()
{
    AuthorList authors;
    for (int i = 0; i < 50; ++i) {
        AuthorRecord author;
        author.AuthorId = i + 2;
        author.FirstName = QStringLiteral("First%1").arg(i);
        author.LastName = (i % 3 == 0 ? QStringLiteral("van Last%1") : QStringLiteral("Last%1")).arg(i);
        authors.append(author);
    }
    return authors;
}

// Notes only, in memory.
inline NotesList Notes(int count)
{
    QRandomGenerator random(2112);
    NotesList notes;
    notes.reserve(count);
    for (int i = 0; i < count; ++i)
        notes.append(Note(random, 1001 + i));
    return notes;
}

// A whole data root: sources, authors and note files.
inline void Generate(const DataFolder& folder, int count)
{
    MustBeStored(folder.CreateFolders());
    QRandomGenerator random(7);
    MustBeStored(WriteSourcesFile(
        FileSystem::Real(), folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), Sources(random)));
    MustBeStored(WriteAuthorsFile(FileSystem::Real(),
                                  folder.FullPath(QStringLiteral("Data Files\\Authors.dat")), Authors()));
    std::map<QString, NotesList> files;
    for (NoteRecord& note : Notes(count))
        files[NoteFileBaseName(note)].append(std::move(note));
    const QDir notes(folder.NotesFolder());
    for (const auto& [name, list] : files)
        MustBeStored(WriteNoteFile(FileSystem::Real(), notes.filePath(name), list));
}

// The lists benchmarks time their steps with the shared median.
using ::MedianMs;

} // namespace ListsBench
