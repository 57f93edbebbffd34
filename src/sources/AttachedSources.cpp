#include "sources/AttachedSources.h"

#include "format/SourcesFile.h"
#include "sources/SourceLookup.h"

void FillAttachedSources(NotesList& notes, const QString& sourcesPath)
{
    FillAttachedSources(notes, LoadSourcesFile(sourcesPath));
}

void FillAttachedSources(NotesList& notes, const SourceList& sources)
{
    for (NoteRecord& note : notes) {
        if (note.SourceID > 0)
            note.AttachedSource = AttachedSourceFor(sources, note.SourceID);
    }
}
