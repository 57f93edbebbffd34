#include "format/SourceRecord.h"

SourceRecord::SourceRecord()
    : Fields(BlankFields())
    , Date(DateTime::CurrentLocal())
{
}

const QStringList& SourceRecord::BlankFields()
{
    // Every note record holds a source: sharing one blank list saves an allocation for
    // each note read.
    static const QStringList blank(kSourceFieldCount, QString());
    return blank;
}
