// Splitting text into words and the user's own dictionary.
#include "platform/SpellChecker.h"
#include "platform/SpellCheckerEngine.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

namespace {

bool IsWordChar(QChar c)
{
    return c.isLetterOrNumber() || c.isMark();
}

bool IsApostrophe(QChar c)
{
    return c == u'\'' || c == QChar(0x2019);
}

// Addresses and mail addresses are not words.
bool LooksLikeAddress(QStringView chunk)
{
    return chunk.contains(u"://") || chunk.startsWith(u"www.", Qt::CaseInsensitive) || chunk.contains(u'@');
}

bool HasDigit(QStringView word)
{
    for (QChar c : word)
        if (c.isDigit())
            return true;
    return false;
}

bool AllCapitals(QStringView word)
{
    int letters = 0;
    for (QChar c : word) {
        if (c.isLower())
            return false;
        letters += c.isLetter() ? 1 : 0;
    }
    return letters > 1;
}

} // namespace

QList<SpellWord> SpellChecker::Words(const QString& text) const
{
    QList<SpellWord> words;
    const int size = int(text.size());
    int chunkEnd = -1;
    for (int i = 0; i < size;) {
        if (i > chunkEnd) {
            // Each blank-separated chunk is looked at once for an address.
            int end = i;
            while (end < size && !text.at(end).isSpace())
                ++end;
            if (LooksLikeAddress(QStringView(text).mid(i, end - i))) {
                i = end + 1;
                continue;
            }
            chunkEnd = end;
        }
        if (!IsWordChar(text.at(i))) {
            ++i;
            continue;
        }
        int end = i;
        while (end < size
               && (IsWordChar(text.at(end))
                   || (IsApostrophe(text.at(end)) && end + 1 < size && IsWordChar(text.at(end + 1)))))
            ++end;
        const QStringView word = QStringView(text).mid(i, end - i);
        const bool skip = (m_options.ignoreWordsWithDigits && HasDigit(word))
            || (m_options.ignoreCapitals && AllCapitals(word));
        if (!skip)
            words.append({i, end - i});
        i = end;
    }
    return words;
}

QList<SpellWord> SpellChecker::Misspelled(const QString& text) const
{
    QList<SpellWord> wrong;
    if (m_engines.empty())
        return wrong;
    for (const SpellWord& word : Words(text)) {
        if (!IsCorrect(text.mid(word.start, word.length)))
            wrong.append(word);
    }
    return wrong;
}

QStringList SpellChecker::UserWords() const
{
    return m_userWords;
}

void SpellChecker::LoadUserWords()
{
    QFile file(QDir(m_folder).filePath(UserDictionaryName()));
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    for (const QString& line : lines) {
        const QString word = line.trimmed();
        if (!word.isEmpty() && !m_userSet.contains(word)) {
            m_userWords << word;
            m_userSet.insert(word);
        }
    }
    for (const auto& engine : m_engines)
        for (const QString& word : std::as_const(m_userWords))
            engine->hunspell->add(engine->Encode(word));
}

bool SpellChecker::WriteUserWords(QString* error) const
{
    QByteArray bytes;
    for (const QString& word : m_userWords)
        bytes += word.toUtf8() + '\n';
    const QString path = QDir(m_folder).filePath(UserDictionaryName());
    if (m_files.writeWholeFile)
        return m_files.writeWholeFile(path, bytes, error);
    QDir().mkpath(m_folder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool SpellChecker::AddToUserDictionary(const QString& word, QString* error)
{
    const QString clean = word.trimmed();
    if (clean.isEmpty() || clean.contains(QChar(u' '))) {
        if (error)
            *error = QStringLiteral("A dictionary entry is one word.");
        return false;
    }
    if (m_userSet.contains(clean))
        return true;
    m_userWords << clean;
    m_userSet.insert(clean);
    for (const auto& engine : m_engines)
        engine->hunspell->add(engine->Encode(clean));
    return WriteUserWords(error);
}

bool SpellChecker::RemoveFromUserDictionary(const QString& word, QString* error)
{
    if (!m_userSet.contains(word))
        return true;
    m_userWords.removeAll(word);
    m_userSet.remove(word);
    for (const auto& engine : m_engines)
        engine->hunspell->remove(engine->Encode(word));
    return WriteUserWords(error);
}
