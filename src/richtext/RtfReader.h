#pragma once

#include "richtext/RichDocument.h"
#include "richtext/RtfGroupState.h"
#include "richtext/RtfKeyword.h"
#include "richtext/RtfToken.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class RtfTokenizer;

// Reads RTF as rich-edit controls and word processors write it into a RichDocument.
//
// Kept: text, character attributes, fonts, sizes, colours, highlight, paragraph alignment,
// indents, spacing and tab stops, bullets and numbering (the \pn form and the list table
// form), hyperlink fields (the result text carries the URL). Skipped without losing the
// text around them: pictures, objects, headers, footers, footnotes, list labels (\pntext,
// \listtext, they are generated), hidden text, unknown \* destinations and unknown words.
// 8-bit text is decoded by each font's \fcharset and by \ansicpg.
//
// Input that does not start with "{\rtf" is taken as plain Windows-1252 text, one
// paragraph per line. Any input, however broken, gives a document: missing braces close
// at the end, extra ones are ignored, nesting depth and numbers are bounded.
class RtfReader
{
public:
    static RichDocument Read(const QByteArray& rtf);
    // Read(rtf).PlainText() without making the formats: what a search looks at. The text
    // is read by the same rules; only the runs' formats are left out.
    static QString ReadShownText(const QByteArray& rtf);

private:
    struct Font
    {
        QString name;
        int charset = -1;
        int codePage = 0; // 0: the document's code page
    };
    struct FontEntry
    {
        int index = -1;
        int charset = -1;
        int codePage = 0;
        QString name;
    };
    struct ColourEntry
    {
        int red = 0, green = 0, blue = 0;
        bool given = false;
    };
    struct Pn
    {
        enum class Kind
        {
            Body,
            Bullet,
            Continue
        };
        Kind kind = Kind::Body;
        std::optional<RichListStyle> style;
        int start = 1;
        int level = 0;
        int numberTab = 0;
        QString before;
        QString after;
    };

    RtfReader() = default;
    RichDocument Parse(const QByteArray& rtf);
    static RichDocument ReadPlain(const QByteArray& text);

    // Group structure (RtfReader.cpp).
    void OpenGroup();
    bool CloseGroup(); // false when the document's outer group closed
    void EndDestination(const RtfGroupState& closed, RtfGroupState& parent);
    RtfGroupState& State() { return m_stack.back(); }

    // Text (RtfReader.cpp).
    void TextBytes(std::string_view bytes);
    void TableBytes(std::string_view bytes);
    void FlushPending();
    void EmitChar(char16_t c);
    void AppendText(QStringView text);
    void AppendToParagraph(QStringView text);
    void EndParagraph();
    int CurrentCodePage() const;
    RichCharFormat ResolveFormat(const RtfCharState& chr) const;

    // Control words (RtfReaderControlWords.cpp).
    void ControlWord(const RtfToken& token, RtfTokenizer& tokenizer);
    void ControlSymbol(char symbol);
    bool Destination(RtfKeyword keyword);
    bool CharacterWord(RtfKeyword keyword, bool hasParam, int param);
    bool ParagraphWord(RtfKeyword keyword, int param);
    bool TableWord(RtfKeyword keyword, int param);
    bool SpecialCharacter(RtfKeyword keyword, bool hasParam, int param);
    void CommitFont();
    void CommitColour();
    void ApplyListOverride();
    RichListFormat PnFormat() const;
    static void ParseLevelText(const QString& text, RichListFormat& format);
    static QString HyperlinkTarget(const QString& instruction);

    std::vector<RtfGroupState> m_stack;
    int m_overflowDepth = 0;
    bool m_ignorableNext = false; // a \* was read: an unknown destination word is skipped
    int m_unicodeSkipLeft = 0;
    bool m_cellTabPending = false;
    bool m_textOnly = false; // each paragraph one run, its format never made

    std::string m_pending; // 8-bit text waiting to be decoded
    QString m_decoded;

    int m_documentCodePage = 1252;
    int m_defaultFont = 0;
    QHash<int, Font> m_fonts;
    FontEntry m_fontEntry;
    QList<std::optional<quint32>> m_colours;
    ColourEntry m_colourEntry;
    QStringList m_fieldInstructions;
    QStringList m_links;

    Pn m_pn;
    QHash<int, QList<RichListFormat>> m_lists; // list id -> levels
    QHash<int, int> m_overrides; // \ls number -> list id
    int m_listId = 0;
    QList<RichListFormat> m_listLevels;
    RichListFormat m_level;
    QString m_levelText;
    int m_overrideListId = 0;
    int m_overrideNumber = 0;

    RichDocument m_document;
    RichParagraph m_paragraph;
    RtfCharState m_runState;
    bool m_runStateValid = false;
};
