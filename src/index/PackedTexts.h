#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

// A note's two texts as the search index keeps them, compressed, to confirm a match
// without reading the note file or its RTF: the text as shown (exactly as the search
// reads it from the RichText) and the stored PlainText bytes (left out when they are the
// shown text's own UTF-8, as the editor saves them).
//
// A packer holds the compressor's state; one per thread.
class PackedTexts
{
public:
    struct Texts
    {
        QString shown;
        QByteArray plainText;
    };

    PackedTexts();
    ~PackedTexts();
    PackedTexts(const PackedTexts&) = delete;
    PackedTexts& operator=(const PackedTexts&) = delete;

    QByteArray Pack(const QString& shown, QByteArrayView plainText);
    // None for bytes that are not a packing (a damaged store).
    std::optional<Texts> Unpack(QByteArrayView packed);

private:
    struct Contexts;
    std::unique_ptr<Contexts> m_contexts;
};
