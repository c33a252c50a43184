#pragma once

// The handler of a platform STATIC the engine dresses from outside (the text and the icon of a
// message box): what lies behind the window, then its text in the given colour (grey while
// disabled) laid out by the static's own style, or its icon or bitmap.

#include "skin/windows/painted_wnd.h"

namespace skin::windows {

class TacStaticWnd : public TacPaintedWnd {
public:
    enum class Content { Text, Image };

    TacStaticWnd(HWND window, const data::LoadedSkin& skin, std::u16string name, Content content,
                 COLORREF text_color, Backdrop behind = {});

    void PaintTo(HDC dc) override;

protected:
    bool Handle(ui::Message& message) override;

private:
    void DrawText(HDC dc, RECT client, LONG style) const;
    void DrawImage(HDC dc, RECT client, LONG style) const;

    Content content_;
    COLORREF text_color_;
};

} // namespace skin::windows
