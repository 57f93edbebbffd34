#include "sources/SourceRecord.h"

SourceRecord::SourceRecord()
    : Date(DateTime::CurrentLocal())
{
    for (int i = 0; i < kSourceFieldCount; ++i)
        Fields.append(QString());
}
