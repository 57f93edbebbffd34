#include "richtext/RtfFormat.h"

namespace RtfFormat {

int CodePageOfCharset(int charset)
{
    switch (charset) {
    case 0:
        return 1252; // ANSI
    case 2:
        return kSymbolCodePage;
    case 77:
        return 10000; // Mac Roman
    case 78:
        return 10001; // Mac Japanese
    case 128:
        return 932; // Shift-JIS
    case 129:
        return 949; // Hangul
    case 130:
        return 1361; // Johab
    case 134:
        return 936; // GB2312 / GBK
    case 136:
        return 950; // Big5
    case 161:
        return 1253; // Greek
    case 162:
        return 1254; // Turkish
    case 163:
        return 1258; // Vietnamese
    case 177:
        return 1255; // Hebrew
    case 178:
        return 1256; // Arabic
    case 186:
        return 1257; // Baltic
    case 204:
        return 1251; // Cyrillic
    case 222:
        return 874; // Thai
    case 238:
        return 1250; // Eastern European
    case 254:
        return 437; // PC 437
    case 255:
        return 850; // OEM
    default:
        return 0;
    }
}

} // namespace RtfFormat
