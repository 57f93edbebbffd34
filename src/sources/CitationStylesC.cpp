// Element sequences of "CSE/CBE Style", "Chicago Style (Humanities)", "Chicago Style
// (Author-Date)" and "Oxford Style". Every F/O unit disappears with its punctuation
// when its field is empty.
#include "sources/CitationBuilder.h"
#include "sources/CitationFormatter.h"
#include "sources/CitationStyles.h"
#include "sources/SourceNames.h"

using namespace SourceType;
using MarkKind::Italic;

void FormatCseCbe(CitationBuilder& b)
{
    // This style marks nothing.
    switch (b.Type()) {
    case Book:
        b.A(), b.F(2, "", ". "), b.F(7, "", ". "), b.F(8, b.Set(7) ? "In: " : "", ", editors. ");
        b.F(0, (b.Set(7) && !b.Set(8)) ? "In: " : "", ". "), b.F(3, "Vol. ", ". "), b.O(5, "", " ed. ");
        b.F(6, "", ": "), b.F(1, "", ". "), b.F(4, "p ", ".");
        break;
    case JournalArticle:
        b.A(), b.F(0, "", ". "), b.F(1, "", " ");
        b.F(2, "", b.Set(5) ? " " : (!b.Set(3) && !b.Set(4)) ? ". " : "; ");
        b.F(5, "[cited ", "]; "), b.F(3, "", b.Set(4) ? ":" : "."), b.F(4, "", ". ");
        b.F(7, "Available from: ", ". ");
        break;
    case Periodical:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", (!b.Set(4) && !b.Set(3)) ? ". " : "; ");
        b.F(3, "", b.Set(4) ? ": " : ". "), b.F(4, "", ".");
        break;
    case Online:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", b.Set(4) ? " " : b.Set(3) ? "; " : ". ");
        b.F(4, "[", "]; "), b.F(3, "", ". "), b.F(7, "Available from: ", " ");
        break;
    case Dissertation:
        b.A(), b.F(0, "", b.Set(8) ? " " : ". "), b.F(8, "[", "]. "), b.F(6, "", b.Set(7) ? ": " : "; ");
        b.F(7, "", "; "), b.F(2, "", ". "), b.F(4, "", ". "), b.F(1, "Available from: ", ". ");
        break;
    case Multimedia:
        b.A(), b.F(0, "", b.Set(4) ? " " : ". "), b.F(4, "[", "]. "), b.F(7, "", ". "), b.F(6, "", ": ");
        b.F(1, "", ". "), b.F(2, "", ". ");
        break;
    case Lecture:
        b.A(), b.F(0, "", ". "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(6, "", ": "), b.F(8, "", ". ");
        b.F(2, "", ". ");
        break;
    }
}

void FormatChicagoHumanities(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(7, "\"", ".\" "), b.F(0, b.Set(7) ? "in " : "", ". "), b.F(8, "Edited by ", ". ");
        b.O(5, "", " ed. "), b.F(3, "vol. ", ". "), b.F(4, "", ". "), b.F(6, "", ": "), b.F(1, "", ", ");
        b.F(2, "", ". ");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", " "), b.F(3, "", " "), b.F(2, "(", b.Set(4) ? "): " : "). ");
        b.F(4, "", ". "), b.F(7, "", b.Set(5) ? " " : "."), b.F(5, "(accessed ", "). ");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", ", "), b.F(2, "", (!b.Set(4) && !b.Set(3)) ? ". " : ", ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(2, "", b.Set(3) ? ", " : ". "), b.F(3, "", ". ");
        b.F(7, "", b.Set(4) ? " " : ". "), b.F(4, "(accessed ", "). ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(0, "\"", ".\" "), b.F(8, "", ", "), b.F(7, "", ", "), b.F(2, "", ". "), b.F(6, "", ": ");
        b.F(1, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A();
        if (b.Set(7))
            b.F(0, "\"", ".\" "), b.F(7, "", ". ");
        else
            b.F(0, "", ". ");
        b.F(6, "", ": "), b.F(1, "", ", "), b.F(2, "", ". "), b.F(4, "", ". ");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    case Lecture:
        b.A();
        if (b.Set(7))
            b.F(0, "\"", ".\" "), b.F(7, "", ". ");
        else
            b.F(0, "", ". ");
        b.F(1, "", ". "), b.F(6, "", ": "), b.F(8, "", b.Set(2) ? ", " : ". "), b.F(2, "", ". ");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    }
}

void FormatChicagoAuthorDate(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(2, "", ". "), b.F(7, "", ". "), b.F(0, b.Set(7) ? "In " : "", ". "),
            b.F(8, "Edited by ", ". ");
        b.O(5, "", " ed. "), b.F(3, "vol. ", ". "), b.F(4, "", ". "), b.F(6, "", ": "), b.F(1, "", ". ");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(1, "", " "), b.F(3, "", ""), b.F(4, ": ", ". ");
        b.F(7, "", b.Set(5) ? " " : "."), b.F(5, "(accessed ", "). ");
        b.Mark(1, Italic);
        break;
    case Periodical:
        // The year stands at the front; month and day follow the publication.
        b.A(), b.F(2, "", ". "), b.F(0, "", ". ");
        b.F(1, "", (!b.DateSet() && !b.Set(4) && !b.Set(3)) ? ". " : ", ");
        if (b.DateSet())
            b.D("%B %d. ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(1, "", ". "), b.F(3, "", ". ");
        b.F(7, "", b.Set(4) ? " " : ". "), b.F(4, "(accessed ", "). ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(8, "", ", "), b.F(7, "", ", "), b.F(6, "", ": ");
        b.F(1, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(7, "", ". "), b.F(6, "", ": "), b.F(1, "", ", ");
        b.F(4, "", ". ");
        if (b.DateSet())
            b.D("%B %d.");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    case Lecture:
        b.A(), b.F(2, "", ". "), b.F(0, "", ". "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(8, "", ": ");
        b.F(6, "", b.DateSet() ? ", " : ". ");
        if (b.DateSet())
            b.D("%B %d.");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    }
}

void FormatOxford(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book: {
        // Volume, edition, place, publisher and year share one parenthesis.
        const bool anyOf35612 = b.Set(3) || b.Set(5) || b.Set(6) || b.Set(1) || b.Set(2);
        b.A(), b.F(7, "'", "', "), b.F(8, b.Set(7) ? "in " : "", " (eds), ");
        b.F(0, (b.Set(7) && !b.Set(8)) ? "in " : "", " ");
        if (anyOf35612)
            b.T("(");
        b.F(3, "vol. ", ", "), b.O(5, "", " edn, "), b.F(6, "", ": "), b.F(1, "", ", "), b.F(2, "", " ");
        if (anyOf35612)
            b.TrimThen(b.Set(4) ? "), " : "). ");
        b.F(4, "p. ", ".");
        b.Mark(0, Italic);
        break;
    }
    case JournalArticle:
        b.A(), b.F(0, "'", "', "), b.F(1, "", ", "), b.F(3, "vol. ", ", "),
            b.F(2, "", b.Set(4) ? ", " : ". ");
        b.F(4, "pp. ", ". "), b.F(5, "retrieved ", ", "), b.F(7, "<", ">. ");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.A(), b.F(0, "'", "', "), b.F(1, "", ", "), b.F(2, "", (!b.Set(4) && !b.Set(3)) ? ". " : ", ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "pp. ", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(0, "", ", "), b.F(1, "", ", "), b.F(3, "", ", "), b.F(2, "", b.Set(4) ? ", " : ". ");
        b.F(4, "retrieved ", ", "), b.F(7, "<", ">. ");
        b.Mark(0, Italic);
        break;
    case Dissertation:
        b.A(), b.F(0, "'", "', "), b.F(1, "", ", "), b.F(8, "", ", "), b.F(7, "", ", "), b.F(6, "", ", ");
        b.F(2, "", b.Set(4) ? ", " : ". "), b.F(4, "pp. ", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A(), b.F(0, "'", "', "), b.F(7, "", ", "), b.F(4, "", ", "), b.F(6, "", ": "), b.F(1, "", ", ");
        b.F(2, "", ". ");
        b.Mark(7, Italic);
        break;
    case Lecture:
        b.A(), b.F(0, "'", "'. "), b.F(7, "", ", "), b.F(1, "", ", "), b.F(6, "", ": "), b.F(8, "", ", ");
        b.F(2, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}
