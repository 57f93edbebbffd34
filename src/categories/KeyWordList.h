#pragma once

#include "categories/KeyWordEntry.h"

#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QStringList>

struct NoteRecord;

// Every distinct key word of the database with the notes that carry it, in the order in
// which each word was first met. Words are compared exactly, so "Art" and "art" are two
// key words. An entry lives only while some note carries it.
//
// A note's key words are one line of text separated by commas; the note keeps the line
// as typed, and this list is rebuilt from those lines at every load.
class KeyWordList
{
public:
    int Count() const { return static_cast<int>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.isEmpty(); }
    const KeyWordEntry& At(int index) const { return m_entries.at(index); }
    const QList<KeyWordEntry>& Entries() const { return m_entries; }
    // The entry with exactly that word, or nullptr.
    const KeyWordEntry* Find(const QString& word) const;

    // Files the note under every key word of its text (see SplitKeyWords); a new word is
    // appended at the end, a known one gains the id unless it holds it already.
    void AddNoteKeyWords(qint32 noteId, const QString& keyWordText);
    // The same for a note that no entry holds yet (the load's first sight of an id),
    // without asking each word's notes whether they hold it.
    void AddKeyWordsOfNewNote(qint32 noteId, const QString& keyWordText);
    // Takes the note out of every key word; words left without notes are deleted.
    void RemoveNoteKeyWords(qint32 noteId);
    void Clear();
    // Sets each entry's id to its position, as the views that show the list do.
    void NumberEntries();

    // The list-wide commands, for one note of the current list: the note leaves the list,
    // its text gains (or loses) the entry's word, and it is filed again. entry must be a
    // copy taken before the first note was visited. Returns true when keyWords changed,
    // that is when the note must be written back to its file; a note that already carries
    // the word (or, for removal, does not carry it) keeps its text untouched.
    bool AttachKeyWordToNote(const KeyWordEntry& entry, qint32 noteId, QString& keyWords);
    bool RemoveKeyWordFromNote(const KeyWordEntry& entry, qint32 noteId, QString& keyWords);

    // "Attach All Notes In List To This Key Word" and "Remove Key Word From All Notes In
    // List" over the current notes list, in list order, on a copy of entry taken first.
    // The KeyWords of the notes change in place; the result holds the positions of the
    // notes that changed, which the caller writes back to their note files. LastEdited
    // is left alone.
    QList<int> AttachKeyWordToNotes(KeyWordEntry entry, QList<NoteRecord>& notes);
    QList<int> RemoveKeyWordFromNotes(KeyWordEntry entry, QList<NoteRecord>& notes);

    // The key words of a text:
    //   "Art, Science,History"  #=> ["Art", "Science", "History"]
    //   " a , b ,"              #=> ["a", "b"]
    //   "a,,b"                  #=> ["a", "", "b"]   (two commas carry an empty word)
    //   " , ,"                  #=> []
    // Commas are cut from both ends and blanks from the start; a text whose first comma
    // is then its first character (", ,a") counts as one word.
    static QStringList SplitKeyWords(const QString& keyWordText);
    // How the program writes an added word: "a, b " + "c" #=> "a, b, c,".
    static QString WithKeyWordAppended(const QString& keyWordText, const QString& word);
    // Drops every comma-separated item equal to word (blanks around it ignored) together
    // with the comma after it: "Art, Smart," - "Art" #=> " Smart,".
    static QString WithKeyWordRemoved(const QString& keyWordText, const QString& word);

    // [{"word", "notes": [ids]}] in list order.
    QJsonArray ToJson() const;

    friend bool operator==(const KeyWordList& a, const KeyWordList& b) { return a.m_entries == b.m_entries; }

private:
    void Merge(const QString& word, qint32 noteId);
    void RebuildPositions();
    // Makes m_wordsOfNote whole again after new notes were added without it.
    void KeepWordsOfNote();

    QList<KeyWordEntry> m_entries;
    // Position of each word in m_entries, so that a load need not scan the list per word.
    QHash<QString, int> m_positions;
    // The words that hold each note, so that taking a note out visits only its own words.
    // The load does not keep it (100,000 small lists nobody may ask for): it is made
    // whole at the first removal.
    QHash<qint32, QStringList> m_wordsOfNote;
    bool m_wordsOfNoteKept = true;
};
