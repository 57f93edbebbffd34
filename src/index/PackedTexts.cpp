#include "index/PackedTexts.h"

#include "index/ByteCoding.h"

#include <cstring>
#include <zstd.h>

namespace {

// The head byte says how the text is held.
enum : quint8
{
    AsUtf8 = 0,
    AsUtf16 = 1, // a lone surrogate has no UTF-8 form
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

QByteArray PackedTexts::Pack(const QString& shown)
{
    quint8 head = AsUtf8;
    QByteArray raw;
    if (QStringView(shown).isValidUtf16()) {
        raw = shown.toUtf8();
    } else {
        head = AsUtf16;
        raw = QByteArray(reinterpret_cast<const char*>(shown.utf16()), shown.size() * 2);
    }
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

std::optional<QString> PackedTexts::Unpack(QByteArrayView packed)
{
    ByteCoding::Reader head(packed);
    const auto form = head.Get<quint8>();
    const quint64 rawSize = head.GetVarint();
    if (!head.Ok() || rawSize > kMaxUnpacked || form > AsUtf16 || (form == AsUtf16 && rawSize % 2))
        return std::nullopt;
    QByteArray size;
    ByteCoding::PutVarint(size, rawSize);
    const qsizetype prefix = 1 + size.size();
    thread_local QByteArray raw;
    raw.resize(qsizetype(rawSize));
    const size_t read = ZSTD_decompressDCtx(m_contexts->decompress, raw.data(), size_t(rawSize),
                                            packed.data() + prefix, size_t(packed.size() - prefix));
    if (ZSTD_isError(read) || read != rawSize)
        return std::nullopt;
    if (form == AsUtf8)
        return QString::fromUtf8(raw);
    QString shown(raw.size() / 2, Qt::Uninitialized);
    std::memcpy(shown.data(), raw.constData(), size_t(raw.size()));
    return shown;
}
