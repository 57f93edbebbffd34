#include "exchange/PrintHandOffFiles.h"

#include "format/FieldWriter.h"
#include "format/PrintPreviewFile.h"
#include "sources/CitationFormatter.h"
#include "sources/SourceLookup.h"

void WritePrintPreview(FieldWriter& writer, const NotesList& notes, const SourceList& sources,
                       const AuthorList& authors)
{
    WritePrintPreview(writer, notes, [&sources, &authors](const NoteRecord& note) {
        const SourceRecord* found = note.SourceID > 0 ? FindSource(sources, note.SourceID) : nullptr;
        SourceRecord source = found != nullptr ? *found : SourceRecord();
        FormatCitation(source, authors);
        return source;
    });
}

FileStatus WritePrintPreviewFile(FileSystem& files, const QString& path, const NotesList& notes,
                                 const SourceList& sources, const AuthorList& authors)
{
    FieldWriter writer;
    WritePrintPreview(writer, notes, sources, authors);
    return writer.Save(files, path);
}
