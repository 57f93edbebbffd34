#include "format/AttachmentRecord.h"

#include "format/DataFolder.h"
#include "format/FieldWriter.h"

#include <QDir>
#include <cstdlib>

namespace {

struct KindInfo
{
    qint32 kind;
    const char* name;
    const char* extensions;
};

const KindInfo kKinds[] = {
    {KindImage, "Image File", "bmp,jpg,jpeg,gif,tif,tiff,dib,jfif"},
    {KindText, "Text File", "txt,dos"},
    {KindDocument, "Document File",
     "rtf,doc,docm,docx,dot,dotm,dotx,wps,awd,bfx,bk,bps,cpd,dob,dot,dtp,evy,its,jw,kos,lcn,ldw,mcw,msc,oas,"
     "wkb,wks,wp,wpa,wpd,wpw"},
    {KindPdf, "Adobe PDF File", "pdf"},
    {KindSpreadsheet, "Spreadsheet File",
     "xls,xlsx,xlsm,xlsb,xltx,xltm,csv,prn,dif,xla,xlam,slk,as,bwb,cal,col,fm,fm1,fm3,jzz,imp,lcw,lss,mod,"
     "ods,"
     "pln,pxl,qbw,ssf,sylk,vc,wk1,wk3,wk4,wke"},
    {KindMusic, "Music File", "mp3,wma,wav,voc,au,aiff,ogg,mp2,asx,mid,midi,wmx,m3u,m4p,aif,cda,ra,smf,mpa"},
    {KindVideo, "Video File",
     "flac,aac,vlb,m4a,mp4,wm,wmv,asf,avi,mpeg,mpg,mpe,mpv2,flv,asx,divx,m2p,m2ts,mov,qt,rm"},
    {KindHtml, "HTML File", "htm,html,mht,mhtml,xml"},
    {KindCode, "Code File", "cpp,c,h,cs,cp,vb"},
    {KindUnknown, "Unknown File", ""},
    {KindCompressed, "Compressed File",
     "zip,rar,ace,ain,amg,ari,arx,cbr,cru,ezp,pif,lzx,sar,tar,tpz,uc2,ucn,zap,pak,lbr,moz,ish,put,spl,lif"},
};

// The lists are searched in this order, and by substring: "mp" is found in the image
// list through "bmp", "c" in the document list through "doc".
const qint32 kSearchOrder[] = {KindImage, KindText,  KindDocument, KindPdf,  KindSpreadsheet,
                               KindHtml,  KindMusic, KindVideo,    KindCode, KindCompressed};

const KindInfo* FindKind(qint32 kind)
{
    for (const KindInfo& info : kKinds) {
        if (info.kind == kind)
            return &info;
    }
    return nullptr;
}

} // namespace

QString FileExtension(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    return dot > 0 ? fileName.mid(dot + 1).toLower() : QString();
}

void AttachmentRecord::KindFromExtension()
{
    Kind = KindUnknown;
    const QString extension = FileExtension(OriginalName);
    // A name without an extension would be "found" in every list; it stays unknown.
    if (extension.isEmpty()) {
        ShowImage = false;
        return;
    }
    for (qint32 kind : kSearchOrder) {
        if (QString::fromLatin1(FindKind(kind)->extensions).contains(extension)) {
            Kind = kind;
            break;
        }
    }
    if (Kind != KindImage)
        ShowImage = false;
}

void AttachmentRecord::SetKind(qint32 kind)
{
    if (kind >= KindImage && kind <= KindCompressed)
        Kind = kind;
    else
        KindFromExtension();
    if (Kind != KindImage)
        ShowImage = false;
}

void AttachmentRecord::Write(FieldWriter& writer) const
{
    writer.WriteInt(AttachmentValue);
    writer.WriteReal(ImageScale);
    writer.WriteText(Title);
    writer.WriteText(StoredName);
    writer.WriteText(OriginalName);
    writer.WriteInt(Kind);
    writer.WriteBool(ShowImage);
}

QString KindName(qint32 kind)
{
    const KindInfo* info = FindKind(kind);
    return info ? QString::fromLatin1(info->name) : QString();
}

QString KindUpperName(qint32 kind)
{
    return KindName(kind).toUpper();
}

QString AttachmentPath(const AttachmentRecord& record, const DataFolder& folder)
{
    return folder.FullPath(QStringLiteral("Data Files\\Images\\") + record.StoredName);
}

int NextAttachmentNumber(const DataFolder& folder)
{
    const QDir images(folder.ImagesFolder());
    int largest = 0;
    const QStringList names = images.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& name : names) {
        const QByteArray head = name.section(QLatin1Char('.'), 0, 0).toLatin1();
        largest = qMax(largest, std::atoi(head.constData()));
    }
    return largest;
}
