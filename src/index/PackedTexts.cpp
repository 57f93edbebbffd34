#include "index/PackedTexts.h"

#include "index/ByteCoding.h"

#include <cstring>
#include <zstd.h>

namespace {

// The head byte says how the texts are held.
enum : quint8
{
    ShownAsUtf16 = 1 << 0, // a lone surrogate has no UTF-8 form
    PlainIsShown = 1 << 1,
};

// Small texts compress well enough at a low level, and fast.
constexpr int kLevel = 3;
// A packing never claims more than this (a damaged size cannot make us allocate more).
constexpr quint64 kMaxUnpacked = quint64(1) << 30;

} // namespace

struct PackedTexts::Contexts
{
    ZSTD_CCtx* compress = ZSTD_createCCtx();
    ZSTD_DCtx* decompress = ZSTD_createDCtx();
    ~Contexts()
    {
        ZSTD_freeCCtx(compress);
        ZSTD_freeDCtx(decompress);
    }
};

PackedTexts::PackedTexts()
    : m_contexts(std::make_unique<Contexts>())
{
}

PackedTexts::~PackedTexts() = default;

QByteArray PackedTexts::Pack(const QString& shown, QByteArrayView plainText)
{
    quint8 head = 0;
    QByteArray shownBytes;
    if (QStringView(shown).isValidUtf16()) {
        shownBytes = shown.toUtf8();
    } else {
        head |= ShownAsUtf16;
        shownBytes = QByteArray(reinterpret_cast<const char*>(shown.utf16()), shown.size() * 2);
    }
    if (!(head & ShownAsUtf16) && plainText == QByteArrayView(shownBytes))
        head |= PlainIsShown;

    QByteArray raw;
    ByteCoding::PutBytes(raw, shownBytes);
    if (!(head & PlainIsShown))
        ByteCoding::PutBytes(raw, plainText);

    QByteArray packed(1, char(head));
    ByteCoding::PutVarint(packed, quint64(raw.size()));
    const qsizetype prefix = packed.size();
    packed.resize(prefix + qsizetype(ZSTD_compressBound(size_t(raw.size()))));
    const size_t written
        = ZSTD_compressCCtx(m_contexts->compress, packed.data() + prefix, size_t(packed.size() - prefix),
                            raw.constData(), size_t(raw.size()), kLevel);
    if (ZSTD_isError(written))
        return QByteArray();
    packed.resize(prefix + qsizetype(written));
    return packed;
}

std::optional<PackedTexts::Texts> PackedTexts::Unpack(QByteArrayView packed)
{
    ByteCoding::Reader head(packed);
    const auto flags = head.Get<quint8>();
    const quint64 rawSize = head.GetVarint();
    if (!head.Ok() || rawSize > kMaxUnpacked)
        return std::nullopt;
    const qsizetype prefix = 1 + [&] {
        QByteArray size;
        ByteCoding::PutVarint(size, rawSize);
        return size.size();
    }();
    thread_local QByteArray raw;
    raw.resize(qsizetype(rawSize));
    const size_t read = ZSTD_decompressDCtx(m_contexts->decompress, raw.data(), size_t(rawSize),
                                            packed.data() + prefix, size_t(packed.size() - prefix));
    if (ZSTD_isError(read) || read != rawSize)
        return std::nullopt;

    ByteCoding::Reader in(raw);
    const QByteArrayView shownBytes = in.GetBytes();
    Texts texts;
    if (flags & ShownAsUtf16) {
        texts.shown.resize(shownBytes.size() / 2);
        std::memcpy(texts.shown.data(), shownBytes.data(), size_t(texts.shown.size()) * 2);
    } else {
        texts.shown = QString::fromUtf8(shownBytes);
    }
    if (flags & PlainIsShown)
        texts.plainText = shownBytes.toByteArray();
    else
        texts.plainText = in.GetBytes().toByteArray();
    if (!in.Ok() || !in.AtEnd())
        return std::nullopt;
    return texts;
}
