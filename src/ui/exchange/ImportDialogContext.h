#pragma once

#include "editor/widgets/NoteTextFont.h"
#include "format/AuthorRecord.h"
#include "format/SourceRecord.h"

#include <QString>
#include <functional>

class CategoryTree;
class ProgressReporter;
class QDialog;
class UserPrompt;

// What the import dialog and its sub-dialogs read from the program around them.
struct ImportDialogContext
{
    const CategoryTree* trees = nullptr; // the override's and the editor's names
    const SourceList* sources = nullptr; // the database's, for the differences report
    const AuthorList* authors = nullptr;
    QString tempFolder; // where the archive was extracted
    NoteTextFont textFont = NoteTextFont::FromSetting(NoteTextFont::DefaultSetting()); // "EditTextFont"
    UserPrompt* prompt = nullptr;
    // The progress and notification windows; silent when unset.
    ProgressReporter* progress = nullptr;
    // Runs a sub-dialog modally; tests replace it to act on the dialog instead.
    std::function<int(QDialog&)> runDialog;
};
