#include "exchange/BibutilsReader.h"

#include "format/TaggedRecords.h"

extern "C" {
#include <bibutils/bibformats.h>
#include <bibutils/bibutils.h>
}

#include <cstdio>
#include <memory>

// Helpers of this file, in its own namespace so that no other file sees them.
namespace BibutilsReader {

// The fields of one bibutils reference, as (tag, value, level) in order.
struct Tagged
{
    QString tag;
    QString value;
    int level = 0;
};

class Reference
{
public:
    explicit Reference(fields* ref)
    {
        for (int i = 0; i < ref->n; ++i) {
            const fields_entry* e = ref->entries[i];
            if (!e->tag.data || !e->value.data || e->value.len == 0)
                continue;
            m_tags.append(
                {QString::fromUtf8(e->tag.data), QString::fromUtf8(e->value.data).trimmed(), e->level});
        }
    }

    // The first value of the tag at the level (any level when level < 0).
    QString Value(const char* tag, int level = -1) const
    {
        for (const Tagged& t : m_tags) {
            if (t.tag == QLatin1String(tag) && (level < 0 || t.level == level))
                return t.value;
        }
        return {};
    }
    // The first value at the lowest level holding the tag.
    QString Nearest(const char* tag) const
    {
        for (int level = 0; level <= 2; ++level) {
            const QString value = Value(tag, level);
            if (!value.isEmpty())
                return value;
        }
        return {};
    }
    const QList<Tagged>& Tags() const { return m_tags; }

    // True when the level holds a genre or an issuance: a journal or a book that holds
    // the item, not a series.
    bool IsContainer(int level) const
    {
        for (const Tagged& t : m_tags) {
            if (t.level == level
                && (t.tag.startsWith(QLatin1String("GENRE")) || t.tag == QLatin1String("ISSUANCE")))
                return true;
        }
        return false;
    }

    // Every genre, resource and issuance value, lower case, "level:value".
    QStringList Kinds() const
    {
        QStringList kinds;
        for (const Tagged& t : m_tags) {
            // A genre without authority is the file's own word (a degree, a medium), not a kind.
            if ((t.tag.startsWith(QLatin1String("GENRE")) && t.tag != QLatin1String("GENRE:UNKNOWN"))
                || t.tag == QLatin1String("RESOURCE") || t.tag == QLatin1String("ISSUANCE")
                || t.tag == QLatin1String("INTERNAL_TYPE"))
                kinds.append(QStringLiteral("%1:%2").arg(t.level).arg(t.value.toLower()));
        }
        return kinds;
    }

private:
    QList<Tagged> m_tags;
};

bool AnyKind(const QStringList& kinds, std::initializer_list<const char*> words, int level = -1)
{
    for (const QString& kind : kinds) {
        const QString value = kind.mid(kind.indexOf(QLatin1Char(':')) + 1);
        if (level >= 0 && !kind.startsWith(QString::number(level) + QLatin1Char(':')))
            continue;
        for (const char* word : words) {
            if (value.contains(QLatin1String(word)))
                return true;
        }
    }
    return false;
}

// bibutils' genres and resources to an entry type and subtype.
void SetType(BibEntry& entry, const Reference& ref)
{
    const QStringList kinds = ref.Kinds();
    const bool hasHost = !ref.Value("TITLE", 1).isEmpty() && ref.IsContainer(1);
    auto set = [&entry](const char* type, const char* subtype = "") {
        entry.type = QString::fromLatin1(type);
        entry.Set(QStringLiteral("entrysubtype"), QString::fromLatin1(subtype));
    };
    if (AnyKind(kinds, {"thesis", "dissertation"}))
        set("thesis");
    else if (AnyKind(kinds, {"speech", "lecture", "presentation"}))
        set("misc", "speech");
    else if (AnyKind(kinds, {"web page", "web site", "webpage", "electronic"}))
        set("online");
    else if (AnyKind(kinds, {"newspaper"}))
        set("article", "newspaper");
    else if (AnyKind(kinds, {"magazine"}))
        set("article", "magazine");
    else if (AnyKind(kinds, {"journal", "periodical", "continuing", "article"}))
        set("article");
    else if (AnyKind(kinds,
                     {"motion picture", "video", "sound", "film", "software", "multimedia", "audiovisual",
                      "moving image", "music", "broadcast", "cartographic", "still image"}))
        set("misc", "multimedia");
    else if (AnyKind(kinds, {"conference publication", "conference"}) && hasHost)
        set("inproceedings");
    else if (AnyKind(kinds, {"book chapter", "chapter", "section"}) || (hasHost && AnyKind(kinds, {"book"})))
        set("incollection");
    else if (AnyKind(kinds, {"report"}))
        set("report");
    else if (AnyKind(kinds, {"conference publication", "conference"}))
        set("proceedings");
    else if (AnyKind(kinds, {"book", "monographic"}))
        set("book");
    else
        set("misc");
}

QString Title(const Reference& ref, int level)
{
    const QString title = ref.Value("TITLE", level);
    const QString subtitle = ref.Value("SUBTITLE", level);
    return subtitle.isEmpty() ? title : title + QStringLiteral(": ") + subtitle;
}

// "Family|Given|Middle" -> {Family, "Given Middle"}.
BibName PersonName(const QString& value)
{
    QStringList parts = value.split(QLatin1Char('|'));
    const QString family = parts.takeFirst();
    for (QString& part : parts) {
        if (part.size() == 1 && part.at(0).isLetter())
            part += QLatin1Char('.');
    }
    return {family, parts.join(QLatin1Char(' ')), false};
}

void AddNames(BibEntry& entry, const Reference& ref)
{
    for (const Tagged& t : ref.Tags()) {
        const bool author = t.tag.startsWith(QLatin1String("AUTHOR")) && t.level == 0;
        const bool editor = t.tag.startsWith(QLatin1String("EDITOR"));
        if (!author && !editor)
            continue;
        const bool literal = t.tag.endsWith(QLatin1String(":CORP")) || t.tag.endsWith(QLatin1String(":ASIS"));
        const BibName name = literal ? BibName {t.value, QString(), true} : PersonName(t.value);
        (author ? entry.authors : entry.editors).append(name);
    }
}

QString Date(const Reference& ref)
{
    for (const char* prefix : {"DATE", "PARTDATE"}) {
        for (int level = 0; level <= 1; ++level) {
            const QByteArray base(prefix);
            const QString year = ref.Value(QByteArray(base + ":YEAR").constData(), level);
            if (year.isEmpty())
                continue;
            const QString month = ref.Value(QByteArray(base + ":MONTH").constData(), level);
            const QString day = ref.Value(QByteArray(base + ":DAY").constData(), level);
            return DateFromSlashes(year + QLatin1Char('/') + month + QLatin1Char('/') + day);
        }
    }
    return {};
}

BibEntry ToEntry(const Reference& ref)
{
    BibEntry entry;
    SetType(entry, ref);
    entry.key = ref.Value("REFNUM");
    entry.Set(QStringLiteral("title"), Title(ref, 0));
    // A level-1 title without a genre is the series of a book; with one, its container.
    const bool container = ref.IsContainer(1) || entry.type == QLatin1String("article");
    const QString host = container ? Title(ref, 1) : QString();
    if (entry.type == QLatin1String("article"))
        entry.Set(QStringLiteral("journaltitle"), host);
    else if (entry.Field(QStringLiteral("entrysubtype")) == QLatin1String("speech"))
        entry.Set(QStringLiteral("eventtitle"), host);
    else
        entry.Set(QStringLiteral("booktitle"), host);
    entry.Set(QStringLiteral("series"), container ? Title(ref, 2) : Title(ref, 1));
    AddNames(entry, ref);
    entry.Set(QStringLiteral("date"), Date(ref));
    entry.Set(QStringLiteral("volume"), ref.Nearest("VOLUME"));
    entry.Set(QStringLiteral("number"),
              ref.Nearest("ISSUE").isEmpty() ? ref.Nearest("NUMBER") : ref.Nearest("ISSUE"));
    const QString start = ref.Nearest("PAGES:START");
    const QString stop = ref.Nearest("PAGES:STOP");
    entry.Set(QStringLiteral("pages"),
              stop.isEmpty() ? (start.isEmpty() ? ref.Nearest("ARTICLENUMBER") : start)
                             : start + QLatin1Char('-') + stop);
    const QString grantor = ref.Nearest("DEGREEGRANTOR").isEmpty()
        ? (ref.Nearest("DEGREEGRANTOR:ASIS").isEmpty() ? ref.Nearest("DEGREEGRANTOR:CORP")
                                                       : ref.Nearest("DEGREEGRANTOR:ASIS"))
        : ref.Nearest("DEGREEGRANTOR");
    entry.Set(QStringLiteral("institution"), grantor);
    entry.Set(QStringLiteral("publisher"), ref.Nearest("PUBLISHER"));
    entry.Set(QStringLiteral("location"),
              ref.Nearest("ADDRESS").isEmpty() ? ref.Nearest("ADDRESS:PUBLISHER") : ref.Nearest("ADDRESS"));
    entry.Set(QStringLiteral("edition"), ref.Nearest("EDITION"));
    entry.Set(QStringLiteral("url"), ref.Nearest("URL"));
    entry.Set(QStringLiteral("urldate"), ref.Nearest("URLDATE"));
    entry.Set(QStringLiteral("doi"), ref.Nearest("DOI"));
    entry.Set(QStringLiteral("isbn"),
              ref.Nearest("ISBN13").isEmpty() ? ref.Nearest("ISBN") : ref.Nearest("ISBN13"));
    entry.Set(QStringLiteral("issn"), ref.Nearest("ISSN"));
    entry.Set(QStringLiteral("section"), ref.Nearest("SECTION"));
    entry.Set(QStringLiteral("chapter"), ref.Nearest("CHAPTER"));
    entry.Set(QStringLiteral("venue"), ref.Value("LOCATION", 0));
    entry.Set(QStringLiteral("organization"),
              ref.Value("ORGANIZER:CORP", 0).isEmpty() ? ref.Value("ORGANIZER", 0)
                                                       : ref.Value("ORGANIZER:CORP", 0));
    for (const Tagged& t : ref.Tags()) {
        static const QString accessed = QStringLiteral("Accessed: ");
        if (t.tag == QLatin1String("NOTES") && t.value.startsWith(accessed))
            entry.Set(QStringLiteral("urldate"), t.value.mid(accessed.size()));
        else if (t.tag == QLatin1String("NOTES") && !entry.Has(QStringLiteral("note")))
            entry.Set(QStringLiteral("note"), t.value);
    }
    const QString stated = ref.Value("GENRE:UNKNOWN", 0);
    if (entry.type == QLatin1String("thesis"))
        entry.Set(QStringLiteral("type"), stated);
    else
        entry.Set(QStringLiteral("howpublished"), stated);
    return entry;
}

// Sets up the reader of the input. Each format's own set-up is called: the general
// bibl_initparams of bibutils 7.2 leaves the ISI reader unset.
void InitReader(param* p, BibutilsReader::Input input, const QByteArray& bytes)
{
    const char* name = "quorvel";
    switch (input) {
    case BibutilsReader::Input::EndNoteXml:
        endxmlin_initparams(p, name);
        break;
    case BibutilsReader::Input::Medline:
        // PubMed's tagged export ("PMID- 123") is its own reader; its XML the other.
        if (bytes.trimmed().startsWith('<'))
            medin_initparams(p, name);
        else
            nbibin_initparams(p, name);
        break;
    case BibutilsReader::Input::Isi:
        isiin_initparams(p, name);
        break;
    case BibutilsReader::Input::Mods:
        modsin_initparams(p, name);
        break;
    }
    modsout_initparams(p, name);
}

struct ParamDeleter
{
    void operator()(param* p) const
    {
        bibl_freeparams(p);
        delete p;
    }
};

QString InputName(Input input)
{
    switch (input) {
    case Input::EndNoteXml:
        return QStringLiteral("EndNote XML");
    case Input::Medline:
        return QStringLiteral("MEDLINE");
    case Input::Isi:
        return QStringLiteral("ISI");
    case Input::Mods:
        return QStringLiteral("MODS");
    }
    return {};
}

BibReadResult Read(const QByteArray& bytes, Input input, const QString& fileName)
{
    BibReadResult result;
    const QString notOfFormat
        = QStringLiteral("\"%1\" is not a%2 %3 file: no reference could be read from it.")
              .arg(fileName,
                   input == Input::Isi || input == Input::EndNoteXml ? QStringLiteral("n") : QString(),
                   InputName(input));
    if (bytes.trimmed().isEmpty())
        return result;
    QByteArray buffer = bytes;
    FILE* file = fmemopen(buffer.data(), size_t(buffer.size()), "r");
    if (!file) {
        result.error = notOfFormat;
        return result;
    }
    std::unique_ptr<param, ParamDeleter> p(new param);
    InitReader(p.get(), input, bytes);
    p->charsetin = BIBL_CHARSET_UNICODE;
    p->utf8in = 1;
    p->charsetout = BIBL_CHARSET_UNICODE;
    p->utf8out = 1;
    p->latexout = 0;
    p->nosplittitle = 1;
    p->verbose = 0;
    bibl references;
    bibl_init(&references);
    QByteArray name = fileName.toUtf8();
    const int status = bibl_read(&references, file, name.data(), p.get());
    fclose(file);
    if (status == BIBL_OK) {
        for (long i = 0; i < references.n; ++i)
            result.entries.append(ToEntry(Reference(references.ref[i])));
    }
    bibl_free(&references);
    if (result.entries.isEmpty())
        result.error = notOfFormat;
    return result;
}

} // namespace BibutilsReader
