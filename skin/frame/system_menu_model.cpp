#include "skin/frame/system_menu_model.h"

#include <algorithm>
#include <cmath>

namespace skin::frame {
namespace {

constexpr FallbackCaption kFallbacks[] = {
    {scRestore, 58981, u"Restore"},   {scMove, 58980, u"Move"},         {scSize, 58979, u"Size"},
    {scMinimize, 58978, u"Minimize"}, {scMaximize, 58977, u"Maximize"}, {scClose, 58976, u"Close"},
};

const PlatformMenuItem* FindCommand(const std::vector<PlatformMenuItem>& platform, unsigned id) {
    for (const PlatformMenuItem& item : platform)
        if (!item.Separator && item.Id == id)
            return &item;
    return nullptr;
}

SysMenuItem Item(const char16_t* name, unsigned command, std::u16string text) {
    SysMenuItem item;
    item.Name = name;
    item.Command = command;
    const std::size_t tab = text.find(u'\t');
    if (tab != std::u16string::npos) {
        item.ShortCut = text.substr(tab + 1);
        text.resize(tab);
    }
    item.Caption = std::move(text);
    return item;
}

SysMenuItem Separator() {
    SysMenuItem s;
    s.Separator = true;
    s.Caption = u"-";
    return s;
}

} // namespace

const FallbackCaption* FallbackCaptionFor(unsigned command) {
    for (const FallbackCaption& f : kFallbacks)
        if (f.Command == command)
            return &f;
    return nullptr;
}

std::vector<SysMenuItem> GenerateSystemMenu(const std::vector<PlatformMenuItem>& platform,
                                            std::u16string (*caption_of)(int resource_id)) {
    auto standard = [&](const char16_t* name, unsigned command) {
        const PlatformMenuItem* own = FindCommand(platform, command);
        std::u16string text;
        if (own && !own->Caption.empty())
            text = own->Caption;
        else if (const FallbackCaption* f = FallbackCaptionFor(command))
            text = caption_of ? caption_of(f->ResourceId) : f->Text;
        return Item(name, command, std::move(text));
    };
    std::vector<SysMenuItem> items;
    items.push_back(standard(u"acIR", scRestore));
    items.push_back(standard(u"acIM", scMove));
    items.push_back(standard(u"acIS", scSize));
    items.push_back(standard(u"acIN", scMinimize));
    items.push_back(standard(u"acIX", scMaximize));
    items.push_back(Separator());
    bool foreign = false;
    for (const PlatformMenuItem& p : platform) {
        if (p.Separator || p.Id >= scSize || p.Caption.empty())
            continue;
        SysMenuItem item = Item(u"", p.Id, p.Caption);
        item.Foreign = true;
        items.push_back(std::move(item));
        foreign = true;
    }
    if (foreign)
        items.push_back(Separator());
    items.push_back(standard(u"acIC", scClose));
    return items;
}

bool HasForeignItems(const std::vector<SysMenuItem>& items) {
    return std::any_of(items.begin(), items.end(), [](const SysMenuItem& i) { return i.Foreign; });
}

void UpdateItems(std::vector<SysMenuItem>& items, const WindowRules& rules) {
    for (SysMenuItem& item : items) {
        if (item.Separator || item.Foreign)
            continue;
        switch (item.Command) {
        case scRestore:
            item.Visible = rules.VisibleRestore();
            item.Enabled = rules.EnabledRestore();
            break;
        case scMove:
            item.Visible = true;
            item.Enabled = rules.EnabledMove();
            break;
        case scSize:
            item.Visible = rules.VisibleSize();
            item.Enabled = rules.EnabledSize();
            break;
        case scMinimize:
            item.Visible = rules.VisibleMin();
            item.Enabled = rules.EnabledMin();
            break;
        case scMaximize:
            item.Visible = rules.VisibleMax();
            item.Enabled = rules.EnabledMax();
            break;
        case scClose:
            item.Visible = rules.VisibleClose();
            item.Enabled = true;
            break;
        default:
            break;
        }
    }
}

std::vector<const SysMenuItem*> ShownItems(const std::vector<SysMenuItem>& items) {
    std::vector<const SysMenuItem*> shown;
    for (const SysMenuItem& item : items) {
        if (!item.Visible)
            continue;
        if (item.Separator && (shown.empty() || shown.back()->Separator))
            continue;
        shown.push_back(&item);
    }
    if (!shown.empty() && shown.back()->Separator)
        shown.pop_back();
    return shown;
}

Point SystemMenuBelowIcon(const FrameGeometry& g, Point window_top_left, int icon_height) {
    return {window_top_left.X + g.BorderWidth(false),
            window_top_left.Y + g.BorderHeight(true) + icon_height + g.BorderHeight(false)};
}

Point SystemMenuForKey(const FrameGeometry& g, Point window_top_left, int icon_height) {
    Point p = SystemMenuBelowIcon(g, window_top_left, icon_height);
    p.X = window_top_left.X + g.BorderWidth(true);
    if (g.Form().Minimized)
        p.Y -= 16;
    return p;
}

int PopupItemHeight(const std::u16string& caption, int w_text_height, int glyph_height) {
    const int m = PopupItemMetrics::kMargin;
    if (caption == u"-")
        return 2;
    const int text = static_cast<int>(std::lround(w_text_height * 1.25));
    const bool titled_separator =
        caption.size() > 1 && caption.front() == u'-' && caption.back() == u'-';
    if (titled_separator)
        return text + 2 * m;
    return std::max(text, glyph_height) + 2 * m;
}

int PopupItemWidth(int glyph_width, int caption_and_shortcut_width) {
    return 2 * glyph_width + caption_and_shortcut_width + 3 * PopupItemMetrics::kMargin +
           PopupItemMetrics::kSpacing;
}

int PopupIconColumnWidth(int glyph_width) {
    return glyph_width + PopupItemMetrics::kMargin + PopupItemMetrics::kSpacing;
}

int PopupBorderWidth(bool has_mask, int mask_left_width) {
    if (!has_mask)
        return 0;
    return mask_left_width > 0 ? mask_left_width : 3;
}

} // namespace skin::frame
