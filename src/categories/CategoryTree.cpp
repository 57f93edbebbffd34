#include "categories/CategoryTree.h"

#include "format/NoteRecord.h"

#include <QSet>
#include <functional>
#include <utility>

namespace {

// Depth first, each node before its children; visits counts the nodes met.
template<typename Node, typename Visit> bool VisitDepthFirst(Node& node, const Visit& visit, quint64& visits)
{
    ++visits;
    if (visit(node))
        return true;
    for (int i = 0; i < node.ChildCount(); ++i) {
        if (VisitDepthFirst(node.Child(i), visit, visits))
            return true;
    }
    return false;
}

// The text as a comparison that ignores case sees it (as QString::compare with
// Qt::CaseInsensitive folds each character).
QString CaseFolded(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    for (const uint c : text.toUcs4())
        folded.append(QChar::fromUcs4(QChar::toCaseFolded(char32_t(c))));
    return folded;
}

QString LevelLine(int level, const QString& name)
{
    return QStringLiteral("L") + QString::number(level) + QStringLiteral(": ") + name;
}

} // namespace

CategoryTree::CategoryTree(const CategoryTree& other)
{
    m_nodes.reserve(other.m_nodes.size());
    for (const auto& node : other.m_nodes)
        m_nodes.push_back(std::make_unique<CategoryNode>(*node));
}

CategoryTree& CategoryTree::operator=(const CategoryTree& other)
{
    if (this != &other) {
        CategoryTree copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CategoryTree::~CategoryTree() = default;

int CategoryTree::IndexOf(const CategoryNode& node) const
{
    for (size_t i = 0; i < m_nodes.size(); ++i) {
        if (m_nodes[i].get() == &node)
            return static_cast<int>(i);
    }
    return -1;
}

CategoryNode& CategoryTree::Append(CategoryNode node)
{
    // Moving makes a node without a parent: the new Level 1 category.
    m_nodes.push_back(std::make_unique<CategoryNode>(std::move(node)));
    return *m_nodes.back();
}

CategoryNode CategoryTree::TakeNode(int index)
{
    CategoryNode taken(std::move(*m_nodes.at(index)));
    m_nodes.erase(m_nodes.begin() + index);
    return taken;
}

void CategoryTree::Clear()
{
    m_nodes.clear();
}

void CategoryTree::AddNoteAtLoad(qint32 noteId, const CategoryAssignment& a, NoteIdList& unassignedNoteIds)
{
    if (a.AssignedLevelCount() == 0)
        unassignedNoteIds.AddIfAbsent(noteId);
    else
        FileNote(noteId, a);
}

void CategoryTree::FileNote(qint32 noteId, const CategoryAssignment& a)
{
    CategoryAssignment path = a;
    path.RebuildPaths();
    for (auto& node : m_nodes) {
        if (Offer(*node, path, 0, noteId) > 0)
            return;
    }
    if (std::optional<CategoryNode> chain = Chain(path, 0, noteId))
        Append(std::move(*chain));
}

void CategoryTree::UnfileNote(qint32 noteId, const CategoryAssignment& a)
{
    if (a.AssignedLevelCount() == 0)
        return;
    CategoryAssignment path = a;
    path.RebuildPaths();
    for (auto& node : m_nodes)
        Withdraw(*node, path, 0, noteId);
}

int CategoryTree::Offer(CategoryNode& node, const CategoryAssignment& a, int k, qint32 noteId)
{
    if (!Matches(node, a, k))
        return 0;
    node.notes.AddIfAbsent(noteId);
    int accepted = 0;
    for (int i = 0; i < node.ChildCount(); ++i)
        accepted += Offer(node.Child(i), a, k + 1, noteId);
    if (accepted == 0) {
        if (std::optional<CategoryNode> chain = Chain(a, k + 1, noteId))
            node.AppendChild(std::move(*chain));
    }
    return 1 + accepted;
}

std::optional<CategoryNode> CategoryTree::Chain(const CategoryAssignment& a, int k, qint32 noteId)
{
    if (k >= 4)
        return std::nullopt;
    const CategoryLevelEntry* entry = a.FindEntry(k);
    if (!entry || !entry->IsAssigned())
        return std::nullopt;
    CategoryNode node(entry->name);
    node.notes.Append(noteId);
    if (std::optional<CategoryNode> below = Chain(a, k + 1, noteId))
        node.AppendChild(std::move(*below));
    return node;
}

void CategoryTree::Withdraw(CategoryNode& node, const CategoryAssignment& a, int k, qint32 noteId)
{
    if (!Matches(node, a, k))
        return;
    node.notes.RemoveAll(noteId);
    for (int i = 0; i < node.ChildCount(); ++i)
        Withdraw(node.Child(i), a, k + 1, noteId);
}

bool CategoryTree::Matches(const CategoryNode& node, const CategoryAssignment& a, int k)
{
    if (k >= 4)
        return false;
    const CategoryLevelEntry* entry = a.FindEntry(k);
    if (!entry || !entry->IsAssigned() || node.name != entry->name)
        return false;
    // The node must stand at depth k under exactly the names of the path above it.
    const QStringList& path = entry->ancestorPath;
    if (path.size() != k)
        return false;
    int index = k - 1;
    for (const CategoryNode* up = node.Parent(); up; up = up->Parent(), --index) {
        if (index < 0 || up->name != path.at(index))
            return false;
    }
    return index == -1;
}

const CategoryNode* CategoryTree::FindNode(qint32 id) const
{
    const CategoryNode* found = nullptr;
    for (const auto& node : m_nodes) {
        if (VisitDepthFirst(
                *node,
                [&](const CategoryNode& each) {
                    found = each.id == id ? &each : nullptr;
                    return found != nullptr;
                },
                m_visits))
            return found;
    }
    return nullptr;
}

CategoryNode* CategoryTree::FindNode(qint32 id)
{
    return const_cast<CategoryNode*>(std::as_const(*this).FindNode(id));
}

void CategoryTree::ForEachNode(const std::function<void(CategoryNode&)>& visit)
{
    for (auto& node : m_nodes) {
        VisitDepthFirst(
            *node,
            [&](CategoryNode& each) {
                visit(each);
                return false;
            },
            m_visits);
    }
}

void CategoryTree::ForEachNode(const std::function<void(const CategoryNode&)>& visit) const
{
    for (const auto& node : m_nodes) {
        VisitDepthFirst(
            std::as_const(*node),
            [&](const CategoryNode& each) {
                visit(each);
                return false;
            },
            m_visits);
    }
}

void CategoryTree::Renumber()
{
    qint32 counter = 0;
    for (auto& node : m_nodes) {
        VisitDepthFirst(
            *node,
            [&](CategoryNode& each) {
                each.id = ++counter;
                return false;
            },
            m_visits);
    }
}

qint32 CategoryTree::MaxId() const
{
    qint32 greatest = 0;
    std::function<void(const CategoryNode&)> visit = [&](const CategoryNode& node) {
        ++m_visits;
        if (node.IsUnassignedPseudoNode())
            return;
        greatest = std::max(greatest, node.id);
        for (int i = 0; i < node.ChildCount(); ++i)
            visit(node.Child(i));
    };
    for (const auto& node : m_nodes)
        visit(*node);
    return greatest;
}

bool CategoryTree::NameExistsAmongSiblings(qint32 nodeId, const QString& name) const
{
    const CategoryNode* node = FindNode(nodeId);
    if (node && node->Parent()) {
        const CategoryNode* parent = node->Parent();
        for (int i = 0; i < parent->ChildCount(); ++i) {
            if (parent->Child(i).name == name)
                return true;
        }
        return false;
    }
    for (const auto& top : m_nodes) {
        if (top->name == name)
            return true;
    }
    return false;
}

QString CategoryTree::PathText(const CategoryNode& node)
{
    const QStringList ancestors = node.AncestorNames();
    if (ancestors.isEmpty())
        return LevelLine(1, node.name);
    QString text;
    for (int i = 0; i < ancestors.size(); ++i)
        text += LevelLine(i + 1, ancestors.at(i)) + QLatin1Char('\n');
    return text + LevelLine(static_cast<int>(ancestors.size()) + 1, node.name) + QLatin1Char('\n');
}

QStringList CategoryTree::NamesAtLevel(int level, const QString& parentName) const
{
    QStringList names {UnassignedCategoryName()};
    // The names taken so far, compared without regard to case by one lookup each.
    QSet<QString> seen {CaseFolded(names.first())};
    for (const auto& top : m_nodes) {
        VisitDepthFirst(
            *top,
            [&](const CategoryNode& node) {
                if (node.Depth() != level)
                    return false;
                // Only the direct parent's name counts, so same-named parents in different
                // trees pool their children.
                if (level != 0 && !parentName.isEmpty()
                    && (!node.Parent() || node.Parent()->name != parentName))
                    return false;
                const QString name = node.name.trimmed();
                if (!name.isEmpty()) {
                    const qsizetype before = seen.size();
                    seen.insert(CaseFolded(name));
                    if (seen.size() != before)
                        names.append(name);
                }
                return false;
            },
            m_visits);
    }
    return names;
}

bool CategoryTree::ApplyToNote(qint32 noteId, CategoryAssignment& a) const
{
    QList<const CategoryNode*> holders;
    for (const auto& node : m_nodes) {
        if (node->notes.Contains(noteId)) {
            CollectHolders(*node, noteId, holders);
            break;
        }
    }
    return ApplyHolders(holders, a);
}

bool CategoryTree::ApplyToNote(NoteRecord& note) const
{
    const bool changed = ApplyToNote(note.NoteID, note.Categories);
    if (changed)
        note.LastEdited = DateTime::CurrentLocal();
    return changed;
}

void CategoryTree::CollectHolders(const CategoryNode& node, qint32 noteId,
                                  QList<const CategoryNode*>& holders)
{
    holders.append(&node);
    for (int i = 0; i < node.ChildCount(); ++i) {
        if (node.Child(i).notes.Contains(noteId))
            CollectHolders(node.Child(i), noteId, holders);
    }
}

bool CategoryTree::ApplyHolders(const QList<const CategoryNode*>& holders, CategoryAssignment& a)
{
    if (holders.isEmpty()) {
        a.ResetToDefault();
        return false;
    }
    const bool changed = PathDiffers(holders, *holders.first(), a);
    a.ResetToDefault();
    // Each holder names the level of its depth; deeper holders come later and win.
    for (const CategoryNode* node : holders) {
        if (CategoryLevelEntry* entry = a.FindEntry(node->Depth())) {
            entry->name = node->name;
            entry->parentName = node->Parent() ? node->Parent()->name : QString();
        }
    }
    a.RebuildPaths();
    return changed;
}

bool CategoryTree::PathDiffers(const QList<const CategoryNode*>& holders, const CategoryNode& node,
                               const CategoryAssignment& a)
{
    const int depth = node.Depth();
    const CategoryLevelEntry* entry = a.FindEntry(depth);
    if (!entry || entry->name != node.name)
        return true;
    bool walkedOn = false;
    for (const CategoryNode* child : holders) {
        if (child->Parent() != &node)
            continue;
        walkedOn = true;
        if (PathDiffers(holders, *child, a))
            return true;
    }
    // Where the tree's path for the note ends, the note must not name deeper levels:
    // this is how a deleted subcategory shows up as a change, whether or not its parent
    // kept other subcategories.
    return !walkedOn && a.AssignedLevelCount() > depth + 1;
}

CategoryNode CategoryTree::Detach(CategoryNode& node)
{
    CategoryNode* parent = node.Parent();
    if (!parent)
        return TakeNode(IndexOf(node));
    CategoryNode* top = parent;
    while (top->Parent())
        top = top->Parent();
    CategoryNode taken = parent->TakeChild(parent->IndexOfChild(node));
    top->RemoveNotesFromSubtree(taken.notes);
    return taken;
}

CategoryNode& CategoryTree::AppendUnassignedNode(const NoteIdList& unassignedNoteIds)
{
    CategoryNode node(UnassignedCategoryName(), UNASSIGNED_CATEGORY_ID);
    node.notes = unassignedNoteIds;
    return Append(std::move(node));
}

NoteIdList CategoryTree::TakeUnassignedNode()
{
    std::optional<NoteIdList> notes;
    for (int i = Count() - 1; i >= 0; --i) {
        if (m_nodes[i]->IsUnassignedPseudoNode())
            notes = TakeNode(i).notes;
    }
    return notes.value_or(NoteIdList());
}

QJsonArray CategoryTree::ToJson() const
{
    QJsonArray trees;
    for (const auto& node : m_nodes)
        trees.append(node->ToJson());
    return trees;
}

bool operator==(const CategoryTree& a, const CategoryTree& b)
{
    if (a.m_nodes.size() != b.m_nodes.size())
        return false;
    for (size_t i = 0; i < a.m_nodes.size(); ++i) {
        if (!(*a.m_nodes[i] == *b.m_nodes[i]))
            return false;
    }
    return true;
}
