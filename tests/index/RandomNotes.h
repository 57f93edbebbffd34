#pragma once

// Random notes with rich formatting and random queries over them, for the tests that hold
// the kept index to the answers of reading every note file.

#include "format/NoteRecord.h"
#include "index/ShownText.h"

#include <QChar>
#include <QStringList>
#include <random>

namespace RandomNotes {

// Words of several scripts and cases, numbers, and words joined by punctuation.
inline const QStringList& Words()
{
    static const QStringList words = [] {
        QStringList list {
            QStringLiteral("cat"),
            QStringLiteral("category"),
            QStringLiteral("Cathedral"),
            QStringLiteral("apple"),
            QStringLiteral("pear"),
            QStringLiteral("ORANGE"),
            QStringLiteral("salt"),
            QStringLiteral("pepper"),
            QStringLiteral("and"),
            QStringLiteral("memory"),
            QStringLiteral("kaba"),
            QStringLiteral("lotor"),
            QStringLiteral("caf\u00e9"),
            QStringLiteral("CAF\u00c9"),
            QStringLiteral("na\u00efve"),
            QStringLiteral("Stra\u00dfe"),
            QStringLiteral("STRASSE"),
            QStringLiteral("\u00c4rger"),
            QStringLiteral("\u03a3\u039f\u03a6\u0399\u0391"),
            QStringLiteral("\u03c3\u03bf\u03c6\u03af\u03b1\u03c2"),
            QStringLiteral("\u212aelvin"),
            QStringLiteral("kelvin"),
            QStringLiteral("\u017fun"),
            QStringLiteral("e\u0301t\u00e9"),
            QStringLiteral("x2"),
            QStringLiteral("1984"),
            QStringLiteral("co-op"),
            QStringLiteral("don't"),
            QStringLiteral("e.g."),
            QStringLiteral("\u6587\u5b57"),
            QStringLiteral("\U00010400\U00010428"),
            QStringLiteral("a"),
            QStringLiteral("I"),
            QStringLiteral("ka"),
            QStringLiteral("mi"),
        };
        return list;
    }();
    return words;
}

inline const QStringList& Separators()
{
    static const QStringList separators {
        QStringLiteral(" "),  QStringLiteral(" "),  QStringLiteral(" "),   QStringLiteral(", "),
        QStringLiteral(". "), QStringLiteral("; "), QStringLiteral(" - "), QStringLiteral(" ("),
        QStringLiteral(") "), QStringLiteral("\t"), QStringLiteral("\n"),  QStringLiteral(" \u2014 "),
        QStringLiteral("!"),  QStringLiteral("\""), QStringLiteral("'"),
    };
    return separators;
}

class Maker
{
public:
    explicit Maker(unsigned seed)
        : m_random(seed)
    {
    }

    int Pick(int n) { return int(m_random() % unsigned(n)); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // A text of words and separators, and its RTF with bold, italic, colour and font
    // changes, paragraphs and line breaks; characters beyond ASCII as \u or \' escapes.
    void Texts(QString* shownSource, QString* rtf)
    {
        *rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil Times;}{\\f1\\fswiss "
                              "Arial;}}{\\colortbl ;\\red255\\green0\\blue0;}\\uc1\\pard\\f0\\fs24 ");
        shownSource->clear();
        const int count = 1 + Pick(40);
        for (int i = 0; i < count; ++i) {
            QString word = Words().at(Pick(int(Words().size())));
            if (Chance(15))
                word = word.toUpper();
            else if (Chance(15) && !word.isEmpty())
                word[0] = word.at(0).toUpper();
            AppendRun(rtf, word);
            *shownSource += word;
            if (i + 1 < count) {
                const QString separator = Separators().at(Pick(int(Separators().size())));
                AppendRun(rtf, separator);
                *shownSource += separator;
            }
        }
        *rtf += QStringLiteral("\\par\n}");
    }

    // A note: its PlainText the shown text (as the editor saves it), or that text with
    // its full stops gone or words left out, or empty, or another text; its RichText now
    // and then empty.
    NoteRecord Note(qint32 id, qint32 sourceId)
    {
        NoteRecord note;
        note.NoteID = id;
        note.SourceID = sourceId;
        note.DateAdded = DateTime::FromParts(2000 + Pick(20), 1 + Pick(12), 1 + Pick(28), Pick(24), 0, 0);
        note.LastEdited = note.DateAdded;
        note.NoteGUID = QStringLiteral("{%1-0000-0000-0000-000000000000}").arg(id, 8, 10, QLatin1Char('0'));
        QString source;
        Texts(&source, &note.RichText);
        const QByteArray rtf = note.RichText.toLatin1();
        const QString shown = ShownTextOfStoredRtf(rtf.constData(), rtf.size());
        const int kind = Pick(10);
        if (kind < 5)
            note.PlainText = shown;
        else if (kind == 5)
            note.PlainText = QString(shown).replace(QLatin1Char(' '), QLatin1Char('.'));
        else if (kind == 6)
            note.PlainText
                = QString(shown).remove(Words().at(Pick(int(Words().size()))), Qt::CaseInsensitive);
        else if (kind == 7)
            note.PlainText.clear();
        else if (kind == 8)
            Texts(&note.PlainText, &source);
        else
            note.PlainText = shown + QStringLiteral(" extra");
        if (Chance(4))
            note.RichText.clear();
        const int depth = Pick(3);
        for (int level = 0; level < depth; ++level) {
            CategoryLevelEntry* entry = note.Categories.FindEntry(level);
            entry->name = QStringLiteral("C%1").arg(Pick(4));
            entry->parentName = level == 0 ? QString() : note.Categories.FindEntry(level - 1)->name;
        }
        return note;
    }

    // One term: a piece of a word, a piece of a text across words, or random characters;
    // in any case; quoted now and then.
    QString Term(const QStringList& texts)
    {
        QString term;
        const int kind = Pick(10);
        if (kind < 5) {
            const QString word = Words().at(Pick(int(Words().size())));
            const int start = Pick(int(word.size()));
            term = word.mid(start, 1 + Pick(int(word.size()) - start));
        } else if (kind < 8 && !texts.isEmpty()) {
            const QString text = texts.at(Pick(int(texts.size())));
            if (!text.isEmpty()) {
                const int start = Pick(int(text.size()));
                term = text.mid(start, 1 + Pick(12));
            }
        } else {
            static const QString alphabet = QStringLiteral("abcekoprstAEK \u00e9\u00c9\u00df\u03c3.,-'\"();");
            const int length = 1 + Pick(12);
            for (int i = 0; i < length; ++i)
                term += alphabet.at(Pick(int(alphabet.size())));
        }
        if (Chance(30))
            term = term.toUpper();
        else if (Chance(30))
            term = term.toLower();
        if (Chance(25))
            term = QLatin1Char('"') + term + QLatin1Char('"');
        return term;
    }

    // One to three terms, joined by AND or OR.
    QString Query(const QStringList& texts)
    {
        const int terms = 1 + Pick(3);
        const QString joiner = Chance(50) ? QStringLiteral(" AND ") : QStringLiteral(" OR ");
        QString query = Term(texts);
        for (int i = 1; i < terms; ++i)
            query += joiner + Term(texts);
        return query.trimmed();
    }

private:
    void AppendRun(QString* rtf, const QString& text)
    {
        const int style = Pick(8);
        if (style == 0)
            *rtf += QStringLiteral("\\b ");
        else if (style == 1)
            *rtf += QStringLiteral("\\i ");
        else if (style == 2)
            *rtf += QStringLiteral("\\cf1 ");
        else if (style == 3)
            *rtf += QStringLiteral("\\f1 ");
        for (const QChar c : text) {
            if (c == QLatin1Char('\n'))
                *rtf += Chance(50) ? QStringLiteral("\\par ") : QStringLiteral("\\line ");
            else if (c == QLatin1Char('\t'))
                *rtf += QStringLiteral("\\tab ");
            else if (c == QLatin1Char('\\') || c == QLatin1Char('{') || c == QLatin1Char('}'))
                *rtf += QLatin1Char('\\') + c;
            else if (c.unicode() >= 0x80 && c.unicode() < 0x100 && Chance(50))
                *rtf += QStringLiteral("\\'%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
            else if (c.unicode() >= 0x80)
                *rtf += QStringLiteral("\\u%1?").arg(qint16(c.unicode()));
            else
                *rtf += c;
        }
        if (style == 0)
            *rtf += QStringLiteral("\\b0 ");
        else if (style == 1)
            *rtf += QStringLiteral("\\i0 ");
        else if (style == 2)
            *rtf += QStringLiteral("\\cf0 ");
        else if (style == 3)
            *rtf += QStringLiteral("\\f0 ");
    }

    std::mt19937 m_random;
};

} // namespace RandomNotes
