#include "ManualBuilder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextImageFormat>
#include <QTextTable>
#include <QUrl>

namespace {

constexpr int kDpi = 96;

QString ReadText(const QString& path, bool* ok)
{
    QFile file(path);
    *ok = file.open(QIODevice::ReadOnly);
    return *ok ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

ManualBuilder::ManualBuilder()
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10);
    m_document.setDefaultFont(font);
    m_document.setDocumentMargin(0);
}

bool ManualBuilder::Load(const QStringList& markdownFiles, QString* error)
{
    QString markdown;
    for (const QString& path : markdownFiles) {
        bool ok = false;
        const QString text = ReadText(path, &ok);
        if (!ok) {
            *error = QStringLiteral("cannot read %1").arg(path);
            return false;
        }
        markdown += text + QStringLiteral("\n\n");
    }
    m_folder = QFileInfo(markdownFiles.first()).absolutePath();
    m_document.setBaseUrl(QUrl::fromLocalFile(m_folder + QLatin1Char('/')));
    m_document.setMarkdown(markdown);
    Typeset();
    // Every picture must be there: a manual with a hole in it is a build error.
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QString name = format.toImageFormat().name();
            const QImage image(QDir(m_folder).filePath(name));
            if (image.isNull()) {
                *error = QStringLiteral("missing picture %1").arg(name);
                return false;
            }
            m_document.addResource(QTextDocument::ImageResource, QUrl(name), image);
            m_pictures.append(name);
        }
    }
    return true;
}

void ManualBuilder::Typeset()
{
    QTextCursor cursor(&m_document);
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat format = block.blockFormat();
        const int level = format.headingLevel();
        if (level == 0)
            continue;
        // Every chapter starts on a new page; headings stand apart from what went before.
        if (level == 1 && block != m_document.begin())
            format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        format.setTopMargin(level == 1 ? 0 : 14);
        format.setBottomMargin(6);
        cursor.setPosition(block.position());
        cursor.setBlockFormat(format);
    }
    for (QTextFrame* frame : m_document.rootFrame()->childFrames()) {
        if (auto* table = qobject_cast<QTextTable*>(frame)) {
            QTextTableFormat format = table->format();
            format.setCellPadding(3);
            format.setCellSpacing(0);
            format.setBorder(0.5);
            format.setBorderCollapse(true);
            format.setTopMargin(4);
            format.setBottomMargin(8);
            table->setFormat(format);
        }
    }
}

void ManualBuilder::FitPictures(qreal width)
{
    for (QTextBlock block = m_document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextImageFormat format = fragment.charFormat().toImageFormat();
            if (!format.isValid())
                continue;
            const QImage image
                = m_document.resource(QTextDocument::ImageResource, QUrl(format.name())).value<QImage>();
            if (image.isNull())
                continue;
            const qreal scale = std::min<qreal>(1.0, width / image.width());
            format.setWidth(image.width() * scale);
            format.setHeight(image.height() * scale);
            QTextCursor cursor(&m_document);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

bool ManualBuilder::WritePdf(const QString& path, QString* error)
{
    QPdfWriter writer(path);
    writer.setResolution(kDpi);
    writer.setTitle(QStringLiteral("Quorvel User's Manual"));
    writer.setCreator(QStringLiteral("Quorvel"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter));
    const QRectF page = writer.pageLayout().paintRectPixels(kDpi);
    FitPictures(page.width() * 0.9);
    m_document.setPageSize(page.size());
    m_document.print(&writer);
    WritePreview(page.size());
    if (!QFileInfo(path).size()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    return true;
}

void ManualBuilder::WritePreview(const QSizeF& page)
{
    // QUORVEL_MANUAL_PREVIEW=DIR: the first pages as pictures, to look at the layout
    // without a PDF viewer.
    const QString folder = qEnvironmentVariable("QUORVEL_MANUAL_PREVIEW");
    if (folder.isEmpty())
        return;
    for (int i = 0; i < std::min(m_document.pageCount(), 12); ++i) {
        QImage image(page.toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(0, -i * page.height());
        m_document.drawContents(&painter, QRectF(QPointF(0, i * page.height()), page));
        painter.end();
        image.save(QDir(folder).filePath(QStringLiteral("page%1.png").arg(i + 1)));
    }
}

bool ManualBuilder::WriteHtml(const QString& path, QString* error)
{
    FitPictures(900);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    file.write(m_document.toHtml().toUtf8());
    if (!file.commit()) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    const QDir target = QFileInfo(path).absoluteDir();
    for (const QString& name : std::as_const(m_pictures)) {
        const QString copy = target.filePath(name);
        QDir().mkpath(QFileInfo(copy).absolutePath());
        QFile::remove(copy);
        if (!QFile::copy(QDir(m_folder).filePath(name), copy)) {
            *error = QStringLiteral("cannot copy %1").arg(name);
            return false;
        }
    }
    return true;
}
