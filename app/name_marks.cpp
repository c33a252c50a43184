#include "app/name_marks.h"

#include "app/name_messages.h"
#include "core/name_check.h"

namespace app {

NameMarks::NameMarks(const core::FolderTree& tree, const FolderTreeView& mirror, ui::TreeView& view)
    : tree_(tree), mirror_(mirror), view_(view) {
    view_.OnItemTip = [this](HTREEITEM item) {
        const core::FolderNode* node = mirror_.NodeOf(item);
        return node ? TipOf(*node) : std::u16string();
    };
}

NameMarks::~NameMarks() {
    view_.OnItemTip = nullptr;
}

void NameMarks::Refresh() {
    const core::NameCheck check(tree_, destination_);
    std::unordered_map<const core::FolderNode*, Mark> marks;
    for (const core::FolderNode* node : check.Marked()) {
        // A node added in a batch still open may have no item yet; the batch's end asks for
        // another check, which marks it.
        if (!FolderTreeView::ItemOf(*node))
            continue;
        const core::NameVerdict& verdict = check.Of(*node);
        marks.emplace(node, Mark{verdict.Changed() ? fiNameChanged : fiNameRefused,
                                 NameReason(*node, verdict) + u'.'});
    }
    for (const auto& [node, mark] : marks_) {
        if (!marks.count(node))
            view_.SetItemImage(FolderTreeView::ItemOf(*node), node->ImageIndex());
    }
    for (const auto& [node, mark] : marks) {
        const auto shown = marks_.find(node);
        if (shown == marks_.end() || shown->second.image != mark.image)
            view_.SetItemImage(FolderTreeView::ItemOf(*node), mark.image);
    }
    marks_ = std::move(marks);
}

void NameMarks::Forget(const core::FolderNode& node) {
    std::erase_if(marks_, [&node](const auto& entry) {
        for (const core::FolderNode* n = entry.first; n; n = n->Parent())
            if (n == &node)
                return true;
        return false;
    });
}

std::u16string NameMarks::TipOf(const core::FolderNode& node) const {
    const auto mark = marks_.find(&node);
    return mark == marks_.end() ? std::u16string() : mark->second.tip;
}

} // namespace app
