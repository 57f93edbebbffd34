#pragma once

#include "format/BibEntry.h"

#include <QByteArray>

// Writes entries of format/BibEntry.h as a MODS collection (the Library of Congress's
// XML for bibliographic records), in the forms that bibutils' MODS reader
// (exchange/BibutilsReader.h) takes back field for field:
//   title                      titleInfo/title
//   authors, editors           name type="personal" (namePart family, given) or
//                              type="corporate", with roleTerm author or editor
//   date, publisher, location  originInfo: dateIssued "YYYY[-MM[-DD]]", publisher,
//   edition                    place/placeTerm, edition
//   organization               name type="corporate", roleTerm organizer
//   institution                name type="corporate", roleTerm degree grantor
//   journal, book, event       relatedItem type="host" (with a genre: periodical or
//                              academic journal, book, conference publication, event)
//   series                     relatedItem type="series" (inside the host when there is one)
//   key, doi, isbn, issn       identifier type="citekey", "doi", "isbn", "issn"
//   url, venue                 location/url, location/physicalLocation
//   volume, number, section,   part/detail type="volume", "issue", "section",
//   chapter, pages             "chapter"; part/extent unit="page" start and end
//   type (a thesis's degree),  genre without authority
//   howpublished (a medium)
//   urldate                    note "Accessed: <text>"
// and the entry's kind as genre authority="marcgt" (book, thesis, web site, speech,
// motion picture...).
namespace ModsWriter {

QByteArray Write(const BibEntries& entries);

} // namespace ModsWriter
