#pragma once

class CitationBuilder;

// The element sequences of the fourteen styles, one function per style, each choosing by
// the source type (1 to 7) and adding its marks at the end. The date text and the author
// list are already in the source when they run.
void FormatGenericByTitle(CitationBuilder& b);
void FormatGenericByAuthor(CitationBuilder& b);
void FormatAcm(CitationBuilder& b);
void FormatAcs(CitationBuilder& b);
void FormatApsa(CitationBuilder& b);
void FormatAma(CitationBuilder& b);
void FormatAsa(CitationBuilder& b);
void FormatHarvard(CitationBuilder& b);
void FormatMla(CitationBuilder& b);
void FormatApa(CitationBuilder& b);
void FormatCseCbe(CitationBuilder& b);
void FormatChicagoHumanities(CitationBuilder& b);
void FormatChicagoAuthorDate(CitationBuilder& b);
void FormatOxford(CitationBuilder& b);

// Runs the formatter of a style; false for a style outside 0 to 13.
bool FormatInStyle(CitationBuilder& b, int style);
