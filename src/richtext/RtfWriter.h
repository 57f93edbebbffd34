#pragma once

#include "richtext/RichDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// Writes a RichDocument as RTF in the layout a rich-edit control writes and reads:
//
//   {\rtf1\ansi\ansicpg1252\deff0\nouicompat\deflang1033{\fonttbl{\f0\fnil\fcharset0 Arial;}}
//   {\colortbl ;\red255\green0\blue0;}
//   {\*\generator Quorvel;}\viewkind4\uc1
//   \pard\f0\fs20 Plain \b bold\b0  and \cf1 red\cf0  text.\par
//   }
//
// Every paragraph ends with \par. Characters outside ASCII are written as \uN? (symbol
// font characters below 256 as \'xx), tabs as \tab, line breaks as \line. Links are
// HYPERLINK fields; numbered and bulleted paragraphs carry a {\*\pn ...} group and a
// generated {\pntext ...} label for readers that do not number by themselves. Reading the
// result with RtfReader gives back the same document (after RichDocument::Normalize).
class RtfWriter
{
public:
    static QByteArray Write(const RichDocument& document);

private:
    struct Font
    {
        QString family;
        int charset = -1;
    };

    explicit RtfWriter(const RichDocument& document);
    void CollectTables();
    void AddFont(const QString& family, int charset);
    int FontIndex(const QString& family, int charset) const;
    int ColourIndex(const std::optional<quint32>& colour) const;

    void WriteHeader();
    void WriteParagraph(const RichParagraph& paragraph, bool formatChanged, int number);
    void WriteParagraphFormat(const RichParagraph& paragraph, int number);
    void WriteListLabel(const RichParagraph& paragraph, int number);
    void WriteRuns(const RichParagraph& paragraph);
    void WriteFormatChange(const RichCharFormat& from, const RichCharFormat& to);
    void WriteText(QStringView text, bool symbolFont);

    void Word(const char* word);
    void Word(const char* word, int value);
    void Raw(const char* text);

    const RichDocument& m_document;
    QByteArray m_out;
    bool m_needDelimiter = false;
    QList<Font> m_fonts;
    QList<quint32> m_colours;
    int m_symbolFont = -1;
    RichCharFormat m_current;
};
