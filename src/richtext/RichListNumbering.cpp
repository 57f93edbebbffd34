#include "richtext/RichListNumbering.h"

namespace {

QString Letters(int number, char first)
{
    QString text;
    while (number > 0) {
        --number;
        text.prepend(QLatin1Char(static_cast<char>(first + number % 26)));
        number /= 26;
    }
    return text;
}

QString Roman(int number, bool upper)
{
    static const struct
    {
        int value;
        const char* digits;
    } table[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"}, {100, "c"}, {90, "xc"}, {50, "l"},
                 {40, "xl"},  {10, "x"},   {9, "ix"},  {5, "v"},    {4, "iv"},  {1, "i"}};
    QString text;
    for (const auto& entry : table) {
        while (number >= entry.value) {
            text += QLatin1String(entry.digits);
            number -= entry.value;
        }
    }
    return upper ? text.toUpper() : text;
}

} // namespace

QString RichListNumbering::Number(RichListStyle style, int number)
{
    switch (style) {
    case RichListStyle::Arabic:
        return QString::number(number);
    case RichListStyle::LowerLetter:
        return Letters(number, 'a');
    case RichListStyle::UpperLetter:
        return Letters(number, 'A');
    case RichListStyle::LowerRoman:
        return Roman(qMin(number, 100000), false);
    case RichListStyle::UpperRoman:
        return Roman(qMin(number, 100000), true);
    default:
        return QString();
    }
}

QString RichListNumbering::Label(const RichListFormat& format, int number)
{
    if (format.style == RichListStyle::Bullet)
        return QString(QChar(0x2022));
    if (!format.IsList())
        return QString();
    return format.textBefore + Number(format.style, number) + format.textAfter;
}
