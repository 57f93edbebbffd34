#include "format/LatexText.h"

#include <QHash>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace LatexText {

// Accent commands and the combining mark each puts over (or under) its letter.
char16_t CombiningMark(const QString& command)
{
    static const QHash<QString, char16_t> marks {
        {QStringLiteral("'"), 0x0301},  {QStringLiteral("`"), 0x0300}, {QStringLiteral("^"), 0x0302},
        {QStringLiteral("\""), 0x0308}, {QStringLiteral("~"), 0x0303}, {QStringLiteral("="), 0x0304},
        {QStringLiteral("."), 0x0307},  {QStringLiteral("u"), 0x0306}, {QStringLiteral("v"), 0x030C},
        {QStringLiteral("H"), 0x030B},  {QStringLiteral("c"), 0x0327}, {QStringLiteral("k"), 0x0328},
        {QStringLiteral("r"), 0x030A},  {QStringLiteral("d"), 0x0323}, {QStringLiteral("b"), 0x0331},
        {QStringLiteral("t"), 0x0361},
    };
    return marks.value(command, 0);
}

// Commands that stand for a letter or a symbol.
QString SymbolFor(const QString& command)
{
    static const QHash<QString, QString> symbols = [] {
        QHash<QString, QString> table;
        const char* pairs[][2] = {
            {"ss", "ß"},
            {"o", "ø"},
            {"O", "Ø"},
            {"ae", "æ"},
            {"AE", "Æ"},
            {"oe", "œ"},
            {"OE", "Œ"},
            {"aa", "å"},
            {"AA", "Å"},
            {"l", "ł"},
            {"L", "Ł"},
            {"i", "ı"},
            {"j", "ȷ"},
            {"dh", "ð"},
            {"DH", "Ð"},
            {"th", "þ"},
            {"TH", "Þ"},
            {"ng", "ŋ"},
            {"NG", "Ŋ"},
            {"dj", "đ"},
            {"DJ", "Đ"},
            {"copyright", "©"},
            {"textcopyright", "©"},
            {"S", "§"},
            {"P", "¶"},
            {"pounds", "£"},
            {"textregistered", "®"},
            {"texttrademark", "™"},
            {"dag", "†"},
            {"ddag", "‡"},
            {"ldots", "…"},
            {"dots", "…"},
            {"textellipsis", "…"},
            {"textendash", "–"},
            {"textemdash", "—"},
            {"textquoteleft", "‘"},
            {"textquoteright", "’"},
            {"textquotedblleft", "“"},
            {"textquotedblright", "”"},
            {"guillemotleft", "«"},
            {"guillemotright", "»"},
            {"textbackslash", "\\"},
            {"textasciitilde", "~"},
            {"textasciicircum", "^"},
            {"textunderscore", "_"},
            {"textbar", "|"},
            {"textless", "<"},
            {"textgreater", ">"},
            {"euro", "€"},
            {"texteuro", "€"},
            {"textdegree", "°"},
            {"LaTeX", "LaTeX"},
            {"TeX", "TeX"},
            {"BibTeX", "BibTeX"},
            {"alpha", "α"},
            {"beta", "β"},
            {"gamma", "γ"},
            {"delta", "δ"},
            {"epsilon", "ε"},
            {"zeta", "ζ"},
            {"eta", "η"},
            {"theta", "θ"},
            {"kappa", "κ"},
            {"lambda", "λ"},
            {"mu", "μ"},
            {"nu", "ν"},
            {"xi", "ξ"},
            {"pi", "π"},
            {"rho", "ρ"},
            {"sigma", "σ"},
            {"tau", "τ"},
            {"phi", "φ"},
            {"chi", "χ"},
            {"psi", "ψ"},
            {"omega", "ω"},
            {"Gamma", "Γ"},
            {"Delta", "Δ"},
            {"Theta", "Θ"},
            {"Lambda", "Λ"},
            {"Pi", "Π"},
            {"Sigma", "Σ"},
            {"Phi", "Φ"},
            {"Psi", "Ψ"},
            {"Omega", "Ω"},
            {"pm", "±"},
            {"times", "×"},
            {"infty", "∞"},
            {"leq", "≤"},
            {"geq", "≥"},
        };
        for (const auto& pair : pairs)
            table.insert(QString::fromUtf8(pair[0]), QString::fromUtf8(pair[1]));
        return table;
    }();
    return symbols.value(command);
}

// One pass over a LaTeX value, braces and commands resolved as they come.
class LatexReader
{
public:
    explicit LatexReader(const QString& text)
        : m_text(text)
    {
    }

    QString Run()
    {
        QString out = Sequence(false);
        return out.simplified().normalized(QString::NormalizationForm_C);
    }

private:
    bool AtEnd() const { return m_pos >= m_text.size(); }
    QChar Peek() const { return AtEnd() ? QChar() : m_text.at(m_pos); }

    // Text up to the end, or up to the closing brace of the group being read.
    QString Sequence(bool inGroup)
    {
        QString out;
        while (!AtEnd()) {
            const QChar c = m_text.at(m_pos);
            if (c == QLatin1Char('}')) {
                ++m_pos;
                if (inGroup)
                    return out;
            } else if (c == QLatin1Char('{')) {
                ++m_pos;
                out += Sequence(true);
            } else if (c == QLatin1Char('\\')) {
                ++m_pos;
                out += Command();
            } else if (c == QLatin1Char('$')) {
                ++m_pos;
            } else if (c == QLatin1Char('~') || c.isSpace()) {
                ++m_pos;
                out += QLatin1Char(' ');
            } else {
                ++m_pos;
                out += c;
            }
        }
        return out;
    }

    // After a backslash: a control word (letters, with the blanks after it) or one
    // character.
    QString ReadCommandName()
    {
        if (AtEnd())
            return {};
        if (!Peek().isLetter())
            return QString(m_text.at(m_pos++));
        const qsizetype start = m_pos;
        while (!AtEnd() && Peek().isLetter())
            ++m_pos;
        const QString name = m_text.mid(start, m_pos - start);
        while (!AtEnd() && Peek().isSpace())
            ++m_pos;
        return name;
    }

    // One argument: a group, a command, or a single character.
    QString Argument()
    {
        while (!AtEnd() && Peek().isSpace())
            ++m_pos;
        if (AtEnd())
            return {};
        const QChar c = m_text.at(m_pos++);
        if (c == QLatin1Char('{'))
            return Sequence(true);
        if (c == QLatin1Char('\\')) {
            const QString name = ReadCommandName();
            if (name == QLatin1String("i") || name == QLatin1String("j"))
                return name; // the dotless letters carry accents as plain i and j
            return Resolve(name);
        }
        return QString(c);
    }

    QString Command()
    {
        const QString name = ReadCommandName();
        if (name.isEmpty())
            return QStringLiteral("\\");
        if (const char16_t mark = CombiningMark(name)) {
            QString base = Argument();
            if (base.isEmpty())
                return QString(QChar(mark));
            return base.left(1) + QChar(mark) + base.mid(1);
        }
        return Resolve(name);
    }

    QString Resolve(const QString& name)
    {
        if (name.size() == 1 && QStringLiteral("&%$#_{}").contains(name))
            return name;
        if (name == QLatin1String(" ") || name == QLatin1String(",") || name == QLatin1String(";")
            || name == QLatin1String(":") || name == QLatin1String("\\"))
            return QStringLiteral(" ");
        if (name == QLatin1String("-") || name == QLatin1String("/") || name == QLatin1String("!"))
            return {};
        const QString symbol = SymbolFor(name);
        if (!symbol.isEmpty()) {
            SkipEmptyGroup();
            return symbol;
        }
        // \emph{x}, \textbf{x}, \url{x}: the argument stays; \href{url}{text}: the text.
        if (Peek() == QLatin1Char('{')) {
            QString argument = Argument();
            if (name == QLatin1String("href") && Peek() == QLatin1Char('{'))
                argument = Argument();
            return argument;
        }
        return {}; // \em, \relax, \noopsort... carry no text
    }

    // "\ss{}" and "\textbackslash{}": the empty group only ends the command.
    void SkipEmptyGroup()
    {
        if (m_pos + 1 < m_text.size() && m_text.at(m_pos) == QLatin1Char('{')
            && m_text.at(m_pos + 1) == QLatin1Char('}'))
            m_pos += 2;
    }

    const QString& m_text;
    qsizetype m_pos = 0;
};

QString ToUnicode(const QString& latex)
{
    return LatexReader(latex).Run();
}

QString FromUnicode(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\':
            out += QStringLiteral("\\textbackslash{}");
            break;
        case '~':
            out += QStringLiteral("\\textasciitilde{}");
            break;
        case '^':
            out += QStringLiteral("\\textasciicircum{}");
            break;
        case '{':
        case '}':
        case '%':
        case '&':
        case '#':
        case '$':
        case '_':
            out += QLatin1Char('\\');
            out += c;
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString ProtectedTitle(const QString& text)
{
    QStringList words = text.split(QLatin1Char(' '));
    for (QString& word : words) {
        bool innerCapital = false;
        for (qsizetype i = 1; i < word.size() && !innerCapital; ++i)
            innerCapital = word.at(i).isUpper();
        word = innerCapital ? QLatin1Char('{') + FromUnicode(word) + QLatin1Char('}') : FromUnicode(word);
    }
    return words.join(QLatin1Char(' '));
}

} // namespace LatexText
