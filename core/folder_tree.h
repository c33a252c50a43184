#pragma once

// The folder tree: the document of the application. An ordered forest of folder names that
// the main window's tree view shows and edits; every node stands for one folder to create.
//
// The model owns the nodes and drives the view: a view registers as the observer and mirrors
// every change, and reports the user's selection and edits back through the model's setters.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace core {

class FolderTree;

class FolderNode {
public:
    FolderNode(const FolderNode&) = delete;
    FolderNode& operator=(const FolderNode&) = delete;
    ~FolderNode();

    const std::u16string& Text() const { return text_; }
    FolderNode* Parent() const { return parent_; }
    std::size_t ChildCount() const { return children_.size(); }
    FolderNode* Child(std::size_t index) const { return children_[index].get(); }
    FolderNode* FirstChild() const { return children_.empty() ? nullptr : children_.front().get(); }
    FolderNode* LastChild() const { return children_.empty() ? nullptr : children_.back().get(); }
    // The next node with the same parent (the next root for a root node), or none.
    FolderNode* NextSibling() const;
    FolderNode* PrevSibling() const;
    bool Expanded() const { return expanded_; }
    // Number of ancestors: 0 for a root node.
    int Level() const;
    // Every node shows the folder icon, image 0 of the main window's image list.
    int ImageIndex() const { return 0; }

    // Opaque slot for the view that shows this node (the tree view item handle).
    void* view_item = nullptr;

private:
    friend class FolderTree;
    FolderNode(FolderTree& tree, FolderNode* parent, std::u16string text);

    FolderTree& tree_;
    std::u16string text_;
    FolderNode* parent_;
    std::size_t index_in_parent_ = 0;
    bool expanded_ = false;
    std::vector<std::unique_ptr<FolderNode>> children_;
};

// What a view hears from the tree. Every notification arrives after the change, except
// NodeRemoving, which arrives while the node and its subtree still exist.
class FolderTreeObserver {
public:
    virtual ~FolderTreeObserver() = default;
    virtual void NodeAdded(FolderNode& node) = 0;
    virtual void NodeRemoving(FolderNode& node) = 0;
    virtual void NodeTextChanged(FolderNode& node) = 0;
    virtual void NodeExpanded(FolderNode& node) = 0;
    virtual void NodeCollapsed(FolderNode& /*node*/) {}
    virtual void SelectionChanged(FolderNode* selected) = 0;
    virtual void EditRequested(FolderNode& node) = 0;
    // The update counter went from 0 to 1, or back to 0: a view stops and resumes repainting.
    virtual void UpdatingChanged(bool updating) = 0;
};

class FolderTree {
public:
    FolderTree() = default;
    FolderTree(const FolderTree&) = delete;
    FolderTree& operator=(const FolderTree&) = delete;
    ~FolderTree();

    void SetObserver(FolderTreeObserver* observer) { observer_ = observer; }

    // Appends a node as the last child of the sibling's parent; with a root sibling or none,
    // appends a new last root node.
    FolderNode& Add(FolderNode* sibling, std::u16string text);
    // Appends a node as the last child of the parent; with none, a new last root node.
    FolderNode& AddChild(FolderNode* parent, std::u16string text);
    // Removes the node with its whole subtree. The selection falls to the node's next
    // sibling, else its previous sibling, else its parent, when it was inside the subtree.
    void Delete(FolderNode& node);
    void Clear();

    bool Empty() const { return roots_.empty(); }
    std::size_t RootCount() const { return roots_.size(); }
    FolderNode* Root(std::size_t index) const { return roots_[index].get(); }
    FolderNode* GetFirstNode() const { return roots_.empty() ? nullptr : roots_.front().get(); }
    // The next node in depth-first pre-order, or none.
    static FolderNode* GetNext(const FolderNode& node);
    std::size_t Count() const { return count_; }

    void SetText(FolderNode& node, std::u16string text);
    void Expand(FolderNode& node, bool recurse);
    // Hides the node's children; a later Expand shows them again.
    void Collapse(FolderNode& node);
    void FullExpand();
    void EditText(FolderNode& node);

    FolderNode* Selected() const { return selected_; }
    void Select(FolderNode* node);

    void BeginUpdate();
    void EndUpdate();
    bool Updating() const { return update_count_ > 0; }

private:
    friend class FolderNode;
    std::vector<std::unique_ptr<FolderNode>>& SiblingsOf(FolderNode* parent);
    FolderNode& Append(FolderNode* parent, std::u16string text);
    void Reindex(std::vector<std::unique_ptr<FolderNode>>& siblings, std::size_t from);
    static std::size_t CountSubtree(const FolderNode& node);

    std::vector<std::unique_ptr<FolderNode>> roots_;
    std::size_t count_ = 0;
    FolderNode* selected_ = nullptr;
    int update_count_ = 0;
    FolderTreeObserver* observer_ = nullptr;
};

// Keeps the tree's update batch open for a scope, also when an error leaves it.
class TreeUpdate {
public:
    explicit TreeUpdate(FolderTree& tree) : tree_(tree) { tree_.BeginUpdate(); }
    ~TreeUpdate() { tree_.EndUpdate(); }
    TreeUpdate(const TreeUpdate&) = delete;
    TreeUpdate& operator=(const TreeUpdate&) = delete;

private:
    FolderTree& tree_;
};

// The node's folder path relative to the destination: every name from the root down, each
// followed by a backslash ("A\B\C\").
std::u16string PathFromRoot(const FolderNode& node);

} // namespace core
