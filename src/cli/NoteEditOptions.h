#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class CliArguments;
class NoteDatabase;
struct NoteRecord;

// What add and edit may change in a note, as the note editor's controls would:
//   --text T         the text (its rich text made from the plain text)
//   --source ID      the source; 0 removes it
//   --keywords K     the key word line
//   --category A/B/C/D  the category path, one name per level (at most four)
//   --attach PATH    a file attached (repeatable; add only)
class NoteEditOptions
{
public:
    static void Declare(CliArguments& arguments, bool withAttachments);
    // False, with a usage message, for a malformed value.
    bool Accept(const CliArguments& arguments, QString* error);

    // Applies the given options to the record as the editor's controls do: the source
    // is copied in from the database (an unknown id leaves the note without a source).
    // False, with the message of the attachments dialog, for a file that cannot be
    // attached.
    bool ApplyTo(NoteRecord& note, const NoteDatabase& database, QString* error) const;

    bool HasText() const { return m_text.has_value(); }

private:
    std::optional<QString> m_text;
    std::optional<qint32> m_sourceId;
    std::optional<QString> m_keyWords;
    std::optional<QStringList> m_categories;
    QStringList m_attachments;
};
