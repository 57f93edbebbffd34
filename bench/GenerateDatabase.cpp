// Writes a realistic "Data Files" tree for the benchmarks: N notes (default 100,000) in
// DAY and SRC note files, N/20 sources with authors, a four-level category vocabulary of
// a few hundred names, a key word vocabulary, rich texts of 0.5 to 4 KB with RTF
// formatting, and a few attachments. The same seed always gives the same database.
// With CATEGORIES the notes are filed in a wide outline of that many categories instead:
// CATEGORIES / 4 Level 1 categories with three subcategories each, every category
// holding notes (for the control bar and the category editor at scale).
//
//   GenerateDatabase DATA_ROOT [NOTES] [CATEGORIES]

#include "MustBeStored.h"
#include "format/AuthorsFile.h"
#include "format/DataFolder.h"
#include "format/FieldWriter.h"
#include "format/NoteFile.h"
#include "format/SourcesFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <cstdio>
#include <random>

namespace {

class Generator
{
public:
    explicit Generator(int noteCount)
        : m_noteCount(noteCount)
    {
        static const char* syllables[]
            = {"ka",  "lo",  "mi", "ne",  "tor", "va", "shi", "ren", "pa",  "du",  "el",
               "qui", "ros", "ta", "bin", "ze",  "ga", "hu",  "fo",  "lix", "mor", "sel"};
        for (int i = 0; i < 4000; ++i) {
            QString word;
            const int parts = 1 + Pick(3);
            for (int p = 0; p < parts; ++p)
                word += QLatin1String(syllables[Pick(std::size(syllables))]);
            m_words.append(word);
        }
        for (int i = 0; i < 300; ++i)
            m_keyWords.append(Capital(Word()) + (i % 3 == 0 ? QLatin1Char(' ') + Word() : QString()));
        // Level 1: 8 names; each has 6 children, each of those 4, each of those 2: 8 + 48 +
        // 192 + 384 paths, drawn from a pool of a few hundred names.
        for (int i = 0; i < 320; ++i)
            m_categoryNames.append(Capital(Word()) + QLatin1Char(' ') + Capital(Word()));
    }

    int Pick(size_t n) { return static_cast<int>(m_random() % n); }
    QString Word() { return m_words.at(Pick(m_words.size())); }
    static QString Capital(QString word)
    {
        if (!word.isEmpty())
            word[0] = word.at(0).toUpper();
        return word;
    }

    QStringList CategoryPath()
    {
        const int depth = Pick(5); // 0 to 4 levels; 0 leaves the note unassigned
        QStringList path;
        int index = 0;
        static const int fanOut[] = {8, 6, 4, 2};
        for (int level = 0; level < depth; ++level) {
            index = index * fanOut[level] + Pick(fanOut[level]);
            path.append(m_categoryNames.at((index * 37 + level * 101) % m_categoryNames.size()));
        }
        return path;
    }

    // Note i's path in a wide outline of about count categories.
    QStringList WidePath(int i, int count) const
    {
        static const char* below[] = {"Methods", "Sources", "Questions"};
        const int slot = i % std::max(4, count);
        QStringList path {
            QStringLiteral("Topic %1 %2").arg(m_words.at(slot / 4 % m_words.size())).arg(slot / 4)};
        if (slot % 4 != 0)
            path.append(QLatin1String(below[slot % 4 - 1]));
        return path;
    }

    QString KeyWords()
    {
        QStringList words;
        const int count = Pick(5);
        for (int i = 0; i < count; ++i)
            words.append(m_keyWords.at(Pick(m_keyWords.size())));
        return words.join(QStringLiteral(", "));
    }

    // A plain text of about the given size in paragraphs, and its RTF with bold, italic,
    // colour and font changes.
    void Texts(int targetBytes, QString* plain, QString* rtf)
    {
        *rtf = QStringLiteral(
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil\\fcharset0 Times New "
            "Roman;}{\\f1\\fswiss\\fcharset0 Arial;}}\n{\\colortbl ;\\red255\\green0\\blue0;"
            "\\red0\\green0\\blue255;}\n\\viewkind4\\uc1\\pard\\f0\\fs24 ");
        plain->clear();
        while (rtf->size() < targetBytes) {
            const int sentence = 6 + Pick(14);
            for (int w = 0; w < sentence; ++w) {
                QString word = Word();
                if (w == 0)
                    word = Capital(word);
                const int style = Pick(40);
                if (style == 0)
                    *rtf += QStringLiteral("\\b ") + word + QStringLiteral("\\b0 ");
                else if (style == 1)
                    *rtf += QStringLiteral("\\i ") + word + QStringLiteral("\\i0 ");
                else if (style == 2)
                    *rtf += QStringLiteral("\\cf1 ") + word + QStringLiteral("\\cf0 ");
                else if (style == 3)
                    *rtf += QStringLiteral("\\f1 ") + word + QStringLiteral("\\f0 ");
                else
                    *rtf += word + QLatin1Char(' ');
                *plain += word;
                *plain += QLatin1Char(w + 1 == sentence ? '.' : ' ');
            }
            if (Pick(4) == 0) {
                *rtf += QStringLiteral("\\par\n");
                *plain += QLatin1Char('\n');
            } else {
                *plain += QLatin1Char(' ');
            }
        }
        *rtf += QStringLiteral("\\par\n}\n");
    }

    std::mt19937 m_random {2112};
    int m_noteCount;
    QStringList m_words;
    QStringList m_keyWords;
    QStringList m_categoryNames;
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: GenerateDatabase DATA_ROOT [NOTES] [CATEGORIES]\n");
        return 2;
    }
    const QString rootPath = QString::fromLocal8Bit(argv[1]);
    const int noteCount = argc > 2 ? std::atoi(argv[2]) : 100000;
    const int wideCategories = argc > 3 ? std::atoi(argv[3]) : 0;
    QElapsedTimer timer;
    timer.start();

    DataFolder folder(rootPath, rootPath);
    QDir(folder.NotesFolder()).removeRecursively();
    QDir(folder.ImagesFolder()).removeRecursively();
    MustBeStored(folder.CreateFolders());
    Generator gen(noteCount);

    const int sourceCount = qMax(1, noteCount / 20);
    AuthorList authors;
    for (int i = 0; i < sourceCount / 2 + 1; ++i)
        authors.append(AuthorRecord {i + 2,
                                     Generator::Capital(gen.Word()),
                                     Generator::Capital(gen.Word()).left(1),
                                     Generator::Capital(gen.Word()),
                                     {},
                                     {}});
    MustBeStored(WriteAuthorsFile(FileSystem::Real(),
                                  folder.FullPath(QStringLiteral("Data Files\\Authors.dat")), authors));

    SourceList sources;
    for (int i = 0; i < sourceCount; ++i) {
        SourceRecord source;
        source.SourceId = 1001 + i;
        source.SourceGUID
            = QStringLiteral("{%1-0000-0000-0000-000000000000}").arg(i, 8, 16, QLatin1Char('0'));
        source.Type = 1 + gen.Pick(7);
        source.Style = gen.Pick(14);
        source.Fields[0]
            = Generator::Capital(gen.Word()) + QLatin1Char(' ') + gen.Word() + QLatin1Char(' ') + gen.Word();
        source.Fields[1] = Generator::Capital(gen.Word()) + QStringLiteral(" Press");
        source.AuthorIds = {authors.at(gen.Pick(authors.size())).AuthorId};
        if (gen.Pick(2) == 0)
            source.AuthorIds.append(authors.at(gen.Pick(authors.size())).AuthorId);
        source.Date = DateTime::FromParts(1950 + gen.Pick(70), 1 + gen.Pick(12), 1 + gen.Pick(28), 0, 0, 0);
        source.DateSet = true;
        sources.append(source);
    }
    MustBeStored(WriteSourcesFile(FileSystem::Real(),
                                  folder.FullPath(QStringLiteral("Data Files\\Sources.dat")), sources));

    // Notes grouped by file, then each file written once.
    QHash<QString, NotesList> files;
    QStringList order;
    qint64 textBytes = 0;
    int attachments = 0;
    for (int i = 0; i < noteCount; ++i) {
        NoteRecord note;
        note.NoteID = 1001 + i;
        note.SourceID = gen.Pick(10) < 6 ? sources.at(gen.Pick(sources.size())).SourceId : 0;
        note.DateAdded = DateTime::FromParts(2006 + gen.Pick(4), 1 + gen.Pick(12), 1 + gen.Pick(28),
                                             gen.Pick(24), gen.Pick(60), gen.Pick(60));
        note.LastEdited = note.DateAdded;
        note.NoteGUID = QStringLiteral("{%1-1111-2222-3333-444455556666}").arg(i, 8, 16, QLatin1Char('0'));
        note.KeyWords = gen.KeyWords();
        gen.Texts(500 + gen.Pick(3500), &note.PlainText, &note.RichText);
        textBytes += note.RichText.size() + note.PlainText.size();
        QStringList path = gen.CategoryPath();
        if (wideCategories > 0)
            path = gen.WidePath(i, wideCategories);
        for (int level = 0; level < path.size(); ++level) {
            CategoryLevelEntry* entry = note.Categories.FindEntry(level);
            entry->name = path.at(level);
            entry->parentName = level == 0 ? QString() : path.at(level - 1);
        }
        if (i % 500 == 0) {
            AttachmentRecord attachment;
            attachment.StoredName = QStringLiteral("%1.txt").arg(++attachments, 7, 10, QLatin1Char('0'));
            attachment.OriginalName = QStringLiteral("notes%1.txt").arg(i);
            attachment.Title = attachment.OriginalName;
            attachment.KindFromExtension();
            note.Attachments.append(attachment);
            QFile file(QDir(folder.ImagesFolder()).filePath(attachment.StoredName));
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArrayLiteral("attached text\n"));
        }
        const QString name = NoteFileBaseName(note);
        auto found = files.find(name);
        if (found == files.end()) {
            order.append(name);
            found = files.insert(name, {});
        }
        found->append(note);
    }
    for (const QString& name : std::as_const(order))
        MustBeStored(
            WriteNoteFile(FileSystem::Real(), QDir(folder.NotesFolder()).filePath(name), files.value(name)));

    std::printf(
        "%d notes in %lld note files, %d sources, %lld authors, %d attachments, %.1f MB of text%s, %.1f s\n",
        noteCount, static_cast<long long>(order.size()), sourceCount, static_cast<long long>(authors.size()),
        attachments, textBytes / 1e6,
        wideCategories > 0
            ? qPrintable(QStringLiteral(", %1 categories").arg(std::min(wideCategories, noteCount)))
            : "",
        timer.elapsed() / 1000.0);
    return 0;
}
