#include "exchange/SourceFiles.h"

#include "exchange/BibutilsReader.h"
#include "format/BibTexReader.h"
#include "format/BibTexWriter.h"
#include "format/CslJsonFile.h"
#include "format/EndNoteFile.h"
#include "format/FileSystem.h"
#include "format/ModsWriter.h"
#include "format/RisFile.h"
#include "format/TextCodec.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

// Helpers of this file, named so that no other file of the library sees them.
namespace SourceFilesDetail {

struct FormatInfo
{
    SourceFileFormat format;
    const char* name;
    const char* title;
    const char* extension;
};

const FormatInfo kFormats[] = {
    {SourceFileFormat::Auto, "auto", "", ""},
    {SourceFileFormat::BibTeX, "bibtex", "BibTeX", "bib"},
    {SourceFileFormat::BibLaTeX, "biblatex", "BibLaTeX", "bib"},
    {SourceFileFormat::Ris, "ris", "RIS", "ris"},
    {SourceFileFormat::EndNote, "endnote", "EndNote", "enw"},
    {SourceFileFormat::EndNoteXml, "endnote-xml", "EndNote XML", "xml"},
    {SourceFileFormat::Medline, "medline", "MEDLINE", "nbib"},
    {SourceFileFormat::Isi, "isi", "ISI", "isi"},
    {SourceFileFormat::Mods, "mods", "MODS", "xml"},
    {SourceFileFormat::CslJson, "csljson", "CSL-JSON", "json"},
};

const FormatInfo& Info(SourceFileFormat format)
{
    for (const FormatInfo& info : kFormats) {
        if (info.format == format)
            return info;
    }
    return kFormats[0];
}

std::optional<SourceFileFormat> FromContents(const QByteArray& bytes)
{
    QByteArray head = bytes.left(4096);
    if (head.startsWith("\xEF\xBB\xBF"))
        head.remove(0, 3);
    const QByteArray trimmed = head.trimmed();
    if (trimmed.startsWith('[') || trimmed.startsWith('{'))
        return SourceFileFormat::CslJson;
    if (trimmed.startsWith('<')) {
        if (head.contains("<mods") || head.contains("<modsCollection"))
            return SourceFileFormat::Mods;
        if (head.contains("<PubmedArticle") || head.contains("<MedlineCitation"))
            return SourceFileFormat::Medline;
        if (head.contains("<records") || head.contains("<record>"))
            return SourceFileFormat::EndNoteXml;
        return std::nullopt;
    }
    const QString text = QString::fromUtf8(head);
    if (text.contains(QRegularExpression(QStringLiteral("(^|\\n)\\s*TY  - "))))
        return SourceFileFormat::Ris;
    if (text.contains(QRegularExpression(QStringLiteral("(^|\\n)%0 "))))
        return SourceFileFormat::EndNote;
    if (text.contains(QRegularExpression(QStringLiteral("(^|\\n)PMID- "))))
        return SourceFileFormat::Medline;
    if (text.contains(QRegularExpression(QStringLiteral("(^|\\n)(FN|PT) \\S"))))
        return SourceFileFormat::Isi;
    if (text.contains(QRegularExpression(QStringLiteral("@\\s*[A-Za-z]+\\s*[{(]"))))
        return SourceFileFormat::BibTeX;
    return std::nullopt;
}

std::optional<SourceFileFormat> FromExtension(const QString& fileName)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    if (suffix == QLatin1String("bib") || suffix == QLatin1String("bibtex"))
        return SourceFileFormat::BibTeX;
    if (suffix == QLatin1String("ris"))
        return SourceFileFormat::Ris;
    if (suffix == QLatin1String("enw"))
        return SourceFileFormat::EndNote;
    if (suffix == QLatin1String("json"))
        return SourceFileFormat::CslJson;
    if (suffix == QLatin1String("nbib"))
        return SourceFileFormat::Medline;
    if (suffix == QLatin1String("isi") || suffix == QLatin1String("ciw"))
        return SourceFileFormat::Isi;
    if (suffix == QLatin1String("xml"))
        return SourceFileFormat::Mods;
    return std::nullopt;
}

QString Text(const QByteArray& bytes)
{
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    return TextCodec::FromFileBytes(view);
}

} // namespace SourceFilesDetail

QString SourceFormatName(SourceFileFormat format)
{
    using namespace SourceFilesDetail;
    return QString::fromLatin1(Info(format).name);
}

std::optional<SourceFileFormat> SourceFormatFromName(const QString& name)
{
    using namespace SourceFilesDetail;
    for (const FormatInfo& info : kFormats) {
        if (name == QLatin1String(info.name))
            return info.format;
    }
    return std::nullopt;
}

QString SourceFormatTitle(SourceFileFormat format)
{
    using namespace SourceFilesDetail;
    return QString::fromLatin1(Info(format).title);
}

QString SourceFormatExtension(SourceFileFormat format)
{
    using namespace SourceFilesDetail;
    return QString::fromLatin1(Info(format).extension);
}

QList<SourceFileFormat> ExportSourceFormats()
{
    using namespace SourceFilesDetail;
    return {SourceFileFormat::BibTeX,  SourceFileFormat::BibLaTeX, SourceFileFormat::Ris,
            SourceFileFormat::EndNote, SourceFileFormat::Mods,     SourceFileFormat::CslJson};
}

std::optional<SourceFileFormat> DetectSourceFormat(const QByteArray& bytes, const QString& fileName)
{
    using namespace SourceFilesDetail;
    if (const auto format = FromContents(bytes))
        return format;
    return FromExtension(fileName);
}

BibReadResult ReadSourceBytes(const QByteArray& bytes, SourceFileFormat format, const QString& fileName)
{
    using namespace SourceFilesDetail;
    if (format == SourceFileFormat::Auto) {
        const auto detected = DetectSourceFormat(bytes, fileName);
        if (!detected) {
            BibReadResult result;
            if (!bytes.trimmed().isEmpty())
                result.error = QStringLiteral("\"%1\" is not a bibliography file that Quorvel reads (BibTeX, "
                                              "BibLaTeX, RIS, EndNote, EndNote XML, MEDLINE, ISI, MODS or "
                                              "CSL-JSON).")
                                   .arg(fileName);
            return result;
        }
        format = *detected;
    }
    switch (format) {
    case SourceFileFormat::BibTeX:
    case SourceFileFormat::BibLaTeX:
    case SourceFileFormat::Auto:
        return BibTexReader::Read(Text(bytes), fileName);
    case SourceFileFormat::Ris:
        return RisFile::Read(Text(bytes), fileName);
    case SourceFileFormat::EndNote:
        return EndNoteFile::Read(Text(bytes), fileName);
    case SourceFileFormat::CslJson:
        return CslJsonFile::Read(bytes.startsWith("\xEF\xBB\xBF") ? bytes.mid(3) : bytes, fileName);
    case SourceFileFormat::EndNoteXml:
        return BibutilsReader::Read(bytes, BibutilsReader::Input::EndNoteXml, fileName);
    case SourceFileFormat::Medline:
        return BibutilsReader::Read(bytes, BibutilsReader::Input::Medline, fileName);
    case SourceFileFormat::Isi:
        return BibutilsReader::Read(bytes, BibutilsReader::Input::Isi, fileName);
    case SourceFileFormat::Mods:
        return BibutilsReader::Read(bytes, BibutilsReader::Input::Mods, fileName);
    }
    return {};
}

BibReadResult ReadSourceFile(const QString& path, SourceFileFormat format)
{
    using namespace SourceFilesDetail;
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.open(QIODevice::ReadOnly)) {
        BibReadResult result;
        result.error = QStringLiteral("Could not read \"%1\": %2").arg(path, file.errorString());
        return result;
    }
    return ReadSourceBytes(file.readAll(), format, name);
}

QByteArray WriteSourceBytes(const BibEntries& entries, SourceFileFormat format)
{
    using namespace SourceFilesDetail;
    switch (format) {
    case SourceFileFormat::BibTeX:
        return BibTexWriter::Write(entries, BibTexWriter::Dialect::BibTeX).toUtf8();
    case SourceFileFormat::BibLaTeX:
        return BibTexWriter::Write(entries, BibTexWriter::Dialect::BibLaTeX).toUtf8();
    case SourceFileFormat::Ris:
        return RisFile::Write(entries).toUtf8();
    case SourceFileFormat::EndNote:
        return EndNoteFile::Write(entries).toUtf8();
    case SourceFileFormat::Mods:
        return ModsWriter::Write(entries);
    case SourceFileFormat::CslJson:
        return CslJsonFile::Write(entries);
    default:
        return {};
    }
}

FileStatus WriteSourceFile(FileSystem& files, const QString& path, const BibEntries& entries,
                           SourceFileFormat format)
{
    using namespace SourceFilesDetail;
    return files.WriteWholeFile(path, WriteSourceBytes(entries, format));
}
