// Drives the frame's arithmetic and pixel work with what a skin may hold: frame settings, mask
// layouts and images of any size, templates smaller than their corners, odd form sizes. Every
// piece must stay inside its bitmaps and never divide by zero.

#include "fuzz/fuzz_input.h"
#include "skin/frame/form_animation.h"
#include "skin/frame/frame_region.h"
#include "skin/frame/screen_snap.h"
#include "skin/frame/title_buttons.h"
#include "skin/render/layered_pixels.h"
#include "skin/render/template_slice.h"

#include <cstddef>
#include <cstdint>

using namespace skin;
using render::Pixel;
using render::SkinBitmap;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzing::Input in(data, size, 64);

    // The shadow template fitted around a client hole.
    const SkinBitmap tpl = in.AnyBitmap(40);
    SkinBitmap cache = in.AnyBitmap(60);
    render::TemplateSlice slice{in.Coord(), in.Coord(), in.Coord(), in.Coord(),        in.Coord(),
                                in.Coord(), in.Coord(), in.Coord(), in.Byte() % 2 == 0};
    render::PaintTemplateSlice(cache, tpl, slice);

    // Pixels handed to a layered window, and alpha repaired after the platform drew.
    SkinBitmap out = in.AnyBitmap(60);
    render::PremultiplyForLayered(out, cache, in.AnyRect());
    const SkinBitmap before = in.AnyBitmap(20);
    render::RepairDrawnAlpha(cache, in.AnyRect(), before);
    render::RepairTitleAlpha(cache);

    // Corner runs of border masks of any layout.
    const SkinBitmap image = in.AnyBitmap(30);
    render::MaskSource mask;
    mask.Image = image.View();
    mask.OwnBitmap = true;
    mask.R = in.AnyRect();
    mask.ImageCount = in.Byte() % 4;
    mask.MaskType = in.Byte() % 4 - 1;
    mask.WL = in.Coord() / 4;
    mask.WT = in.Coord() / 4;
    mask.WR = in.Coord() / 4;
    mask.WB = in.Coord() / 4;
    mask.HasManager = true;
    const int width = in.Coord() + 40, height = in.Coord() + 40;
    for (const render::Rect& r : frame::CornerHoles(width, height, mask, mask))
        if (r.Left < 0 || r.Top < 0 || r.Right > width || r.Bottom > height || r.IsEmpty())
            __builtin_trap();

    // Geometry, buttons and hit codes of a form with the skin's settings.
    frame::SkinFrameSettings settings;
    settings.BorderWidth = in.Coord() / 8;
    settings.TitleHeight = in.Coord();
    settings.MaxHeight = in.Coord();
    settings.CenterOffset = in.Coord() / 8;
    settings.BorderMode = in.Byte() % 3;
    settings.BIRight = in.Coord() / 8;
    settings.BISpace = in.Coord() / 8;
    settings.BIVAlign = in.Byte() % 2;
    frame::FormFrameState form;
    form.Style = static_cast<frame::BorderStyle>(in.Byte() % 6);
    form.Width = in.Byte() * 3;
    form.Height = in.Byte() * 2;
    form.ClientWidth = in.Byte() * 3;
    form.ClientHeight = in.Byte() * 2;
    form.Minimized = in.Byte() % 5 == 0;
    form.Maximized = in.Byte() % 5 == 0;
    const frame::FrameGeometry g(settings, form, in.Byte() % 2 == 0, in.Size(8), in.Size(30),
                                 {in.Size(60), in.Size(60), in.Size(60), in.Size(60)});
    frame::ButtonMasks masks;
    masks.Close = frame::MaskButtonSize(in.Byte() % 2 == 0, in.Coord(), in.Coord(), in.Coord() / 16,
                                        in.Coord() / 16);
    masks.Min = masks.Max = masks.Help = masks.Close;
    const frame::WindowRules rules = frame::RulesFor(form, in.Byte() % 2 == 0, true, true);
    const frame::TitleButtonLayout layout = frame::LayOutTitleButtons(g, rules, masks);
    frame::HitTestInputs hit;
    hit.Sizable = in.Byte() % 2 == 0;
    hit.Icon = g.IconRect();
    const frame::Point p{in.Coord() * 4, in.Coord() * 4};
    frame::PlainHitTest(p, g, rules, layout, hit);
    frame::ExtendedHitTest(p, g, rules, layout, hit);
    frame::BorderWindowRegion(g, form.ClientWidth, form.ClientHeight, in.Byte() % 2 == 0);
    frame::SnapToWorkArea(in.AnyRect(), {in.Coord(), in.Coord()}, in.AnyRect(), in.Size(20),
                          frame::SnapMargins(g));

    // Animation steps for any time and picture size.
    frame::HideFrames(in.Size(200), in.Size(200), in.Byte() * 4, in.Byte(),
                      frame::AnimationMode::atAero);
    frame::MinimizeFrames(in.AnyRect(), in.AnyRect(), in.Byte() * 4, in.Byte(), in.Byte() % 2);
    return 0;
}
