#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <memory>
#include <optional>

// A note's text as the note view shows it (exactly as the search reads it from the
// RichText), as the search index keeps it, compressed, to confirm a match without reading
// the note file or its RTF.
//
// A packer holds the compressor's state; one per thread.
class PackedTexts
{
public:
    PackedTexts();
    ~PackedTexts();
    PackedTexts(const PackedTexts&) = delete;
    PackedTexts& operator=(const PackedTexts&) = delete;

    QByteArray Pack(const QString& shown);
    // None for bytes that are not a packing (a damaged store).
    std::optional<QString> Unpack(QByteArrayView packed);

private:
    struct Contexts;
    std::unique_ptr<Contexts> m_contexts;
};
