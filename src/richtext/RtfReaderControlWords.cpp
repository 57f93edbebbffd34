// The control words of the RTF reader: what each one changes in the group state, the
// tables or the text.

#include "richtext/RtfFormat.h"
#include "richtext/RtfReader.h"
#include "richtext/RtfTokenizer.h"

#include <algorithm>

using K = RtfKeyword;

namespace {

bool IsCharacterKeyword(RtfKeyword keyword)
{
    return keyword >= K::EmDash || keyword == K::Tab;
}

RichListStyle StyleOfLevelNfc(int nfc)
{
    switch (nfc) {
    case 1:
        return RichListStyle::UpperRoman;
    case 2:
        return RichListStyle::LowerRoman;
    case 3:
        return RichListStyle::UpperLetter;
    case 4:
        return RichListStyle::LowerLetter;
    case 23:
        return RichListStyle::Bullet;
    case 255:
        return RichListStyle::None;
    default:
        return RichListStyle::Arabic;
    }
}

} // namespace

void RtfReader::ControlWord(const RtfToken& token, RtfTokenizer& tokenizer)
{
    const RtfKeyword keyword = LookUpRtfKeyword(token.word);
    const bool ignorable = m_ignorableNext;
    m_ignorableNext = false;
    if (keyword == K::Bin) {
        if (token.hasParam)
            tokenizer.SkipBytes(token.param);
        return;
    }
    RtfGroupState& state = State();
    if (state.dest == RtfDestination::Skip) {
        if (keyword == K::Ud && state.inUpr)
            state.dest = state.uprDest; // \upr{ansi text}{\*\ud{unicode text}}: read the second
        return;
    }
    if (m_unicodeSkipLeft > 0) {
        if (IsCharacterKeyword(keyword)) {
            --m_unicodeSkipLeft; // a fallback for the preceding \uN
            return;
        }
        if (keyword == K::Par || keyword == K::Line || keyword == K::Cell || keyword == K::Row)
            m_unicodeSkipLeft = 0;
    }
    if (Destination(keyword))
        return;
    if (ignorable) {
        state.dest = RtfDestination::Skip; // {\*\unknown ...}
        return;
    }
    if (CharacterWord(keyword, token.hasParam, token.param) || ParagraphWord(keyword, token.param)
        || TableWord(keyword, token.param))
        return;
    SpecialCharacter(keyword, token.hasParam, token.param);
}

void RtfReader::ControlSymbol(char symbol)
{
    const bool skipping = m_unicodeSkipLeft > 0;
    if (symbol == '*') {
        m_ignorableNext = true;
        return;
    }
    m_ignorableNext = false;
    if (State().dest == RtfDestination::Skip)
        return;
    switch (symbol) {
    case '\\':
    case '{':
    case '}':
        TextBytes(std::string_view(&symbol, 1));
        return;
    case '\n':
        m_unicodeSkipLeft = 0;
        if (State().dest == RtfDestination::Text)
            EndParagraph();
        return;
    default:
        break;
    }
    char16_t c = 0;
    if (symbol == '~')
        c = 0x00A0; // non-breaking space
    else if (symbol == '-')
        c = 0x00AD; // optional hyphen
    else if (symbol == '_')
        c = 0x2011; // non-breaking hyphen
    if (c == 0)
        return;
    if (skipping)
        --m_unicodeSkipLeft;
    else
        EmitChar(c);
}

bool RtfReader::Destination(RtfKeyword keyword)
{
    RtfGroupState& state = State();
    switch (keyword) {
    case K::FontTable:
        state.dest = RtfDestination::FontTable;
        m_fontEntry = FontEntry();
        return true;
    case K::ColorTable:
        state.dest = RtfDestination::ColorTable;
        m_colourEntry = ColourEntry();
        return true;
    case K::Field:
        m_fieldInstructions.append(QString());
        state.field = static_cast<int>(m_fieldInstructions.size() - 1);
        return true;
    case K::FieldInst:
        state.dest = RtfDestination::FieldInst;
        return true;
    case K::FieldResult: {
        state.dest = RtfDestination::Text;
        const QString target
            = state.field >= 0 ? HyperlinkTarget(m_fieldInstructions[state.field]) : QString();
        if (!target.isEmpty()) {
            m_links.append(target);
            state.chr.link = static_cast<int>(m_links.size() - 1);
        }
        return true;
    }
    case K::Pn:
        state.dest = RtfDestination::Pn;
        m_pn = Pn();
        return true;
    case K::PnTextAfter:
        state.dest = RtfDestination::PnTextAfter;
        return true;
    case K::PnTextBefore:
        state.dest = RtfDestination::PnTextBefore;
        return true;
    case K::ListTable:
        state.dest = RtfDestination::ListTable;
        return true;
    case K::List:
        state.dest = RtfDestination::List;
        m_listId = 0;
        m_listLevels.clear();
        return true;
    case K::ListLevel:
        state.dest = RtfDestination::ListLevel;
        m_level = RichListFormat();
        return true;
    case K::LevelText:
        state.dest = RtfDestination::LevelText;
        m_levelText.clear();
        return true;
    case K::ListOverrideTable:
        state.dest = RtfDestination::ListOverrideTable;
        return true;
    case K::ListOverride:
        state.dest = RtfDestination::ListOverride;
        m_overrideListId = 0;
        m_overrideNumber = 0;
        return true;
    case K::Upr:
        state.inUpr = true;
        state.uprDest = state.dest;
        state.dest = RtfDestination::Skip;
        return true;
    case K::Ud:
        return true; // outside \upr the \ud text is read as usual
    case K::SkippedDestination:
        state.dest = RtfDestination::Skip;
        return true;
    default:
        return false;
    }
}

bool RtfReader::CharacterWord(RtfKeyword keyword, bool hasParam, int param)
{
    RtfGroupState& state = State();
    RtfCharState& chr = state.chr;
    const bool on = !hasParam || param != 0;
    switch (keyword) {
    case K::Plain: {
        const int link = chr.link;
        chr = RtfCharState();
        chr.link = link; // a link is structure, not format
        return true;
    }
    case K::Font:
        if (state.dest == RtfDestination::FontTable) {
            CommitFont();
            m_fontEntry.index = param;
        } else {
            chr.font = param;
        }
        return true;
    case K::FontSize:
        chr.sizeHalfPoints = param > 0 ? std::min(param, 32767) : RtfFormat::kDefaultSizeHalfPoints;
        return true;
    case K::Bold:
        chr.bold = on;
        return true;
    case K::Italic:
        chr.italic = on;
        return true;
    case K::Underline:
        chr.underline = on;
        return true;
    case K::UnderlineNone:
        chr.underline = false;
        return true;
    case K::Strike:
        chr.strikeOut = on;
        return true;
    case K::Super:
        chr.superscript = on;
        chr.subscript = false;
        return true;
    case K::Sub:
        chr.subscript = on;
        chr.superscript = false;
        return true;
    case K::NoSuperSub:
        chr.superscript = chr.subscript = false;
        return true;
    case K::Hidden:
        chr.hidden = on;
        return true;
    case K::TextColour:
        chr.textColour = hasParam ? param : -1;
        return true;
    case K::Background:
        chr.background = hasParam ? param : -1;
        return true;
    default:
        return false;
    }
}

bool RtfReader::ParagraphWord(RtfKeyword keyword, int param)
{
    RtfGroupState& state = State();
    RichParagraphFormat& para = state.para;
    using Alignment = RichParagraphFormat::Alignment;
    switch (keyword) {
    case K::Pard:
        para = RichParagraphFormat();
        state.listOverride = 0;
        state.listLevel = 0;
        return true;
    case K::AlignLeft:
        para.alignment = Alignment::Left;
        return true;
    case K::AlignCentre:
        para.alignment = Alignment::Centre;
        return true;
    case K::AlignRight:
        para.alignment = Alignment::Right;
        return true;
    case K::AlignJustify:
        para.alignment = Alignment::Justify;
        return true;
    case K::LeftIndent:
        para.leftIndent = param;
        return true;
    case K::RightIndent:
        para.rightIndent = param;
        return true;
    case K::FirstIndent:
        para.firstLineIndent = param;
        return true;
    case K::SpaceBefore:
        para.spaceBefore = param;
        return true;
    case K::SpaceAfter:
        para.spaceAfter = param;
        return true;
    case K::LineSpacing:
        para.lineSpacing = param;
        return true;
    case K::LineMultiple:
        para.lineSpacingMultiple = param != 0;
        return true;
    case K::TabStop:
        if (para.tabStops.size() < 64)
            para.tabStops.append(param);
        return true;
    case K::ListNumber:
        if (state.dest == RtfDestination::ListOverride) {
            m_overrideNumber = param;
        } else {
            state.listOverride = param;
            ApplyListOverride();
        }
        return true;
    case K::ListLevelNumber:
        // \ilvl may come before or after \ls; only a list has a level.
        state.listLevel = std::clamp(param, 0, 8);
        if (state.listOverride != 0)
            ApplyListOverride();
        else if (para.list.IsList())
            para.list.level = state.listLevel;
        return true;
    case K::PnBody:
        m_pn.kind = Pn::Kind::Body;
        return true;
    case K::PnBullet:
        m_pn.kind = Pn::Kind::Bullet;
        return true;
    case K::PnContinue:
        m_pn.kind = Pn::Kind::Continue;
        return true;
    case K::PnLevel:
        m_pn.kind = Pn::Kind::Body;
        m_pn.level = std::clamp(param - 1, 0, 8);
        return true;
    case K::PnArabic:
        m_pn.style = RichListStyle::Arabic;
        return true;
    case K::PnLowerLetter:
        m_pn.style = RichListStyle::LowerLetter;
        return true;
    case K::PnUpperLetter:
        m_pn.style = RichListStyle::UpperLetter;
        return true;
    case K::PnLowerRoman:
        m_pn.style = RichListStyle::LowerRoman;
        return true;
    case K::PnUpperRoman:
        m_pn.style = RichListStyle::UpperRoman;
        return true;
    case K::PnStart:
        m_pn.start = param;
        return true;
    case K::PnIndent:
        m_pn.numberTab = param;
        return true;
    default:
        return false;
    }
}

bool RtfReader::TableWord(RtfKeyword keyword, int param)
{
    RtfGroupState& state = State();
    switch (keyword) {
    case K::Ansi:
        m_documentCodePage = 1252;
        return true;
    case K::Mac:
        m_documentCodePage = 10000;
        return true;
    case K::Pc:
        m_documentCodePage = 437;
        return true;
    case K::Pca:
        m_documentCodePage = 850;
        return true;
    case K::AnsiCodePage:
        if (param > 0)
            m_documentCodePage = param;
        return true;
    case K::DefaultFont:
        m_defaultFont = param;
        return true;
    case K::Charset:
        m_fontEntry.charset = param;
        return true;
    case K::FontCodePage:
        m_fontEntry.codePage = std::max(param, 0);
        return true;
    case K::Red:
        m_colourEntry.red = std::clamp(param, 0, 255);
        m_colourEntry.given = true;
        return true;
    case K::Green:
        m_colourEntry.green = std::clamp(param, 0, 255);
        m_colourEntry.given = true;
        return true;
    case K::Blue:
        m_colourEntry.blue = std::clamp(param, 0, 255);
        m_colourEntry.given = true;
        return true;
    case K::ListId:
        if (state.dest == RtfDestination::ListOverride)
            m_overrideListId = param;
        else
            m_listId = param;
        return true;
    case K::LevelNfc:
        m_level.style = StyleOfLevelNfc(param);
        return true;
    case K::LevelStartAt:
        m_level.start = param;
        return true;
    default:
        return false;
    }
}

bool RtfReader::SpecialCharacter(RtfKeyword keyword, bool hasParam, int param)
{
    const RtfGroupState& state = State();
    const bool text = state.dest == RtfDestination::Text;
    switch (keyword) {
    case K::Par:
        if (text)
            EndParagraph();
        return true;
    case K::Row:
        if (text)
            EndParagraph();
        return true;
    case K::Cell:
        if (text)
            m_cellTabPending = true; // a tab between cells, none after the last
        return true;
    case K::Line:
        EmitChar(QChar::LineSeparator);
        return true;
    case K::Tab:
        EmitChar(u'\t');
        return true;
    case K::Unicode:
        if (hasParam) {
            // \u takes a signed 16-bit value; anything outside that is no character.
            const bool valid = param >= -32768 && param <= 65535;
            EmitChar(valid ? static_cast<char16_t>(param < 0 ? param + 65536 : param) : char16_t(0xFFFD));
            m_unicodeSkipLeft = state.unicodeSkip;
        }
        return true;
    case K::UnicodeSkip:
        State().unicodeSkip = std::clamp(param, 0, 64);
        return true;
    case K::EmDash:
        EmitChar(0x2014);
        return true;
    case K::EnDash:
        EmitChar(0x2013);
        return true;
    case K::EmSpace:
        EmitChar(0x2003);
        return true;
    case K::EnSpace:
        EmitChar(0x2002);
        return true;
    case K::QmSpace:
        EmitChar(0x2005);
        return true;
    case K::Bullet:
        EmitChar(0x2022);
        return true;
    case K::LQuote:
        EmitChar(0x2018);
        return true;
    case K::RQuote:
        EmitChar(0x2019);
        return true;
    case K::LDblQuote:
        EmitChar(0x201C);
        return true;
    case K::RDblQuote:
        EmitChar(0x201D);
        return true;
    case K::Zwj:
        EmitChar(0x200D);
        return true;
    case K::Zwnj:
        EmitChar(0x200C);
        return true;
    case K::LtrMark:
        EmitChar(0x200E);
        return true;
    case K::RtlMark:
        EmitChar(0x200F);
        return true;
    case K::Zwbo:
        EmitChar(0x200B);
        return true;
    default:
        return false;
    }
}
