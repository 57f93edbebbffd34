#include "categories/CategoryNode.h"

#include <QJsonArray>
#include <algorithm>

CategoryNode::CategoryNode(QString name, qint32 id)
    : id(id)
    , name(std::move(name))
{
}

CategoryNode::CategoryNode(const CategoryNode& other)
    : id(other.id)
    , name(other.name)
    , notes(other.notes)
{
    CopyChildrenFrom(other);
}

CategoryNode::CategoryNode(CategoryNode&& other) noexcept
    : id(other.id)
    , name(std::move(other.name))
    , notes(std::move(other.notes))
    , m_children(std::move(other.m_children))
{
    AdoptChildren();
    other.m_children.clear();
}

CategoryNode& CategoryNode::operator=(const CategoryNode& other)
{
    if (this == &other)
        return *this;
    // other may lie inside this subtree: copy before dropping the old children.
    CategoryNode copy(other);
    return *this = std::move(copy);
}

CategoryNode& CategoryNode::operator=(CategoryNode&& other) noexcept
{
    if (this == &other)
        return *this;
    id = other.id;
    name = std::move(other.name);
    notes = std::move(other.notes);
    // Keep other's children alive until they are ours, in case other lies in our subtree.
    std::vector<std::unique_ptr<CategoryNode>> children = std::move(other.m_children);
    other.m_children.clear();
    m_children = std::move(children);
    AdoptChildren();
    return *this;
}

CategoryNode::~CategoryNode() = default;

int CategoryNode::Depth() const
{
    int depth = 0;
    for (const CategoryNode* up = m_parent; up; up = up->m_parent)
        ++depth;
    return depth;
}

int CategoryNode::Height() const
{
    int height = 0;
    for (const auto& child : m_children)
        height = std::max(height, child->Height() + 1);
    return height;
}

QStringList CategoryNode::AncestorNames() const
{
    QStringList names;
    for (const CategoryNode* up = m_parent; up; up = up->m_parent)
        names.prepend(up->name);
    return names;
}

bool CategoryNode::IsWithin(const CategoryNode& ancestor) const
{
    for (const CategoryNode* node = this; node; node = node->m_parent) {
        if (node == &ancestor)
            return true;
    }
    return false;
}

int CategoryNode::IndexOfChild(const CategoryNode& child) const
{
    for (size_t i = 0; i < m_children.size(); ++i) {
        if (m_children[i].get() == &child)
            return static_cast<int>(i);
    }
    return -1;
}

CategoryNode& CategoryNode::AppendChild(CategoryNode child)
{
    m_children.push_back(std::make_unique<CategoryNode>(std::move(child)));
    m_children.back()->m_parent = this;
    return *m_children.back();
}

CategoryNode CategoryNode::TakeChild(int index)
{
    CategoryNode taken(std::move(*m_children.at(index)));
    m_children.erase(m_children.begin() + index);
    return taken;
}

NoteIdList CategoryNode::NotesOnlyAtThisLevel() const
{
    NoteIdList held;
    for (const auto& child : m_children)
        held.UnionAppend(child->notes);
    return notes.Without(held);
}

void CategoryNode::AddNotesToNodeAndAncestors(const NoteIdList& ids)
{
    for (CategoryNode* node = this; node; node = node->m_parent)
        node->notes.UnionAppend(ids);
}

void CategoryNode::RemoveNotesFromSubtree(const NoteIdList& ids)
{
    notes.RemoveAll(ids);
    for (auto& child : m_children)
        child->RemoveNotesFromSubtree(ids);
}

QJsonObject CategoryNode::ToJson() const
{
    QJsonArray children;
    for (const auto& child : m_children)
        children.append(child->ToJson());
    return QJsonObject {{QStringLiteral("name"), name},
                        {QStringLiteral("notes"), notes.ToJson()},
                        {QStringLiteral("children"), children}};
}

bool operator==(const CategoryNode& a, const CategoryNode& b)
{
    if (a.id != b.id || a.name != b.name || a.notes != b.notes || a.m_children.size() != b.m_children.size())
        return false;
    for (size_t i = 0; i < a.m_children.size(); ++i) {
        if (!(*a.m_children[i] == *b.m_children[i]))
            return false;
    }
    return true;
}

void CategoryNode::CopyChildrenFrom(const CategoryNode& other)
{
    m_children.reserve(other.m_children.size());
    for (const auto& child : other.m_children) {
        m_children.push_back(std::make_unique<CategoryNode>(*child));
        m_children.back()->m_parent = this;
    }
}

void CategoryNode::AdoptChildren()
{
    for (auto& child : m_children)
        child->m_parent = this;
}
