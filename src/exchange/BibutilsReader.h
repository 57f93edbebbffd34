#pragma once

#include "format/BibEntry.h"

#include <QByteArray>
#include <QString>

// The formats read through bibutils, the converter library of this field: EndNote XML,
// MEDLINE/PubMed (XML, and the tagged "PMID- " form), ISI Web of Science and MODS.
// bibutils turns each reference into its own tagged fields (TITLE, AUTHOR "Family|Given",
// PARTDATE:YEAR, level 0 for the item itself, 1 for its journal or book, 2 for its
// series); this adapter turns those into entries of format/BibEntry.h, whose mapping to
// sources is format/SourceMapping.md.
//
// bibutils reports nothing per reference, so a file it cannot read at all, or one of
// which it makes no reference, is "not a ... file"; entries carry no line.
namespace BibutilsReader {

enum class Input
{
    EndNoteXml,
    Medline,
    Isi,
    Mods,
};

BibReadResult Read(const QByteArray& bytes, Input input, const QString& fileName);
// "EndNote XML", "MEDLINE", "ISI", "MODS".
QString InputName(Input input);

} // namespace BibutilsReader
