#include "richtext/CodePageDecoder.h"

#include "richtext/RtfFormat.h"

#include <QByteArray>
#include <cerrno>
#include <iconv.h>
#include <unordered_map>

namespace {

const char* IconvName(int codePage)
{
    switch (codePage) {
    case 437:
        return "CP437";
    case 850:
        return "CP850";
    case 866:
        return "CP866";
    case 874:
        return "CP874";
    case 932:
        return "CP932";
    case 936:
        return "GBK";
    case 949:
        return "CP949";
    case 950:
        return "CP950";
    case 1250:
        return "CP1250";
    case 1251:
        return "CP1251";
    case 1253:
        return "CP1253";
    case 1254:
        return "CP1254";
    case 1255:
        return "CP1255";
    case 1256:
        return "CP1256";
    case 1257:
        return "CP1257";
    case 1258:
        return "CP1258";
    case 1361:
        return "JOHAB";
    case 10000:
        return "MACINTOSH";
    case 10001:
        return "SHIFT_JIS";
    default:
        return "CP1252";
    }
}

// One open handle per code page for the life of the thread.
class IconvCache
{
public:
    ~IconvCache()
    {
        for (auto& entry : m_handles) {
            if (entry.second != Invalid())
                iconv_close(entry.second);
        }
    }

    iconv_t Handle(int codePage)
    {
        auto found = m_handles.find(codePage);
        if (found != m_handles.end())
            return found->second;
        iconv_t handle = iconv_open("UTF-16LE", IconvName(codePage));
        m_handles.emplace(codePage, handle);
        return handle;
    }

    static iconv_t Invalid() { return reinterpret_cast<iconv_t>(-1); }

private:
    std::unordered_map<int, iconv_t> m_handles;
};

thread_local IconvCache t_cache;

bool IsAscii(const char* data, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        if (static_cast<unsigned char>(data[i]) >= 0x80)
            return false;
    }
    return true;
}

void AppendThroughIconv(iconv_t handle, const char* data, qsizetype size, QString& out)
{
    iconv(handle, nullptr, nullptr, nullptr, nullptr); // reset any shift state
    char16_t buffer[512];
    char* in = const_cast<char*>(data);
    size_t inLeft = static_cast<size_t>(size);
    while (inLeft > 0) {
        char* outPtr = reinterpret_cast<char*>(buffer);
        size_t outLeft = sizeof(buffer);
        size_t result = iconv(handle, &in, &inLeft, &outPtr, &outLeft);
        qsizetype produced = static_cast<qsizetype>((sizeof(buffer) - outLeft) / sizeof(char16_t));
        out.append(reinterpret_cast<const QChar*>(buffer), produced);
        if (result == static_cast<size_t>(-1) && errno != E2BIG) {
            // Invalid or truncated sequence: one replacement character, then go on.
            out.append(QChar::ReplacementCharacter);
            ++in;
            --inLeft;
        }
    }
}

} // namespace

void CodePageDecoder::Append(int codePage, const char* data, qsizetype size, QString& out)
{
    if (size <= 0)
        return;
    if (codePage == RtfFormat::kSymbolCodePage || IsAscii(data, size)) {
        out.append(QLatin1StringView(data, size));
        return;
    }
    iconv_t handle = t_cache.Handle(codePage);
    if (handle == IconvCache::Invalid())
        handle = t_cache.Handle(RtfFormat::kDefaultCodePage);
    if (handle == IconvCache::Invalid()) {
        out.append(QLatin1StringView(data, size));
        return;
    }
    AppendThroughIconv(handle, data, size, out);
}

QString CodePageDecoder::Decode(int codePage, const QByteArray& bytes)
{
    QString text;
    Append(codePage, bytes.constData(), bytes.size(), text);
    return text;
}
