#include "format/Guid.h"

#include <QUuid>
#include <cstdio>

QString NewGuidText()
{
    const QUuid id = QUuid::createUuid();
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "{%08X-%04X-%04x-%02X%02X-%02X%02X%02X%02X%02X%02X}", id.data1,
                  id.data2, id.data3, id.data4[0], id.data4[1], id.data4[2], id.data4[3], id.data4[4],
                  id.data4[5], id.data4[6], id.data4[7]);
    return QString::fromLatin1(buffer);
}
