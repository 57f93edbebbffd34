#include "editor/CSaveWarningDlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

CSaveWarningDlg::CSaveWarningDlg(std::function<void()> turnOff, QWidget* parent)
    : QDialog(parent)
    , m_turnOff(std::move(turnOff))
{
    setObjectName(QStringLiteral("saveWarningDlg"));
    setWindowTitle(QStringLiteral("Continue?"));
    setAccessibleName(QStringLiteral("Continue?"));

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(40, 40));
    icon->setAccessibleName(QStringLiteral("Warning"));
    auto* question = new QLabel(QStringLiteral("Are you sure you wish to cancel?"), this);
    question->setObjectName(QStringLiteral("questionText"));
    QFont bold = question->font();
    bold.setBold(true);
    question->setFont(bold);
    auto* detail
        = new QLabel(QStringLiteral("Your changes will be lost and not saved in your database!"), this);
    detail->setObjectName(QStringLiteral("detailText"));

    m_dontShow = new QCheckBox(QStringLiteral("Do not display this warning again."), this);
    m_dontShow->setObjectName(QStringLiteral("dontShowAgain"));
    m_dontShow->setAccessibleName(m_dontShow->text());
    m_dontShow->setToolTip(QStringLiteral("Cancel the note editor from now on without asking"));

    m_yes = new QPushButton(QStringLiteral("Yes"), this);
    m_yes->setObjectName(QStringLiteral("yesButton"));
    m_yes->setAccessibleName(QStringLiteral("Yes"));
    m_yes->setToolTip(QStringLiteral("Close the note without saving"));
    m_yes->setAutoDefault(false);
    m_no = new QPushButton(QStringLiteral("No"), this);
    m_no->setObjectName(QStringLiteral("noButton"));
    m_no->setAccessibleName(QStringLiteral("No"));
    m_no->setToolTip(QStringLiteral("Go back to the note"));
    m_no->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(question);
    texts->addWidget(detail);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dontShow);
    buttons->addStretch(1);
    buttons->addWidget(m_yes);
    buttons->addWidget(m_no);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    connect(m_yes, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_no, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_dontShow, &QCheckBox::toggled, this, &CSaveWarningDlg::OnDontShow);
    m_no->setFocus();
}

void CSaveWarningDlg::OnDontShow(bool checked)
{
    if (!checked)
        return;
    if (m_turnOff)
        m_turnOff();
    // The tick is seen for a moment before the warning goes as if "Yes" was pressed.
    QTimer::singleShot(100, this, &QDialog::accept);
}
