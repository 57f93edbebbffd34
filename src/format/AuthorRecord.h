#pragma once

#include <QList>
#include <QString>

// A person named once and referred to by id from any number of sources.
// Stored as Integer AuthorId, then the five Texts in this order.
struct AuthorRecord
{
    qint32 AuthorId = -1;
    QString FirstName;
    QString MiddleInitial;
    QString LastName;
    QString AuthorText4; // carried through unchanged
    QString AuthorText5; // carried through unchanged

    friend bool operator==(const AuthorRecord&, const AuthorRecord&) = default;
};

using AuthorList = QList<AuthorRecord>;
