#include "sync/SealedLines.h"

#include <QCryptographicHash>
#include <QHashFunctions>

namespace {

const QByteArray kEndWord = QByteArrayLiteral("end\t");

} // namespace

void SealedLines::Add(const Line& words)
{
    for (qsizetype i = 0; i < words.size(); ++i) {
        if (i > 0)
            m_body.append('\t');
        m_body.append(words.at(i));
    }
    m_body.append('\n');
}

void SealedLines::AddRaw(QByteArrayView line)
{
    m_body.append(line);
    m_body.append('\n');
}

QByteArray SealedLines::Sealed() const
{
    return m_body + kEndWord + Checksum(m_body, m_seal) + '\n';
}

QByteArray SealedLines::Checksum(QByteArrayView bytes, Seal seal)
{
    if (seal == Seal::Fast)
        return QByteArray::number(quint64(qHashBits(bytes.data(), size_t(bytes.size()), 0)), 16);
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

std::optional<QByteArrayView> SealedLines::Body(const QByteArray& bytes, Seal seal)
{
    // The end line is the last line: "end", a tab, the hex checksum and a line feed.
    if (!bytes.endsWith('\n'))
        return std::nullopt;
    const QByteArrayView all(bytes);
    const qsizetype lastStart = all.first(all.size() - 1).lastIndexOf('\n') + 1;
    const QByteArrayView endLine = all.sliced(lastStart, all.size() - 1 - lastStart);
    if (!endLine.startsWith(kEndWord))
        return std::nullopt;
    const QByteArrayView body = all.first(lastStart);
    if (endLine.sliced(kEndWord.size()) != QByteArrayView(Checksum(body, seal)))
        return std::nullopt;
    return body;
}

void SealedLines::SplitWords(QByteArrayView line, Words& words)
{
    words.clear();
    if (line.isEmpty())
        return;
    qsizetype from = 0;
    for (qsizetype tab = line.indexOf('\t'); tab >= 0; tab = line.indexOf('\t', from)) {
        words.append(line.sliced(from, tab - from));
        from = tab + 1;
    }
    words.append(line.sliced(from));
}

std::optional<QList<SealedLines::Line>> SealedLines::Open(const QByteArray& bytes, Seal seal)
{
    const std::optional<QByteArrayView> body = Body(bytes, seal);
    if (!body)
        return std::nullopt;
    QList<Line> lines;
    ForEachLine(*body, [&lines](const Words& words) {
        Line line;
        line.reserve(words.size());
        for (QByteArrayView word : words)
            line.append(word.toByteArray());
        lines.append(std::move(line));
        return true;
    });
    return lines;
}
