// Element sequences of "AMA Style", "ASA Style", "Harvard Style", "MLA Style" and
// "APA Style". Every F/O unit disappears with its punctuation when its field is empty.
#include "sources/CitationBuilder.h"
#include "sources/CitationFormatter.h"
#include "sources/CitationStyles.h"
#include "sources/SourceNames.h"

using namespace SourceType;
using MarkKind::Italic;
using MarkKind::Underline;

void FormatAma(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(7, "", ". "), b.F(8, b.Set(7) ? "In: " : "", ", eds. ");
        b.F(0, (b.Set(7) && !b.Set(8)) ? "In: " : "", ". "), b.O(5, "", " ed. "), b.F(6, "", ": "),
            b.F(1, "", "; ");
        b.F(2, "", b.Set(3) ? ";" : b.Set(4) ? ":" : ".");
        b.F(3, "", b.Set(4) ? ":" : "."), b.F(4, "", ".");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", (!b.Set(3) && !b.Set(4)) ? "." : ";");
        b.F(3, "", b.Set(4) ? ":" : "."), b.F(4, "", ". "), b.F(7, "Available from: ", ". ");
        b.F(5, "Accessed ", ".");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", (!b.Set(3) && !b.Set(4)) ? "." : ";");
        b.F(3, "", b.Set(4) ? ":" : "."), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(0, "", ". "), b.F(1, "", ". "), b.F(2, "", b.Set(3) ? ";" : ". "), b.F(3, "", ". ");
        b.F(7, "Available at: ", ". "), b.F(4, "Accessed ", ". ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(0, "", ". "), b.F(6, "", ": "), b.F(1, "", "; "), b.F(8, "", b.Set(7) ? ", " : "; ");
        b.F(7, "", "; "), b.F(2, "", b.Set(4) ? ":" : ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A();
        if (b.Set(7))
            b.F(0, "", ". "), b.F(7, "", b.Set(4) ? " " : ". ");
        else
            b.F(0, "", b.Set(4) ? " " : ". ");
        b.F(4, "[", "]. "), b.F(6, "", ": "), b.F(1, "", "; "), b.F(2, "", ". ");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    case Lecture:
        b.A(), b.F(0, "", ". "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(6, "", ": "), b.F(8, "", "; ");
        b.F(2, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatAsa(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(2, "", ". "), b.F(7, "\"", ".\" "), b.F(4, "Pp. ", " "),
            b.F(0, b.Set(7) ? "in " : "", ", ");
        b.F(3, "vol. ", ". "), b.O(5, "", " ed. "), b.F(8, "edited by ", ". "), b.F(6, "", ": "),
            b.F(1, "", ". ");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", "\". "), b.F(1, "", " "), b.F(3, "", ":"), b.F(4, "", ". ");
        b.F(5, "Retrieved ", b.Set(7) ? " " : "."), b.F(7, "(", "). ");
        b.Mark(1, Italic);
        break;
    case Periodical:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(1, "", ", "), b.F(3, "", ", "), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(1, "", ", "), b.F(3, "", ". "),
            b.F(4, "Retrieved ", " ");
        b.F(7, "(", "). ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(8, "", ", "), b.F(7, "", ". ");
        b.F(6, "", ". "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(4, "[", (!b.Set(1) && !b.Set(7)) ? "]. " : "] ");
        b.F(7, "", ". "), b.F(6, "", ": "), b.F(1, "", ". ");
        break;
    case Lecture:
        b.A(), b.F(2, "", ". "), b.F(0, "\"", ".\" "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(6, "", ": ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatHarvard(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(2, "", ", "), b.F(7, "'", "', "), b.F(8, b.Set(7) ? "in " : "", " (eds), ");
        b.F(0, (b.Set(7) && !b.Set(8)) ? "in " : "", ", "), b.F(3, "vol. ", ", "), b.O(5, "", " edn, ");
        b.F(1, "", ", "), b.F(6, "", b.Set(4) ? ", " : ". "), b.F(4, "pp. ", ".");
        b.Mark(0, Italic);
        break;
    case JournalArticle:
        b.A(), b.F(2, "", ", "), b.F(0, "'", "', "), b.F(1, "", ", "), b.F(3, "vol. ", ", "),
            b.F(4, "pp. ", ". ");
        b.F(5, "Retrieved ", ", "), b.F(7, "from ", ". ");
        b.Mark(1, Italic);
        break;
    case Periodical: {
        // The year stands at the front; day and month follow the publication.
        const bool noneOf43 = !b.Set(4) && !b.Set(3);
        b.A(), b.F(2, "", ", "), b.F(0, "'", "', "), b.F(1, "", (!b.DateSet() && noneOf43) ? ". " : ", ");
        if (b.DateSet())
            b.D(noneOf43 ? "%d %b. " : "%d %b., ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "p. ", ".");
        b.Mark(1, Italic);
        break;
    }
    case Online:
        b.A(), b.F(2, "", ", "), b.F(0, "'", "', "), b.F(1, "", ", "), b.F(3, "", ", "),
            b.F(4, "Retrieved ", ", ");
        b.F(7, "from ", ". ");
        b.Mark(1, Italic);
        break;
    case Dissertation:
        b.A(), b.F(2, "", ", "), b.F(0, "'", "', "), b.F(8, "", ", "), b.F(7, "", ". ");
        b.F(1, "from ", (!b.Set(4) && !b.Set(6)) ? ". " : ", "), b.F(6, "", b.Set(4) ? ", " : ". ");
        b.F(4, "pp. ", ". ");
        b.Mark(1, Italic);
        break;
    case Multimedia:
        b.A();
        if (b.Set(7))
            b.F(0, "", ". "), b.F(7, "", b.Set(4) ? " " : ", ");
        else
            b.F(0, "", b.Set(4) ? " " : ", ");
        b.F(2, "", ", "), b.F(4, "", ", "), b.F(1, "", ", "), b.F(6, "", ". ");
        b.Mark(b.Set(7) ? 7 : 0, Italic);
        break;
    case Lecture:
        b.A(), b.F(0, "", ". "), b.F(7, "", ", "), b.F(2, "", ", "), b.F(1, "", ", "), b.F(6, "", ", ");
        b.F(8, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}

void FormatMla(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book:
        b.A(), b.F(7, "\"", ".\" "), b.F(0, "", ". "), b.F(8, "Eds. ", ". "), b.F(3, "Vol. ", ". ");
        b.O(5, "", " ed. "), b.F(6, "", ": "), b.F(1, "", ", "), b.F(2, "", ". "), b.F(4, "", ".");
        b.Mark(0, Underline);
        break;
    case JournalArticle:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", " "), b.F(3, "", " "), b.F(2, "(", b.Set(4) ? "): " : "). ");
        b.F(4, "", ". "), b.F(5, "", b.Set(7) ? " " : "."), b.F(7, "<", ">. ");
        b.Mark(1, Underline);
        break;
    case Periodical:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", " "), b.F(2, "", (!b.Set(3) && !b.Set(4)) ? ". " : ": ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "", ".");
        b.Mark(1, Underline);
        break;
    case Online:
        b.A(), b.F(0, "\"", ".\" "), b.F(1, "", ". "), b.F(3, "", ". "), b.F(2, "", ". "), b.F(4, "", " ");
        b.F(7, "<", ">. ");
        b.Mark(1, Underline);
        break;
    case Dissertation:
        b.A(), b.F(0, "\"", ".\" "), b.F(8, "", " "), b.F(7, "", ", "), b.F(2, "", ". "), b.F(6, "", ": ");
        b.F(1, "", ". "), b.F(4, "", ". ");
        break;
    case Multimedia:
        b.A(), b.F(0, "", ". "), b.F(7, "", ". "), b.F(4, "", ". "), b.F(6, "", ": "), b.F(1, "", ". ");
        b.F(2, "", ". ");
        b.Mark(0, Underline);
        break;
    case Lecture:
        b.A(), b.F(0, "\"", ".\" "), b.F(7, "", ". "), b.F(1, "", ", "), b.F(6, "", ". "), b.F(8, "", ". ");
        b.F(2, "", ". ");
        break;
    }
}

void FormatApa(CitationBuilder& b)
{
    switch (b.Type()) {
    case Book: {
        // Volume, edition and pages share one parenthesis.
        const bool anyOf354 = b.Set(3) || b.Set(5) || b.Set(4);
        b.A(), b.F(2, "(", "). "), b.F(7, "", ". "), b.F(8, b.Set(7) ? "In " : "", " (Eds.), ");
        b.F(0, (b.Set(7) && !b.Set(8)) ? "In " : "", ". ");
        if (anyOf354)
            b.T("(");
        b.F(3, "Vol. ", ", "), b.O(5, "", " ed., "), b.F(4, "pp. ", " ");
        if (anyOf354)
            b.TrimThen("). ");
        b.F(6, "", ": "), b.F(1, "", ". ");
        b.Mark(0, Italic);
        break;
    }
    case JournalArticle:
        b.A(), b.F(2, "(", "). "), b.F(0, "", ". "), b.F(1, "", ", "), b.F(3, "", ", "), b.F(4, "", ". ");
        b.F(5, "Retrieved ", ", "), b.F(7, "from ", ". ");
        b.Mark(1, Italic), b.Mark(3, Italic);
        break;
    case Periodical:
        b.A(), b.F(2, "(", "). "), b.F(0, "", " "), b.F(1, "", (!b.Set(4) && !b.Set(3)) ? ". " : ", ");
        b.F(3, "", b.Set(4) ? ", " : ". "), b.F(4, "", ".");
        b.Mark(1, Italic);
        break;
    case Online:
        b.A(), b.F(2, "(", "). "), b.F(0, "", ". "), b.F(1, "", ", "), b.F(3, "", ". ");
        b.F(4, "Retrieved ", b.Set(7) ? ", " : ". "), b.F(7, "from ", " ");
        b.Mark(1, Italic);
        break;
    case Dissertation: {
        // Degree and school share one parenthesis.
        const bool anyOf87 = b.Set(8) || b.Set(7);
        b.A(), b.F(2, "(", "). "), b.F(0, "", anyOf87 ? " " : ". ");
        if (anyOf87)
            b.T("(");
        b.F(8, "", b.Set(7) ? ", " : ""), b.F(7, "", "");
        if (anyOf87)
            b.T("). ");
        b.F(6, "", ": "), b.F(1, "", ", "), b.F(4, "", ". ");
        b.Mark(1, Italic);
        break;
    }
    case Multimedia:
        b.A(), b.F(2, "(", "). "), b.F(0, "", ". "), b.F(7, "", b.Set(4) ? " " : ". "), b.F(4, "[", "]. ");
        b.F(6, "", ": "), b.F(1, "", ". ");
        b.Mark(7, Italic);
        break;
    case Lecture:
        b.A(), b.F(2, "(", "). "), b.F(0, "", ". "), b.F(7, "", ". "), b.F(1, "", ". "), b.F(8, "", ". ");
        b.F(6, "", ". ");
        b.Mark(7, Italic);
        break;
    }
}
