#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>

class DateTime;
class NoteIdList;
class Settings;
struct AttachmentRecord;
struct AuthorRecord;
struct NoteRecord;
struct SourceRecord;

// The JSON forms of quorvel-cli's objects. Date-times print in the on-disk text form
// "YYYY-MM-DD-HH-MM-SS" (a null one as "", an invalid one as "Invalid DateTime").
class CliJson
{
public:
    // {"id", "source_id", "date_added", "last_edited", "guid", "key_words",
    //  "reserved_text", "spell_check", "attachments", "plain_text", "rich_text",
    //  "categories": [[level, name, parentName]...], "file": note file name, no folder}
    static QJsonObject Note(const NoteRecord& note);
    static QJsonArray Notes(const QList<NoteRecord>& notes);
    // {"shift", "scale", "title", "stored_name", "original_name", "kind", "show_image"}
    static QJsonObject Attachment(const AttachmentRecord& attachment);
    // {"id", "guid", "type", "style", "indent", "et_al", "author_ids", "fields",
    //  "year_only", "date_set", "date", "authors_text", "notes"}
    // notes: the notes citing it.
    static QJsonObject Source(const SourceRecord& source, const NoteIdList& notes);
    // {"id", "first", "middle", "last", "text4", "text5"}
    static QJsonObject Author(const AuthorRecord& author);
    // Every value of the settings table under its stored name: rectangles as
    // [left, top, right, bottom], "ZoomLvl" as the stored percentage, fonts as objects.
    static QJsonObject SettingsValues(const Settings& settings);

    static QJsonValue Time(const DateTime& value);
    static QJsonArray Ids(const NoteIdList& ids);
    static QJsonArray Ids(const QList<qint32>& ids);
};
