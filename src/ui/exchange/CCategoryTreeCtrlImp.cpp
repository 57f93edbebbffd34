#include "ui/exchange/CCategoryTreeCtrlImp.h"

#include "categories/CategoryTree.h"
#include "exchange/ImportSession.h"
#include "format/CategoryLevelEntry.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

CCategoryTreeCtrlImp::CCategoryTreeCtrlImp(const CategoryTree* trees, QWidget* parent)
    : QWidget(parent)
    , m_trees(trees)
{
    setObjectName(QStringLiteral("categoryOverride"));
    setAccessibleName(QStringLiteral("Change Categories of Selected Notes"));
    auto* layout = new QFormLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int level = 0; level < 4; ++level) {
        auto* box = new QComboBox(this);
        box->setObjectName(QStringLiteral("overrideLevel%1").arg(level + 1));
        box->setAccessibleName(LevelLabel(level));
        box->setToolTip(QStringLiteral("The Level %1 category the selected notes get").arg(level + 1));
        auto* label = new QLabel(LevelLabel(level), this);
        label->setBuddy(box);
        layout->addRow(label, box);
        m_boxes.append(box);
        m_labels.append(label);
        connect(box, &QComboBox::currentIndexChanged, this, [this, level] { FillFrom(level + 1); });
    }
    FillFrom(0);
}

void CCategoryTreeCtrlImp::FillFrom(int first)
{
    for (int level = first; level < 4; ++level) {
        QComboBox* box = m_boxes.at(level);
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItem(ImportSession::DoNotModify());
        const QString above = level > 0 ? m_boxes.at(level - 1)->currentText() : QString();
        const bool belowUnassigned
            = level > 0 && (above == ImportSession::SetUnassigned() || !m_boxes.at(level - 1)->isEnabled());
        box->setEnabled(!belowUnassigned);
        if (belowUnassigned)
            continue;
        const QString parentName = above == ImportSession::DoNotModify() ? QString() : above;
        const QStringList names
            = m_trees ? m_trees->NamesAtLevel(level, parentName) : QStringList {UnassignedCategoryName()};
        for (const QString& name : names)
            box->addItem(name == UnassignedCategoryName() ? ImportSession::SetUnassigned() : name);
    }
}

QStringList CCategoryTreeCtrlImp::Choices() const
{
    QStringList choices;
    for (const QComboBox* box : m_boxes)
        choices.append(box->isEnabled() ? box->currentText() : ImportSession::DoNotModify());
    return choices;
}

bool CCategoryTreeCtrlImp::Choose(int level, const QString& text)
{
    QComboBox* box = m_boxes.value(level);
    const int index = box ? box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) : -1;
    if (index < 0 || !box->isEnabled())
        return false;
    box->setCurrentIndex(index);
    FillFrom(level + 1);
    return true;
}

void CCategoryTreeCtrlImp::Reset()
{
    const QSignalBlocker blocker(m_boxes.first());
    m_boxes.first()->setCurrentIndex(0);
    FillFrom(1);
}
