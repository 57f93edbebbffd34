#include "categories/KeyWordList.h"

#include "format/NoteRecord.h"

#include <algorithm>
#include <functional>

namespace {

QString TrimmedEnd(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    return text.left(end);
}

QString WithoutEndCommas(QString text, bool start, bool end)
{
    const QChar comma = QLatin1Char(',');
    if (end) {
        while (text.endsWith(comma))
            text.chop(1);
    }
    if (start) {
        qsizetype first = 0;
        while (first < text.size() && text.at(first) == comma)
            ++first;
        text.remove(0, first);
    }
    return text;
}

} // namespace

const KeyWordEntry* KeyWordList::Find(const QString& word) const
{
    const auto found = m_positions.constFind(word);
    return found == m_positions.cend() ? nullptr : &m_entries.at(*found);
}

void KeyWordList::AddNoteKeyWords(qint32 noteId, const QString& keyWordText)
{
    for (const QString& word : SplitKeyWords(keyWordText))
        Merge(word, noteId);
}

void KeyWordList::AddKeyWordsOfNewNote(qint32 noteId, const QString& keyWordText)
{
    const QStringList words = SplitKeyWords(keyWordText);
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        // A word typed twice files the note once, as the add-if-absent of Merge does.
        if (std::find(words.cbegin(), words.cbegin() + i, word) != words.cbegin() + i)
            continue;
        const auto found = m_positions.constFind(word);
        if (found != m_positions.cend()) {
            m_entries[*found].notes.Append(noteId);
            continue;
        }
        KeyWordEntry entry;
        entry.word = word;
        entry.notes.Append(noteId);
        m_positions.insert(word, static_cast<int>(m_entries.size()));
        m_entries.append(std::move(entry));
    }
    m_wordsOfNoteKept = false;
}

void KeyWordList::KeepWordsOfNote()
{
    if (m_wordsOfNoteKept)
        return;
    m_wordsOfNote.clear();
    for (const KeyWordEntry& entry : std::as_const(m_entries)) {
        for (qint32 id : entry.notes)
            m_wordsOfNote[id].append(entry.word);
    }
    m_wordsOfNoteKept = true;
}

void KeyWordList::RemoveNoteKeyWords(qint32 noteId)
{
    KeepWordsOfNote();
    const QStringList words = m_wordsOfNote.take(noteId);
    QList<int> emptied;
    for (const QString& word : words) {
        const int position = m_positions.value(word, -1);
        if (position < 0)
            continue;
        m_entries[position].notes.RemoveAll(noteId);
        if (m_entries[position].notes.IsEmpty())
            emptied.append(position);
    }
    if (emptied.isEmpty())
        return;
    std::sort(emptied.begin(), emptied.end(), std::greater<int>());
    for (int position : emptied)
        m_entries.removeAt(position);
    RebuildPositions();
}

void KeyWordList::Clear()
{
    m_entries.clear();
    m_positions.clear();
    m_wordsOfNote.clear();
    m_wordsOfNoteKept = true;
}

void KeyWordList::NumberEntries()
{
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_entries[i].id = static_cast<qint32>(i);
}

bool KeyWordList::AttachKeyWordToNote(const KeyWordEntry& entry, qint32 noteId, QString& keyWords)
{
    RemoveNoteKeyWords(noteId);
    const QString before = keyWords;
    if (!entry.notes.Contains(noteId))
        keyWords = WithKeyWordAppended(keyWords, entry.word).trimmed();
    AddNoteKeyWords(noteId, keyWords);
    return keyWords != before;
}

bool KeyWordList::RemoveKeyWordFromNote(const KeyWordEntry& entry, qint32 noteId, QString& keyWords)
{
    RemoveNoteKeyWords(noteId);
    const QString before = keyWords;
    if (entry.notes.Contains(noteId))
        keyWords = WithKeyWordRemoved(keyWords, entry.word).trimmed();
    AddNoteKeyWords(noteId, keyWords);
    return keyWords != before;
}

QList<int> KeyWordList::AttachKeyWordToNotes(KeyWordEntry entry, QList<NoteRecord>& notes)
{
    QList<int> changed;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (AttachKeyWordToNote(entry, notes[i].NoteID, notes[i].KeyWords))
            changed.append(static_cast<int>(i));
    }
    return changed;
}

QList<int> KeyWordList::RemoveKeyWordFromNotes(KeyWordEntry entry, QList<NoteRecord>& notes)
{
    QList<int> changed;
    for (qsizetype i = 0; i < notes.size(); ++i) {
        if (RemoveKeyWordFromNote(entry, notes[i].NoteID, notes[i].KeyWords))
            changed.append(static_cast<int>(i));
    }
    return changed;
}

QStringList KeyWordList::SplitKeyWords(const QString& keyWordText)
{
    // Works on positions in the text: the load splits 100,000 of these, and each copy
    // and piece list it saves counts.
    const QStringView text(keyWordText);
    const QChar comma = QLatin1Char(',');
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == comma)
        --end;
    qsizetype begin = 0;
    while (begin < end && text[begin] == comma)
        ++begin;
    while (begin < end && text[begin].isSpace())
        ++begin;
    const QStringView rest = text.sliced(begin, end - begin);
    QStringList words;
    // Blanks and commas alone carry no key word, not even an empty one.
    if (std::all_of(rest.cbegin(), rest.cend(), [comma](QChar c) { return c.isSpace() || c == comma; }))
        return words;
    const qsizetype firstComma = rest.indexOf(comma);
    if (firstComma <= 0 || rest.size() <= 1) {
        words.append(rest.trimmed().toString());
        return words;
    }
    // The commas were cut from the end, so every piece ends at a comma: no piece after
    // the last one.
    words.reserve(rest.count(comma) + 1);
    qsizetype from = 0;
    for (qsizetype at = firstComma; at >= 0; at = rest.indexOf(comma, from)) {
        words.append(rest.sliced(from, at - from).trimmed().toString());
        from = at + 1;
    }
    words.append(rest.sliced(from).trimmed().toString());
    return words;
}

QString KeyWordList::WithKeyWordAppended(const QString& keyWordText, const QString& word)
{
    return WithoutEndCommas(TrimmedEnd(keyWordText), false, true) + QStringLiteral(", ") + word
        + QLatin1Char(',');
}

QString KeyWordList::WithKeyWordRemoved(const QString& keyWordText, const QString& word)
{
    const QStringList items = keyWordText.split(QLatin1Char(','));
    QString kept;
    for (qsizetype i = 0; i < items.size(); ++i) {
        const bool followedByComma = i + 1 < items.size();
        if (items.at(i).trimmed() == word)
            continue;
        kept += items.at(i);
        if (followedByComma)
            kept += QLatin1Char(',');
    }
    return kept;
}

QJsonArray KeyWordList::ToJson() const
{
    QJsonArray array;
    for (const KeyWordEntry& entry : m_entries)
        array.append(entry.ToJson());
    return array;
}

void KeyWordList::Merge(const QString& word, qint32 noteId)
{
    const auto found = m_positions.constFind(word);
    if (found != m_positions.cend()) {
        if (m_entries[*found].notes.AddIfAbsent(noteId) && m_wordsOfNoteKept)
            m_wordsOfNote[noteId].append(word);
        return;
    }
    if (m_wordsOfNoteKept)
        m_wordsOfNote[noteId].append(word);
    KeyWordEntry entry;
    entry.word = word;
    entry.notes.Append(noteId);
    m_positions.insert(word, static_cast<int>(m_entries.size()));
    m_entries.append(entry);
}

void KeyWordList::RebuildPositions()
{
    m_positions.clear();
    for (qsizetype i = 0; i < m_entries.size(); ++i)
        m_positions.insert(m_entries.at(i).word, static_cast<int>(i));
}
