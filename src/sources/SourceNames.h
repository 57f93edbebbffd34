#pragma once

#include <QString>

// Source types (SourceRecord::Type) and citation styles (SourceRecord::Style) with the
// names the program shows for them.
namespace SourceType {
constexpr int Book = 1;
constexpr int JournalArticle = 2;
constexpr int Periodical = 3;
constexpr int Online = 4;
constexpr int Dissertation = 5;
constexpr int Multimedia = 6;
constexpr int Lecture = 7;
} // namespace SourceType

namespace CitationStyle {
constexpr int GenericByTitle = 0;
constexpr int GenericByAuthor = 1;
constexpr int Acm = 2;
constexpr int Acs = 3;
constexpr int Apsa = 4;
constexpr int Ama = 5;
constexpr int Asa = 6;
constexpr int Harvard = 7;
constexpr int Mla = 8;
constexpr int Apa = 9;
constexpr int CseCbe = 10;
constexpr int ChicagoHumanities = 11;
constexpr int ChicagoAuthorDate = 12;
constexpr int Oxford = 13;
constexpr int Count = 14;
} // namespace CitationStyle

// "Book" ... "Lecture/Speech" for 1 to 7; empty for any other number.
QString SourceTypeName(int type);
// "Generic by Title" ... "Oxford Style" for 0 to 13; empty for any other number.
QString CitationStyleName(int style);
