#include "core/folder_tree.h"

#include <cassert>
#include <utility>

namespace core {

namespace {

// Destroys a list of subtrees without recursion, so that trees thousands of levels deep
// cannot exhaust the stack.
void DestroyIteratively(std::vector<std::unique_ptr<FolderNode>>&& nodes,
                        std::vector<std::unique_ptr<FolderNode>>& (*children_of)(FolderNode&)) {
    std::vector<std::unique_ptr<FolderNode>> pending = std::move(nodes);
    while (!pending.empty()) {
        std::unique_ptr<FolderNode> node = std::move(pending.back());
        pending.pop_back();
        auto& children = children_of(*node);
        for (auto& child : children)
            pending.push_back(std::move(child));
        children.clear();
    }
}

} // namespace

FolderNode::FolderNode(FolderTree& tree, FolderNode* parent, std::u16string text)
    : tree_(tree), text_(std::move(text)), parent_(parent) {}

FolderNode::~FolderNode() {
    DestroyIteratively(
        std::move(children_), [](FolderNode & node) -> auto& { return node.children_; });
}

FolderNode* FolderNode::NextSibling() const {
    const auto& siblings = parent_ ? parent_->children_ : tree_.roots_;
    const std::size_t next = index_in_parent_ + 1;
    return next < siblings.size() ? siblings[next].get() : nullptr;
}

FolderNode* FolderNode::PrevSibling() const {
    const auto& siblings = parent_ ? parent_->children_ : tree_.roots_;
    return index_in_parent_ > 0 ? siblings[index_in_parent_ - 1].get() : nullptr;
}

int FolderNode::Level() const {
    int level = 0;
    for (const FolderNode* node = parent_; node; node = node->parent_)
        ++level;
    return level;
}

FolderTree::~FolderTree() {
    DestroyIteratively(
        std::move(roots_), [](FolderNode & node) -> auto& { return node.children_; });
}

std::vector<std::unique_ptr<FolderNode>>& FolderTree::SiblingsOf(FolderNode* parent) {
    return parent ? parent->children_ : roots_;
}

FolderNode& FolderTree::Append(FolderNode* parent, std::u16string text) {
    auto& siblings = SiblingsOf(parent);
    siblings.push_back(std::unique_ptr<FolderNode>(new FolderNode(*this, parent, std::move(text))));
    FolderNode& node = *siblings.back();
    node.index_in_parent_ = siblings.size() - 1;
    ++count_;
    if (observer_)
        observer_->NodeAdded(node);
    return node;
}

FolderNode& FolderTree::Add(FolderNode* sibling, std::u16string text) {
    return Append(sibling ? sibling->parent_ : nullptr, std::move(text));
}

FolderNode& FolderTree::AddChild(FolderNode* parent, std::u16string text) {
    return Append(parent, std::move(text));
}

std::size_t FolderTree::CountSubtree(const FolderNode& node) {
    // The pre-order walk leaves the subtree at the next sibling of the node or of its
    // nearest ancestor that has one.
    const FolderNode* stop = nullptr;
    for (const FolderNode* n = &node; n && !stop; n = n->parent_)
        stop = n->NextSibling();
    std::size_t count = 0;
    for (const FolderNode* n = &node; n != stop; n = GetNext(*n))
        ++count;
    return count;
}

void FolderTree::Delete(FolderNode& node) {
    FolderNode* parent = node.parent_;
    auto& siblings = SiblingsOf(parent);
    const std::size_t index = node.index_in_parent_;
    assert(index < siblings.size() && siblings[index].get() == &node);

    bool selection_inside = false;
    for (FolderNode* n = selected_; n; n = n->parent_)
        if (n == &node)
            selection_inside = true;

    if (observer_)
        observer_->NodeRemoving(node);
    count_ -= CountSubtree(node);

    std::unique_ptr<FolderNode> removed = std::move(siblings[index]);
    siblings.erase(siblings.begin() + static_cast<std::ptrdiff_t>(index));
    Reindex(siblings, index);

    if (selection_inside) {
        FolderNode* next = nullptr;
        if (index < siblings.size())
            next = siblings[index].get();
        else if (index > 0)
            next = siblings[index - 1].get();
        else
            next = parent;
        selected_ = nullptr;
        Select(next);
    }
}

void FolderTree::Clear() {
    if (roots_.empty())
        return;
    BeginUpdate();
    // Removing the last root first keeps the indexes of the others valid.
    while (!roots_.empty()) {
        FolderNode& last = *roots_.back();
        if (observer_)
            observer_->NodeRemoving(last);
        std::unique_ptr<FolderNode> removed = std::move(roots_.back());
        roots_.pop_back();
    }
    count_ = 0;
    if (selected_) {
        selected_ = nullptr;
        if (observer_)
            observer_->SelectionChanged(nullptr);
    }
    EndUpdate();
}

void FolderTree::Reindex(std::vector<std::unique_ptr<FolderNode>>& siblings, std::size_t from) {
    for (std::size_t i = from; i < siblings.size(); ++i)
        siblings[i]->index_in_parent_ = i;
}

FolderNode* FolderTree::GetNext(const FolderNode& node) {
    if (!node.children_.empty())
        return node.children_.front().get();
    for (const FolderNode* n = &node; n; n = n->parent_)
        if (FolderNode* sibling = n->NextSibling())
            return sibling;
    return nullptr;
}

void FolderTree::SetText(FolderNode& node, std::u16string text) {
    if (node.text_ == text)
        return;
    node.text_ = std::move(text);
    if (observer_)
        observer_->NodeTextChanged(node);
}

void FolderTree::Expand(FolderNode& node, bool recurse) {
    // Pre-order over the subtree; without recursion only the node itself.
    const FolderNode* stop = nullptr;
    for (const FolderNode* n = &node; n && !stop; n = n->parent_)
        stop = n->NextSibling();
    for (FolderNode* n = &node; n && n != stop; n = recurse ? GetNext(*n) : nullptr) {
        if (!n->expanded_) {
            n->expanded_ = true;
            if (observer_)
                observer_->NodeExpanded(*n);
        }
    }
}

void FolderTree::Collapse(FolderNode& node) {
    if (!node.expanded_)
        return;
    node.expanded_ = false;
    if (observer_)
        observer_->NodeCollapsed(node);
}

void FolderTree::FullExpand() {
    BeginUpdate();
    for (FolderNode* n = GetFirstNode(); n; n = GetNext(*n)) {
        if (!n->expanded_) {
            n->expanded_ = true;
            if (observer_)
                observer_->NodeExpanded(*n);
        }
    }
    EndUpdate();
}

void FolderTree::EditText(FolderNode& node) {
    if (observer_)
        observer_->EditRequested(node);
}

void FolderTree::Select(FolderNode* node) {
    if (node == selected_)
        return;
    selected_ = node;
    if (observer_)
        observer_->SelectionChanged(node);
}

void FolderTree::BeginUpdate() {
    if (update_count_++ == 0 && observer_)
        observer_->UpdatingChanged(true);
}

void FolderTree::EndUpdate() {
    assert(update_count_ > 0);
    if (--update_count_ == 0 && observer_)
        observer_->UpdatingChanged(false);
}

std::u16string PathFromRoot(const FolderNode& node) {
    std::size_t length = 0;
    for (const FolderNode* n = &node; n; n = n->Parent())
        length += n->Text().size() + 1;
    std::u16string path(length, u'\\');
    for (const FolderNode* n = &node; n; n = n->Parent()) {
        length -= n->Text().size() + 1;
        path.replace(length, n->Text().size(), n->Text());
    }
    return path;
}

} // namespace core
