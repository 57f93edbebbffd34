// Element sequences of "Generic by Title", "Generic by Author", "ACM Style", "ACS Style"
// and "APSA Style". Every F/O unit disappears with its punctuation when its field is
// empty; fixed texts (T) and dates (D) are written as they stand.
#include "sources/CitationBuilder.h"
#include "sources/CitationFormatter.h"
#include "sources/CitationStyles.h"
#include "sources/SourceNames.h"

using namespace SourceType;
using MarkKind::Bold;
using MarkKind::Italic;

void FormatGenericByTitle(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.F(0, "", ". "), b.F(7, "'", "', "), b.A(), b.F(8, "edited by: ", ". "), b.O(5, "", " ed. ");
        b.F(3, "Vol. ", ". "), b.F(6, "", ": "), b.F(1, "", ", "), b.F(2, "", ". "), b.F(4, "", ".");
        break;
    case JournalArticle:
        b.F(0, "", ". "), b.A(), b.F(1, "", " "), b.F(3, "", " "), b.F(2, "(", "): "), b.F(4, "", ". ");
        b.F(5, "Retrieved ", ", "), b.F(7, "from ", ".");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.F(0, "", ", "), b.A(), b.F(1, "", ". "), b.F(2, "", ", "), b.F(3, "sec. ", ": "), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.F(0, "", ", "), b.A(), b.F(1, "", ". "), b.F(3, "", ". "), b.F(2, "", ". "), b.F(7, "<", ">. ");
        b.F(4, "accessed ", ". ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.F(0, "", ", "), b.A(), b.F(8, "", ", "), b.F(7, "", ". "), b.F(2, "", ". "), b.F(1, "", ", ");
        b.F(6, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.F(0, "", ", "), b.A(), b.F(2, "(", "). "), b.F(7, "", b.Set(4) ? " " : ". "), b.F(4, "[", "]. ");
        b.F(6, "", ": "), b.F(1, "", ". ");
        b.Mark(7, Italic);
        break;
    case Lecture:
        b.F(0, "", ", "), b.A(), b.F(2, "(", "). "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(6, "", ": ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatGenericByAuthor(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(7, "'", "', "), b.F(0, b.Set(7) ? "in " : "", ". "), b.F(8, "Ed. ", ". "),
            b.O(5, "", " ed. ");
        b.F(3, "Vol. ", ". "), b.F(6, "", ": "), b.F(1, "", ", "), b.F(2, "", ". "), b.F(4, "", ".");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(2, "(", "). "), b.F(0, "\"", ".\", "), b.F(1, "", " "), b.F(3, "", ": "), b.F(4, "", ". ");
        b.F(5, "Retrieved ", ", "), b.F(7, "from ", ".");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(2, "", ", "), b.F(3, "sec. ", ": "),
            b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(3, "", ". "), b.F(2, "", ". "), b.F(7, "<", ">. ");
        b.F(4, "accessed ", ". ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(8, "", ", "), b.F(7, "", ". "), b.F(1, "", ", ");
        b.F(6, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A(), b.F(2, "(", "). "), b.F(0, "\"", ".\", "), b.F(7, "", b.Set(4) ? " " : ". "),
            b.F(4, "[", "]. ");
        b.F(6, "", ": "), b.F(1, "", ". ");
        b.Mark(7, Italic);
        break;
    case Lecture:
        b.A(), b.F(2, "(", "). "), b.F(0, "\"", ".\", "), b.F(7, "", ". "), b.F(1, "", ". "),
            b.F(6, "", ": ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatAcm(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book: {
        const bool noneOf435 = !b.Set(4) && !b.Set(3) && !b.Set(5);
        b.A(), b.F(2, "", ". "), b.F(7, "", ". "), b.F(0, b.Set(7) ? "In " : "", ". "), b.F(8, "", ", Eds. ");
        b.F(1, "", ", "), b.F(6, "", noneOf435 ? ". " : ", "), b.F(3, "", ", "), b.O(5, "", " ed, "),
            b.F(4, "", ".");
        b.Mark(0, Italic);
        break;
    }
    case JournalArticle:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(1, "", " "), b.F(3, "", ", "), b.F(4, "", ". ");
        b.F(5, "Retrieved ", ", "), b.F(7, "from ", ".");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(1, "", ". "), b.F(3, "", ", "), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(1, "", ". "), b.F(3, "", ". "), b.F(7, "", ". ");
        b.F(4, "accessed ", ". ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(2, "", ". "), b.F(0, "", ", "), b.F(1, "", ". "), b.F(8, "", ", ");
        b.F(7, "", b.Set(6) ? ", " : ". "), b.F(6, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(7, "", ". "), b.F(4, "[", "]. "), b.F(6, "", ": ");
        b.F(1, "", ". ");
        b.Mark(7, Italic);
        break;
    case Lecture:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(6, "", ": ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatAcs(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(7, "", ". "), b.F(0, b.Set(7) ? "In " : "", "; "), b.F(8, "", ", Eds.; "),
            b.F(5, "", "; ");
        b.F(1, "", ": "), b.F(6, "", ", "), b.F(2, "", (!b.Set(3) && !b.Set(4)) ? ". " : "; ");
        b.F(3, "Vol. ", ", "), b.F(4, "pp ", ".");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", (!b.Set(3) && !b.Set(4)) ? ". " : ", ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "", ". "), b.F(7, "", b.Set(5) ? " " : ".");
        b.F(5, "(Accessed ", "). ");
        b.Mark(1, Italic), b.Mark(2, Bold);
        break;
    case Periodical:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", (!b.Set(4) && !b.Set(3)) ? ". " : ", ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "p. ", ".");
        b.Mark(1, Italic), b.Mark(2, Bold);
        break;
    case Online:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", ", "), b.F(3, "", ", "), b.F(7, "", ". ");
        b.F(4, "(accessed ", "). ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(8, "", ", "), b.F(7, "", ", "), b.F(6, "", ", "), b.F(1, "", ". ");
        b.F(2, "", b.Set(4) ? ", " : ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A();
        if (b.Set(7))
            b.F(0, "", ". "), b.F(7, "", b.Set(4) ? " " : ". ");
        else
            b.F(0, "", b.Set(4) ? " " : ". ");
        b.F(4, "[", "]. "), b.F(2, "", ". "), b.F(6, "", ", "), b.F(1, "", ". ");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    case Lecture:
        b.A(), b.F(0, "", ". "), b.F(7, "", ". "), b.F(2, "", ". "), b.F(1, "", ". "), b.F(6, "", ", ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatApsa(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(2, "", ". "), b.F(7, "\"", ".\" "), b.F(0, b.Set(7) ? "In " : "", ", "),
            b.O(5, "", " ed. ");
        b.F(3, "Vol. ", ". "), b.F(8, "ed. ", ", "), b.F(6, "", ": "), b.F(1, "", ". "), b.F(4, "", ".");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(1, "", " "), b.F(3, "", ": "), b.F(4, "", ". ");
        b.F(7, "", b.Set(5) ? " " : "."), b.F(5, "(", "). ");
        b.Mark(1, Italic);
        break;
    case Periodical:
        // The year stands at the front; month and day follow the publication.
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" ");
        b.F(1, "", (!b.DateSet() && !b.Set(4) && !b.Set(3)) ? ". " : ", ");
        if (b.DateSet())
            b.D("%B %d. ");
        b.F(3, "", b.Set(4) ? ", " : "."), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(3, "", ", "), b.F(7, "", " ");
        b.F(4, "(", "). ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(8, "", ". ");
        if (b.Set(7))
            b.F(6, "", ": ");
        b.F(7, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(4, "", ". "), b.F(7, "", ". "), b.F(6, "", ": ");
        b.F(1, "", ". ");
        b.Mark(7, Italic);
        break;
    case Lecture:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(6, "", ": ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

bool FormatInStyle(CitationBuilder& b, int style)
{
    using Formatter = void (*)(CitationBuilder&);
    static const Formatter kFormatters[CitationStyle::Count] = {
        FormatGenericByTitle,
        FormatGenericByAuthor,
        FormatAcm,
        FormatAcs,
        FormatApsa,
        FormatAma,
        FormatAsa,
        FormatHarvard,
        FormatMla,
        FormatApa,
        FormatCseCbe,
        FormatChicagoHumanities,
        FormatChicagoAuthorDate,
        FormatOxford,
    };
    if (style < 0 || style >= CitationStyle::Count)
        return false;
    kFormatters[style](b);
    return true;
}
