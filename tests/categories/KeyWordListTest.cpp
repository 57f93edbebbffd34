#include "categories/KeyWordList.h"

#include "format/NoteRecord.h"

#include <QJsonDocument>
#include <algorithm>
#include <gtest/gtest.h>
#include <random>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

QStringList Words(const KeyWordList& list)
{
    QStringList words;
    for (const KeyWordEntry& entry : list.Entries())
        words.append(entry.word);
    return words;
}

QList<qint32> NotesOf(const KeyWordList& list, const QString& word)
{
    const KeyWordEntry* entry = list.Find(word);
    return entry ? entry->notes.Ids() : QList<qint32> {};
}

// The splitting rule step by step, on copies: commas cut from both ends, blanks from the
// start; nothing for blanks and commas alone; one word when the first comma leads (or
// the text is one character); else every comma-separated piece, trimmed.
QStringList SplitStepByStep(QString text)
{
    while (text.endsWith(QLatin1Char(',')))
        text.chop(1);
    while (text.startsWith(QLatin1Char(',')))
        text.remove(0, 1);
    while (!text.isEmpty() && text.at(0).isSpace())
        text.remove(0, 1);
    if (std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace() || c == QLatin1Char(','); }))
        return {};
    if (text.indexOf(QLatin1Char(',')) > 0 && text.size() > 1) {
        QStringList words;
        for (const QString& piece : text.split(QLatin1Char(',')))
            words.append(piece.trimmed());
        return words;
    }
    return {text.trimmed()};
}

} // namespace

TEST(KeyWordList, SplittingAgreesWithTheRuleOnAnyText)
{
    const QString alphabet = QStringLiteral("ab, \t\u00a0,");
    std::mt19937 random(42);
    for (int round = 0; round < 20000; ++round) {
        QString text;
        for (int i = static_cast<int>(random() % 12); i > 0; --i)
            text.append(alphabet.at(static_cast<qsizetype>(random() % alphabet.size())));
        ASSERT_EQ(KeyWordList::SplitKeyWords(text), SplitStepByStep(text)) << text.toStdString();
    }
}

TEST(KeyWordList, SplittingCutsAtCommasAndTrimsEachWord)
{
    const struct
    {
        const char* text;
        QStringList words;
    } cases[] = {
        {"Art, Science,History", {S("Art"), S("Science"), S("History")}},
        {"a, b", {S("a"), S("b")}},
        {"a,b", {S("a"), S("b")}},
        {"  a  ,  b  ,", {S("a"), S("b")}},
        {",,a,b,,", {S("a"), S("b")}},
        {"a,,b", {S("a"), QString(), S("b")}}, // two commas carry an empty word
        {"a, b, ", {S("a"), S("b"), QString()}}, // a blank after the last comma is a piece
        {"  single word  ", {S("single word")}},
        {"x", {S("x")}},
        {", Art,", {S("Art")}},
        {"", {}},
        {"   ", {}},
        {" , , ,", {}},
        {",,,", {}},
        {" , ", {}},
        {", ,a", {S(",a")}}, // first comma at the very start: the whole text is one word
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeyWordList::SplitKeyWords(S(c.text)), c.words) << c.text;
}

TEST(KeyWordList, EntriesKeepFirstMetOrderAndEachNoteOnce)
{
    KeyWordList list;
    list.AddNoteKeyWords(1, S("History, Art"));
    list.AddNoteKeyWords(2, S("art, Art, Science"));
    list.AddNoteKeyWords(3, S("Science,History"));
    list.AddNoteKeyWords(4, S(" , "));

    EXPECT_EQ(Words(list), (QStringList {S("History"), S("Art"), S("art"), S("Science")}));
    EXPECT_EQ(NotesOf(list, S("Art")), (QList<qint32> {1, 2}));
    EXPECT_EQ(NotesOf(list, S("art")), (QList<qint32> {2}));
    EXPECT_EQ(NotesOf(list, S("History")), (QList<qint32> {1, 3}));
    EXPECT_EQ(list.Find(S("ART")), nullptr);
    EXPECT_EQ(list.At(0).id, -1);

    EXPECT_EQ(QJsonDocument(list.ToJson()).toJson(QJsonDocument::Compact),
              QByteArrayLiteral(R"([{"notes":[1,3],"word":"History"},{"notes":[1,2],"word":"Art"},)"
                                R"({"notes":[2],"word":"art"},{"notes":[2,3],"word":"Science"}])"));

    list.NumberEntries();
    EXPECT_EQ(list.At(3).id, 3);
    list.Clear();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.Find(S("Art")), nullptr);
}

TEST(KeyWordList, RemovingANoteDeletesWordsLeftWithoutNotes)
{
    KeyWordList list;
    list.AddNoteKeyWords(1, S("a, b, c"));
    list.AddNoteKeyWords(2, S("b"));
    list.AddNoteKeyWords(3, S("c, d"));

    list.RemoveNoteKeyWords(1);
    EXPECT_EQ(Words(list), (QStringList {S("b"), S("c"), S("d")}));
    EXPECT_EQ(NotesOf(list, S("b")), (QList<qint32> {2}));
    list.RemoveNoteKeyWords(77); // carries nothing: no-op
    EXPECT_EQ(list.Count(), 3);

    // Adjacent entries emptied at once are both deleted, and lookups stay right after.
    list.RemoveNoteKeyWords(3);
    EXPECT_EQ(Words(list), QStringList {S("b")});
    list.AddNoteKeyWords(4, S("d, b"));
    EXPECT_EQ(Words(list), (QStringList {S("b"), S("d")}));
    EXPECT_EQ(NotesOf(list, S("b")), (QList<qint32> {2, 4}));
    EXPECT_EQ(NotesOf(list, S("d")), (QList<qint32> {4}));

    // A note filed twice, with repeated words, leaves every word it reached.
    list.AddNoteKeyWords(8, S("e, e"));
    list.AddNoteKeyWords(8, S("f, e, b"));
    EXPECT_EQ(Words(list), (QStringList {S("b"), S("d"), S("e"), S("f")}));
    list.RemoveNoteKeyWords(8);
    EXPECT_EQ(Words(list), (QStringList {S("b"), S("d")}));
    EXPECT_EQ(NotesOf(list, S("b")), (QList<qint32> {2, 4}));

    // A copy keeps working on its own.
    KeyWordList copy = list;
    copy.RemoveNoteKeyWords(2);
    copy.RemoveNoteKeyWords(4);
    EXPECT_TRUE(copy.IsEmpty());
    EXPECT_EQ(Words(list), (QStringList {S("b"), S("d")}));
    list.Clear();
    list.RemoveNoteKeyWords(2);
    list.AddNoteKeyWords(2, S("b"));
    EXPECT_EQ(NotesOf(list, S("b")), QList<qint32> {2});
}

TEST(KeyWordList, TextsOfAddedAndRemovedWords)
{
    EXPECT_EQ(KeyWordList::WithKeyWordAppended(QString(), S("Art")), S(", Art,"));
    EXPECT_EQ(KeyWordList::WithKeyWordAppended(S("a, b, , "), S("c")), S("a, b, , c,"));
    EXPECT_EQ(KeyWordList::WithKeyWordAppended(S("a,  ,"), S("c")), S("a,  , c,"));
    EXPECT_EQ(KeyWordList::WithKeyWordRemoved(S("Art, Smart,"), S("Art")), S(" Smart,"));
    EXPECT_EQ(KeyWordList::WithKeyWordRemoved(S("Smart, Art"), S("Art")), S("Smart,"));
    EXPECT_EQ(KeyWordList::WithKeyWordRemoved(S(" Art ,x, Art,Art"), S("Art")), S("x,"));
    EXPECT_EQ(KeyWordList::WithKeyWordRemoved(S("art, Arts"), S("Art")), S("art, Arts"));
}

TEST(KeyWordList, AttachChangesOnlyNotesThatLackTheWord)
{
    KeyWordList list;
    NotesList notes(3);
    notes[0].NoteID = 1;
    notes[0].KeyWords = S("Art");
    notes[1].NoteID = 2;
    notes[1].KeyWords = QString();
    notes[2].NoteID = 3;
    notes[2].KeyWords = S("History, ");
    for (const NoteRecord& note : notes)
        list.AddNoteKeyWords(note.NoteID, note.KeyWords);

    const QList<int> changed = list.AttachKeyWordToNotes(*list.Find(S("Art")), notes);
    EXPECT_EQ(changed, (QList<int> {1, 2}));
    EXPECT_EQ(notes[0].KeyWords, S("Art"));
    EXPECT_EQ(notes[1].KeyWords, S(", Art,"));
    EXPECT_EQ(notes[2].KeyWords, S("History, Art,"));
    EXPECT_EQ(KeyWordList::SplitKeyWords(notes[1].KeyWords), QStringList {S("Art")});
    EXPECT_EQ(Words(list), (QStringList {S("Art"), S("History")}));
    EXPECT_EQ(NotesOf(list, S("Art")), (QList<qint32> {1, 2, 3}));
    EXPECT_EQ(NotesOf(list, S("History")), (QList<qint32> {3}));

    // Attaching again changes no text.
    EXPECT_TRUE(list.AttachKeyWordToNotes(*list.Find(S("Art")), notes).isEmpty());
    EXPECT_EQ(notes[2].KeyWords, S("History, Art,"));
}

TEST(KeyWordList, RemoveCutsOnlyExactItemsAndForgetsTheWordWhenLastNoteGoes)
{
    KeyWordList list;
    NotesList notes(2);
    notes[0].NoteID = 5;
    notes[0].KeyWords = S("Art, Smart");
    notes[1].NoteID = 6;
    notes[1].KeyWords = S("Smart  ");
    NoteRecord elsewhere;
    elsewhere.NoteID = 7;
    elsewhere.KeyWords = S("Art");
    list.AddNoteKeyWords(5, notes[0].KeyWords);
    list.AddNoteKeyWords(6, notes[1].KeyWords);
    list.AddNoteKeyWords(7, elsewhere.KeyWords);

    const QList<int> changed = list.RemoveKeyWordFromNotes(*list.Find(S("Art")), notes);
    EXPECT_EQ(changed, QList<int> {0});
    EXPECT_EQ(notes[0].KeyWords, S("Smart"));
    EXPECT_EQ(notes[1].KeyWords, S("Smart  ")); // never carried Art: untouched, blanks too
    EXPECT_EQ(NotesOf(list, S("Art")), QList<qint32> {7}); // a note outside the list keeps it
    // Every visited note was taken out and filed again, in list order.
    EXPECT_EQ(NotesOf(list, S("Smart")), (QList<qint32> {5, 6}));

    NotesList last {elsewhere};
    EXPECT_EQ(list.RemoveKeyWordFromNotes(*list.Find(S("Art")), last), QList<int> {0});
    EXPECT_EQ(last[0].KeyWords, QString());
    EXPECT_EQ(list.Find(S("Art")), nullptr);
    EXPECT_EQ(Words(list), QStringList {S("Smart")});
}

// The list-wide commands work on a copy of the entry taken before the first note: the
// live entry changes while the notes are visited.
TEST(KeyWordList, CommandsUseTheEntryAsItWasWhenTheyStarted)
{
    KeyWordList list;
    NotesList notes(2);
    notes[0].NoteID = 1;
    notes[0].KeyWords = S("Art");
    notes[1].NoteID = 2;
    notes[1].KeyWords = S("Art");
    list.AddNoteKeyWords(1, S("Art"));
    list.AddNoteKeyWords(2, S("Art"));

    EXPECT_EQ(list.RemoveKeyWordFromNotes(*list.Find(S("Art")), notes), (QList<int> {0, 1}));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(notes[1].KeyWords, QString());
}
