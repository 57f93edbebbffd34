#pragma once

class CitationBuilder;

// Writes the citation of the builder's source in a style: the style's element list for
// the source's type (CitationStyleTable.h), marks last. The date text and the author list
// are already in the source when it runs. False for a style outside 0 to 13.
bool FormatInStyle(CitationBuilder& b, int style);
