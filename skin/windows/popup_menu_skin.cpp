#include "skin/windows/popup_menu_skin.h"

#include "skin/frame/frame_painter.h"
#include "skin/frame/frame_region.h"
#include "skin/frame/system_menu_model.h"
#include "skin/render/mask_source.h"
#include "skin/render/win32/dib_bitmap.h"

#include <map>
#include <memory>

namespace skin::windows {

PopupMenuSkinner::PopupMenuSkinner(HWND menu, const data::LoadedSkin& skin) : skin_(skin) {
    section_ = skin.GetSkinIndex(u"MAINMENU");
    if (skin.IsValidSkinIndex(section_))
        border_mask_ = skin.gd[static_cast<std::size_t>(section_)].BorderIndex;
    const bool has_mask = skin.IsValidImgIndex(border_mask_);
    border_width_ = frame::PopupBorderWidth(
        has_mask, has_mask ? skin.ma[static_cast<std::size_t>(border_mask_)].WL : 0);
    if (section_ >= 0)
        subclass_.Attach(menu, [this](ui::Message& m) { return Handle(m); });
}

bool PopupMenuSkinner::Handle(ui::Message& m) {
    switch (m.msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_PRINTCLIENT:
        // The platform paints the items (ours are drawn by their owner), then the border goes
        // over its edge.
        m.result = subclass_.CallPrevious(m);
        PaintBorder();
        return true;
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW:
        m.result = subclass_.CallPrevious(m);
        UpdateRegion();
        return true;
    default:
        return false;
    }
}

void PopupMenuSkinner::PaintBorder() {
    HWND window = subclass_.Window();
    RECT r{};
    GetWindowRect(window, &r);
    const int width = r.right - r.left, height = r.bottom - r.top;
    const int bw = border_width_;
    if (width <= 0 || height <= 0 || bw <= 0)
        return;
    render::SkinBitmap image = render::win32::NewDibBitmap(width, height);
    frame::PaintSection(image, {0, 0, width, height}, skin_, section_, border_mask_, 0, false);
    GdiFlush();
    HDC dc = GetWindowDC(window);
    HDC source = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(source, static_cast<HBITMAP>(image.Handle()));
    ExcludeClipRect(dc, bw, bw, width - bw, height - bw);
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    ReleaseDC(window, dc);
}

void PopupMenuSkinner::UpdateRegion() {
    HWND window = subclass_.Window();
    RECT r{};
    GetWindowRect(window, &r);
    const SIZE size{r.right - r.left, r.bottom - r.top};
    if (!skin_.IsValidImgIndex(border_mask_) || size.cx <= 0 || size.cy <= 0 ||
        (size.cx == region_size_.cx && size.cy == region_size_.cy))
        return;
    region_size_ = size;
    const auto holes = frame::CornerHoles(
        size.cx, size.cy, render::MaskFromSkin(&skin_, border_mask_), render::MaskSource{});
    HRGN region = CreateRectRgn(0, 0, size.cx, size.cy);
    for (const frame::Rect& hole : holes) {
        HRGN cut = CreateRectRgn(hole.Left, hole.Top, hole.Right, hole.Bottom);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    SetWindowRgn(window, region, IsWindowVisible(window));
}

engine::CreationRuleHandle
RegisterPopupMenuSkinning(std::function<const data::LoadedSkin*()> skin) {
    // The popups dressed now, by window; shared by the rule's handlers.
    auto dressed = std::make_shared<std::map<HWND, std::unique_ptr<PopupMenuSkinner>>>();
    engine::CreationRule rule;
    rule.ClassName = u"#32768";
    rule.Created = [dressed, skin](HWND window) {
        const data::LoadedSkin* current = skin ? skin() : nullptr;
        if (!current || dressed->count(window))
            return;
        auto skinner = std::make_unique<PopupMenuSkinner>(window, *current);
        if (skinner->Section() >= 0)
            (*dressed)[window] = std::move(skinner);
    };
    rule.Destroyed = [dressed](HWND window) { dressed->erase(window); };
    rule.HookRemoved = [dressed] { dressed->clear(); };
    return engine::RegisterCreationRule(std::move(rule));
}

} // namespace skin::windows
