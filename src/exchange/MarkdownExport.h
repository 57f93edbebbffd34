#pragma once

#include "format/AuthorRecord.h"
#include "format/DataFolder.h"
#include "format/FileStatus.h"
#include "format/NoteRecord.h"
#include "format/SourceRecord.h"

#include <QString>

class ProgressReporter;

// "Export Current Notes as Markdown...": each note as a Markdown file of its own, for
// writers who cite from their notes with Pandoc, Zettlr or Obsidian:
//
//   folder/1002-cell-growth-is-fast.md      the note
//   folder/1002-cell-growth-is-fast/...     its attachments, by their original names
//   folder/references.bib                   the sources the notes cite (BibLaTeX)
//
// A note file opens with a front matter:
//   ---
//   id: 1002
//   guid: "{...}"
//   date_added: 2008-08-14T09:00:00
//   last_edited: 2008-08-14T21:23:56
//   categories: ["Science/Physics"]
//   key_words: ["growth", "cells"]
//   source: "smith2007cell"
//   ---
// then the note's text (richtext/MarkdownText.h), its citation "[@smith2007cell]" (the
// source's key in references.bib, sources/CitationKeys.h) and its attachments as links
// (images shown). Files of an earlier export to the same folder are replaced.
struct MarkdownExportResult
{
    int count = 0; // notes written
    QString bibPath; // the references file
    FileStatus status; // the first failure; files written before it stay
};

MarkdownExportResult ExportNotesAsMarkdown(const QString& folder, const NotesList& notes,
                                           const SourceList& sources, const AuthorList& authors,
                                           const DataFolder& data, ProgressReporter& progress);

// The file name a note gets, without ".md": its id and the first words of its text.
QString MarkdownNoteName(const NoteRecord& note);
