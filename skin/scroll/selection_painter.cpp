#include "skin/scroll/selection_painter.h"

#include "skin/frame/frame_painter.h"
#include "skin/render/fills.h"
#include "skin/render/text_ink.h"

#include <algorithm>

namespace skin::scroll {

bool PaintSelection(render::SkinBitmap& bmp, const data::LoadedSkin& skin,
                    render::TextRenderer& text, const SelectionLook& look) {
    const int section = skin.GetSkinIndex(u"SELECTION");
    const data::TColor control = data::ColorToRGB(look.ControlColor);
    render::FillRectOpaque(bmp, bmp.Bounds(), static_cast<render::Color>(control));
    data::TColor ink = 0;
    bool focus_rect = false;
    if (skin.IsValidSkinIndex(section)) {
        const data::TsGeneralData& gd = skin.gd[static_cast<std::size_t>(section)];
        const int state = look.Focused && gd.States > 1 ? 1 : 0;
        frame::PaintSection(bmp, bmp.Bounds(), skin, section, gd.BorderIndex, state, true);
        ink = state > 0 ? gd.HotFontColor.Color : gd.FontColor.Color;
    } else {
        render::FillRectOpaque(bmp, bmp.Bounds(),
                               static_cast<render::Color>(skin.GetHighLightColor(look.Focused)));
        ink = skin.GetHighLightFontColor(look.Focused);
        focus_rect = look.Focused;
    }
    render::DrawTextInk(bmp, text, look.Text, SelectionTextRect(bmp),
                        static_cast<render::Color>(data::ColorToRGB(ink)), kSelectionTextFormat);
    if (!look.Enabled)
        render::TintBitmap(bmp, static_cast<render::Color>(control), 0.4);
    return focus_rect;
}

} // namespace skin::scroll
