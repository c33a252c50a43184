#pragma once

// Text for the painters, drawn by GDI with a given font.

#include "skin/render/text_renderer.h"

namespace skin::render::win32 {

class GdiTextRenderer : public TextRenderer {
public:
    // font is an HFONT owned by the caller; null uses the default GUI font.
    explicit GdiTextRenderer(void* font = nullptr);
    ~GdiTextRenderer() override;
    GdiTextRenderer(const GdiTextRenderer&) = delete;
    GdiTextRenderer& operator=(const GdiTextRenderer&) = delete;

    int TextWidth(const std::u16string& text) override;
    // Drawn black on white into a DIB and merged into the mask by keeping the darker sample,
    // so earlier ink stays (the glow's outline passes add up).
    void DrawInk(GrayBitmap& mask, const std::u16string& text, const Rect& r,
                 unsigned format) override;

private:
    void* dc_;
    void* font_;
    void* old_font_;
};

} // namespace skin::render::win32
