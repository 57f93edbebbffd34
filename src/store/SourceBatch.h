#pragma once

#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

// New sources and the new authors they name, stored in one step (an import of sources).
// Until stored, a new author is named by a placeholder id below zero (-1, -2, ...) in
// the AuthorIds of the sources; stored authors by their own ids.
struct SourceBatch
{
    // New authors, each with its placeholder as AuthorId.
    AuthorList authors;
    // New sources: Type, Style, Fields, the date and AuthorIds; SourceId and SourceGUID
    // are issued when the batch is stored.
    SourceList sources;
};
