#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QVarLengthArray>
#include <optional>

// The sync's text files (SyncFormat.h): lines of tab-separated words, closed by
//   end <TAB> <checksum of every byte before this line, hex> <LF>
// so that a reader tells a file still being copied in, cut short or damaged from a whole
// one. Words never hold a tab or a line feed. Files that other machines read are sealed
// with SHA-256; this machine's own state, written only here and atomically, with a fast
// hash that is enough to tell a damaged file.
//
//   SealedLines lines;
//   lines.Add({"archive", "1", "1", "00000001.qvx", "5120", hash});
//   QByteArray bytes = lines.Sealed();
//   std::optional<QList<SealedLines::Line>> back = SealedLines::Open(bytes);
class SealedLines
{
public:
    using Line = QList<QByteArray>;
    using Words = QVarLengthArray<QByteArrayView, 8>;
    enum class Seal
    {
        Sha256,
        Fast,
    };

    explicit SealedLines(Seal seal = Seal::Sha256)
        : m_seal(seal)
    {
    }

    void Add(const Line& words);
    // A line written by the caller: words joined by tabs, without the line feed.
    void AddRaw(QByteArrayView line);
    void Reserve(qsizetype bytes) { m_body.reserve(bytes); }
    bool IsEmpty() const { return m_body.isEmpty(); }
    // The lines with the end line after them.
    QByteArray Sealed() const;

    // The lines before the end line; none when there is no end line, when bytes follow
    // it, or when its checksum differs.
    static std::optional<QList<Line>> Open(const QByteArray& bytes, Seal seal = Seal::Sha256);
    // The same without copying: the checked bytes before the end line, or none.
    static std::optional<QByteArrayView> Body(const QByteArray& bytes, Seal seal);
    // Calls take with the words of each line of a checked body, in order, until it
    // returns false; false then.
    template<class Take> static bool ForEachLine(QByteArrayView body, Take&& take)
    {
        Words words;
        while (!body.isEmpty()) {
            qsizetype end = body.indexOf('\n');
            if (end < 0)
                end = body.size();
            SplitWords(body.first(end), words);
            if (!words.isEmpty() && !take(words))
                return false;
            body = body.sliced(std::min(end + 1, body.size()));
        }
        return true;
    }
    static void SplitWords(QByteArrayView line, Words& words);
    static QByteArray Checksum(QByteArrayView bytes, Seal seal = Seal::Sha256);

private:
    Seal m_seal;
    QByteArray m_body;
};
