#include "editor/CViewImageDlg.h"

#include "editor/CViewImageWnd.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

namespace {

constexpr int kMargin = 10;

} // namespace

CViewImageDlg::CViewImageDlg(const QString& path, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("viewImageDlg"));
    setWindowTitle(QStringLiteral("View Image"));
    setAccessibleName(QStringLiteral("View Image"));
    setSizeGripEnabled(true);
    m_window = new CViewImageWnd(this);
    m_window->LoadImage(path);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    layout->addWidget(m_window);
    connect(m_window, &CViewImageWnd::CloseRequested, this, &QDialog::accept);

    // As large as the picture, within most of the screen.
    QSize size = m_window->Image().isNull() ? QSize(400, 300) : m_window->Image().size();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableSize() * 0.85);
    resize(size.expandedTo(QSize(200, 150)) + QSize(2 * kMargin, 2 * kMargin));
}
