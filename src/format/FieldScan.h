#pragma once

#include <QByteArray>
#include <vector>

// The primitive steps of reading fields in place from the logical bytes of a data file
// (see FieldFormat.h), shared by FieldReader and the fast note-file scanners. Each step
// starts at pos, never reads past size and advances pos over what it consumed.
namespace FieldScan {

// The text-stream translation of a whole file: everything from the first Ctrl-Z is cut
// off and each CR LF becomes LF. A file without carriage returns is shared, not copied.
QByteArray FoldLineEnds(const QByteArray& diskBytes);
// The same translation over bytes the caller owns; returns the logical size. folds, when
// given, receives where each LF that lost its CR stands in the logical bytes, in order.
qsizetype FoldLineEndsInPlace(char* bytes, qsizetype size, std::vector<qsizetype>* folds = nullptr);

// Like fgets and atol: at most the field's width, stopping after a line feed.
// Nothing left to read gives the missing-field defaults.
qint32 ReadInt(const char* data, qsizetype size, qsizetype& pos);
double ReadReal(const char* data, qsizetype size, qsizetype& pos);
// A Text field's bytes, in place: up to its length or the end of data, and up to its
// first NUL byte.
void TextSpan(const char* data, qsizetype size, qsizetype& pos, const char** start, qsizetype* length);
void SkipText(const char* data, qsizetype size, qsizetype& pos);

// The steps above over one stream of logical bytes, keeping the place between them.
struct Cursor
{
    const char* data = nullptr;
    qsizetype size = 0;
    qsizetype pos = 0;

    qint32 ReadInt() { return FieldScan::ReadInt(data, size, pos); }
    double ReadReal() { return FieldScan::ReadReal(data, size, pos); }
    void TextSpan(const char** start, qsizetype* length)
    {
        FieldScan::TextSpan(data, size, pos, start, length);
    }
    void SkipText() { FieldScan::SkipText(data, size, pos); }
    bool AtEnd() const { return pos >= size; }
};

} // namespace FieldScan
