#include "editor/widgets/CCategoryTreeCtrl.h"

#include "categories/CategoryTree.h"
#include "store/NoteEditorFields.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kLevels = 4;
constexpr int kEditorMargin = 5;

const QColor kLevelColours[kLevels]
    = {QColor(40, 90, 170), QColor(30, 130, 90), QColor(190, 120, 20), QColor(150, 50, 130)};

} // namespace

CCategoryTreeCtrl::CCategoryTreeCtrl(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("categoryTree"));
    setAccessibleName(QStringLiteral("Categories of the note"));
    setToolTip(QStringLiteral("Click a level to choose or type its category"));
    setHeaderHidden(true);
    setColumnCount(1);
    setIconSize(QSize(19, 20));
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setIndentation(18);
    setSelectionMode(QAbstractItemView::SingleSelection);
    Rebuild();
}

QIcon CCategoryTreeCtrl::LevelIcon(int level, bool empty)
{
    QPixmap pixmap(19, 20);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor colour = kLevelColours[std::clamp(level, 0, kLevels - 1)];
    if (empty)
        colour = QColor(175, 175, 175);
    // A folder tab with the level's number on it.
    painter.setPen(colour.darker(140));
    painter.setBrush(colour.lighter(empty ? 115 : 150));
    painter.drawRoundedRect(QRectF(1.5, 4.5, 16, 13), 2, 2);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(1.5, 2.5, 8, 4), 1.5, 1.5);
    QFont font = QApplication::font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(empty ? QColor(110, 110, 110) : colour.darker(170));
    painter.drawText(QRectF(1, 5, 17, 13), Qt::AlignCenter, QString::number(level + 1));
    return QIcon(pixmap);
}

void CCategoryTreeCtrl::SetAssignment(const CategoryAssignment& assignment)
{
    CloseEditor();
    m_assignment = assignment;
    RefreshRows();
}

QTreeWidgetItem* CCategoryTreeCtrl::Row(int level) const
{
    return level >= 0 && level < m_rows.size() ? m_rows[level] : nullptr;
}

void CCategoryTreeCtrl::Rebuild()
{
    clear();
    m_rows.clear();
    QTreeWidgetItem* parent = nullptr;
    for (int level = 0; level < kLevels; ++level) {
        auto* row = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
        row->setData(0, Qt::UserRole, level);
        m_rows.append(row);
        parent = row;
    }
    expandAll();
    RefreshRows();
}

void CCategoryTreeCtrl::RefreshRows()
{
    for (int level = 0; level < m_rows.size(); ++level) {
        const QString name = m_assignment.NameAt(level);
        QTreeWidgetItem* row = m_rows[level];
        row->setText(0, QStringLiteral("- ") + name);
        row->setIcon(0, LevelIcon(level, name == UnassignedCategoryName()));
        row->setToolTip(0, QStringLiteral("Level %1: %2").arg(level + 1).arg(name));
    }
}

QStringList CCategoryTreeCtrl::Choices(int level) const
{
    const CategoryLevelEntry* entry = m_assignment.FindEntry(level);
    QString parentName = entry ? entry->parentName : UnassignedCategoryName();
    if (parentName == UnassignedCategoryName())
        parentName = level > 0 ? m_assignment.NameAt(level - 1) : QString();
    if (!m_trees)
        return {UnassignedCategoryName()};
    return m_trees->NamesAtLevel(level, parentName);
}

bool CCategoryTreeCtrl::OpenEditor(int level)
{
    CloseEditor();
    if (level < 0 || level >= kLevels)
        return false;
    if (level > 0 && m_assignment.NameAt(level - 1) == UnassignedCategoryName())
        return false;
    m_editedLevel = level;
    m_editor = new QComboBox(viewport());
    m_editor->setObjectName(QStringLiteral("categoryEditor"));
    m_editor->setAccessibleName(QStringLiteral("Level %1 category").arg(level + 1));
    m_editor->setToolTip(QStringLiteral("Choose a category or type a new one"));
    m_editor->setEditable(true);
    m_editor->lineEdit()->setAccessibleName(m_editor->accessibleName());
    m_editor->view()->setAccessibleName(m_editor->accessibleName());
    m_editor->setInsertPolicy(QComboBox::NoInsert);
    m_editor->setMaxVisibleItems(14);
    m_editor->addItems(Choices(level));
    const QString current = m_assignment.NameAt(level);
    const int index = m_editor->findText(current, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (index >= 0)
        m_editor->setCurrentIndex(index);
    else
        m_editor->setEditText(current);
    PlaceEditor();
    m_editor->show();
    m_editor->setFocus();
    m_editor->lineEdit()->selectAll();
    m_editor->installEventFilter(this);
    m_editor->lineEdit()->installEventFilter(this);
    connect(m_editor, &QComboBox::textActivated, this,
            [this](const QString& text) { TakeName(m_editedLevel, text); });
    connect(m_editor, &QComboBox::editTextChanged, this,
            [this](const QString& text) { TakeName(m_editedLevel, text); });
    setCurrentItem(Row(level));
    emit LevelClicked(level);
    return true;
}

void CCategoryTreeCtrl::PlaceEditor()
{
    if (!m_editor)
        return;
    const QRect row = visualItemRect(Row(m_editedLevel));
    const int right = viewport()->width() - kEditorMargin;
    m_editor->setGeometry(row.left(), row.top(), std::max(60, right - row.left()),
                          std::max(row.height(), m_editor->sizeHint().height()));
}

void CCategoryTreeCtrl::CloseEditor()
{
    if (!m_editor)
        return;
    QComboBox* editor = m_editor;
    m_editor = nullptr;
    m_editedLevel = -1;
    editor->hide();
    editor->deleteLater();
}

void CCategoryTreeCtrl::TakeName(int level, const QString& text)
{
    const QString name = text.trimmed();
    if (level < 0 || level >= kLevels || name.isEmpty() || name == m_assignment.NameAt(level))
        return;
    // The path above the level stays; a changed level clears everything below it.
    QStringList path;
    for (int above = 0; above < level; ++above)
        path.append(m_assignment.NameAt(above));
    path.append(name);
    NoteEditorFields::ApplyCategoryPath(m_assignment, path);
    RefreshRows();
    emit AssignmentChanged();
}

void CCategoryTreeCtrl::mousePressEvent(QMouseEvent* event)
{
    QTreeWidgetItem* item = itemAt(event->position().toPoint());
    if (!item) {
        CloseEditor();
        QTreeWidget::mousePressEvent(event);
        return;
    }
    const int level = item->data(0, Qt::UserRole).toInt();
    setCurrentItem(item);
    if (level == m_editedLevel || !OpenEditor(level))
        emit LevelClicked(level);
}

bool CCategoryTreeCtrl::eventFilter(QObject* watched, QEvent* event)
{
    if (m_editor && event->type() == QEvent::FocusOut) {
        // The drop-down closes when the focus leaves it for anything but its own parts.
        QWidget* focus = QApplication::focusWidget();
        const bool ownPart = focus
            && (focus == m_editor || m_editor->isAncestorOf(focus) || focus == m_editor->view()
                || m_editor->view()->isAncestorOf(focus));
        const bool popupOpen = m_editor->view()->isVisible();
        if (!ownPart && !popupOpen)
            CloseEditor();
    }
    if (m_editor && event->type() == QEvent::KeyPress && watched == m_editor->lineEdit()) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            // Enter and Escape end the typing here; they never reach the editor dialog.
            setFocus();
            CloseEditor();
            return true;
        }
    }
    return QTreeWidget::eventFilter(watched, event);
}

void CCategoryTreeCtrl::resizeEvent(QResizeEvent* event)
{
    QTreeWidget::resizeEvent(event);
    PlaceEditor();
}
