// The master bitmap of the internal skin: 200 x 321, 24-bit, magenta where transparent. Each
// block below draws the rectangle that one key of the options text names.

#include "tools/skin_generator/internal_skin.h"
#include "tools/skin_generator/layer.h"

#include <cmath>

namespace skin_generator {

namespace {

using skin::data::Image32;

constexpr Rgb kWhite = Hex(0xFFFFFF);
constexpr Rgb kMatte = Hex(0xE8E8E8);    // the form colour behind most controls
constexpr Rgb kFrame = Hex(0xBABABA);    // BORDERCOLOR
constexpr Rgb kSteel = Hex(0x8E9EB2);    // outlines of controls at rest
constexpr Rgb kHot = Hex(0x4A90D9);      // outlines under the mouse
constexpr Rgb kPressed = Hex(0x2C6CB4);  // outlines while pressed
constexpr Rgb kGlyph = Hex(0x44505F);    // glyphs
constexpr Rgb kNavy = Hex(0x1E395B);     // check marks
constexpr Rgb kFrost = Hex(0xD6E6F7);    // glass under the mouse
constexpr Rgb kDeepIce = Hex(0xACCDF7);  // pressed glass
constexpr Rgb kDisabled = Hex(0xA8B0BA); // greyed glyphs
constexpr Rgb kCloseHot = Hex(0xD9534F); // close button under the mouse
constexpr Rgb kClosePressed = Hex(0xA93A36);

// Three looks of a control: at rest, under the mouse, pressed.
struct StateLook {
    Rgb outline, top, bottom;
};
constexpr StateLook kLooks[3] = {
    {kSteel, kWhite, Hex(0xE4ECF5)}, {kHot, kWhite, kFrost}, {kPressed, kFrost, kDeepIce}};

// The glass inside a framed control, per state: light at the top, a little deeper below.
// Border masks that paint their centre copy it opaque, so the inside must hold the face;
// only the pixels outside the rounded corners stay transparent.
struct Face {
    Rgb top, bottom;
};
constexpr Face kFaces[3] = {{kWhite, Hex(0xE6EDF5)}, {kWhite, kFrost}, {kFrost, Hex(0xBFD8F5)}};

// Top to bottom, or left to right when across is set; from -> to along the axis.
Layer::Paint Along(Rgb from, Rgb to, double start, double end, bool across) {
    auto v = Vertical(from, to, start, end);
    if (!across)
        return v;
    return [v](double x, double) { return v(0, x); };
}

// A rounded frame of one pixel with a white inner highlight. With a face the inside is glass;
// without one it stays transparent, for borders that leave their centre to the section.
void FrameStates(Image32& m, int x, int y, int w, int h, int states, double radius,
                 const Rgb* outlines, bool highlight = true, const Face* faces = nullptr) {
    for (int s = 0; s < states; ++s) {
        Layer l(w, h);
        if (faces)
            l.FillRoundRect(0, 0, w, h, radius, Vertical(faces[s].top, faces[s].bottom, 0, h));
        l.StrokeRoundRect(0, 0, w, h, radius, 1, outlines[s]);
        if (highlight)
            l.StrokeRoundRect(1, 1, w - 1, h - 1, std::max(radius - 1, 0.0), 1, kWhite, 0.8);
        l.CommitKeyed(m, x + s * w, y, kMatte);
    }
}

// Three glass states whose border paints its centre.
void Glass3(Image32& m, int x, int y, int w, int h, double radius) {
    const Rgb outlines[3] = {kLooks[0].outline, kLooks[1].outline, kLooks[2].outline};
    FrameStates(m, x, y, w, h, 3, radius, outlines, true, kFaces);
}

// FORMTITLE: the left corner of the title band, colour on top, transparency below (12 x 8).
void FormTitle(Image32& m) {
    Layer l(12, 8);
    l.StrokeRoundRect(0, 0, 12, 16, 5, 1, Hex(0x9AA6B4));
    l.StrokeRoundRect(1, 1, 11, 15, 4, 1, kWhite, 0.9);
    l.CommitBanded(m, 0, 0, 8);
}

// FORM: a one-pixel frame, 3 x 3.
void Form(Image32& m) {
    Layer l(3, 3);
    l.StrokeRoundRect(0, 0, 3, 3, 0, 1, kFrame);
    l.CommitKeyed(m, 0, 16, kMatte);
}

// EDIT: two states of 3 x 4, a slightly darker top line like a sunken field.
void Edit(Image32& m) {
    const Rgb looks[2][2] = {{Hex(0xA9B4C2), Hex(0xE3E8EE)}, {kHot, Hex(0xCFE2F6)}};
    for (int s = 0; s < 2; ++s) {
        Layer l(3, 4);
        l.StrokeRoundRect(0, 0, 3, 4, 0, 1, looks[s][0]);
        l.Line(1, 1.5, 2, 1.5, 1, looks[s][1]);
        l.CommitKeyed(m, 12 + 3 * s, 11, kMatte);
        m.At(13 + 3 * s, 12) = ToPixel(looks[s][1]);
        m.At(13 + 3 * s, 13) = skin::data::kKeyPixel;
    }
}

// A glass tile with colour and transparency bands: SPEEDBUTTON (8 x 9) and SPEEDBUTTON_SMALL.
void BandedButton(Image32& m, int x, int y, int w, int h, bool hidden_at_rest) {
    for (int s = 0; s < 3; ++s) {
        Layer l(w, h);
        if (!(hidden_at_rest && s == 0)) {
            l.StrokeRoundRect(0, 0, w, 2 * h, 3, 1, kLooks[s].outline, s == 0 ? 0.7 : 1);
            l.StrokeRoundRect(1, 1, w - 1, 2 * h - 1, 2, 1, kWhite, 0.85);
        }
        // The state image is the top half of a taller rounded tile, mirrored for the bottom
        // half so that both corners are round.
        Layer full(w, h);
        for (int j = 0; j < h; ++j)
            for (int i = 0; i < w; ++i) {
                int src = j < h / 2 + h % 2 ? j : h - 1 - j;
                full.Blend(i, j, l.ColorAt(i, src), l.AlphaAt(i, src));
            }
        full.CommitBanded(m, x + s * w, y, h);
    }
}

// GRIPH: a 1 x 2 texture of a dark dot over a light one, with its transparency band.
void GripTexture(Image32& m) {
    m.At(50, 7) = ToPixel(Hex(0x8E9EB2));
    m.At(50, 8) = ToPixel(kWhite);
    m.At(50, 9) = ToPixel({0, 0, 0});
    m.At(50, 10) = ToPixel({96, 96, 96});
}

// A push button's glass: a bright upper half that darkens towards a sharp line (step_row),
// a deeper lower half that lightens towards the bottom edge. The border stretches the rows
// around the step, so the line stays at the same distance from the top at any height.
struct ButtonLook {
    Rgb outline, upper_top, upper_bottom, lower_top, lower_bottom;
    double highlight;
};
constexpr ButtonLook kButtonLooks[3] = {
    {kSteel, kWhite, Hex(0xE9EEF4), Hex(0xD9E1EB), Hex(0xEBF0F6), 0.9},
    {kHot, kWhite, Hex(0xE4EFFB), Hex(0xCCE1F7), Hex(0xE2EEFB), 0.9},
    {kPressed, Hex(0xD3E4F6), Hex(0xBFD8F3), Hex(0xA8CAF0), Hex(0xC4DCF6), 0.4}};

void Button(Image32& m, int x, int y, int w, int h, double step_row) {
    for (int s = 0; s < 3; ++s) {
        const ButtonLook& look = kButtonLooks[s];
        Layer l(w, h);
        auto upper = Vertical(look.upper_top, look.upper_bottom, 1, step_row);
        auto lower = Vertical(look.lower_top, look.lower_bottom, step_row, h - 1);
        l.FillRoundRect(0.5, 0.5, w - 0.5, h - 0.5, 3.5, [=](double px, double py) {
            return py < step_row ? upper(px, py) : lower(px, py);
        });
        l.StrokeRoundRect(0.5, 0.5, w - 0.5, h - 0.5, 3.5, 1, look.outline);
        l.StrokeRoundRect(1.5, 1.5, w - 1.5, h - 1.5, 2.5, 1, kWhite, look.highlight);
        // A faint reflection along the lower edge.
        l.Line(4, h - 2.5, w - 4, h - 2.5, 1, Mix(look.lower_bottom, kWhite, 0.5), 0.8);
        l.CommitKeyed(m, x + s * w, y, kMatte);
    }
}

// Check boxes, radio buttons and the small check boxes: three states each.
enum class Mark { none, check, grey };

void BoxGlyph(Layer& l, int size, int box, int state, Mark mark, bool radio) {
    double o = (size - box) / 2.0;
    const StateLook& look = kLooks[state];
    if (radio) {
        double c = size / 2.0, r = box / 2.0;
        l.FillEllipse(c, c, r, r, Vertical(look.top, look.bottom, o, o + box));
        l.StrokeEllipse(c, c, r, r, 1, look.outline);
        if (mark == Mark::check)
            l.FillEllipse(c, c, r * 0.42, r * 0.42, Vertical(Hex(0x5FA2E8), kNavy, c - 3, c + 3));
        if (mark == Mark::grey)
            l.FillEllipse(c, c, r * 0.42, r * 0.42, Solid(kDisabled));
        return;
    }
    l.FillRoundRect(o, o, o + box, o + box, 2, Vertical(look.top, look.bottom, o, o + box));
    l.StrokeRoundRect(o, o, o + box, o + box, 2, 1, look.outline);
    if (mark == Mark::check) {
        double u = box / 13.0;
        l.Line(o + 3 * u, o + 6.8 * u, o + 5.4 * u, o + 9.3 * u, 1.9 * u, kNavy);
        l.Line(o + 5.4 * u, o + 9.3 * u, o + 10 * u, o + 3.6 * u, 1.9 * u, kNavy);
    }
    if (mark == Mark::grey)
        l.FillRoundRect(o + box * 0.3, o + box * 0.3, o + box * 0.7, o + box * 0.7, 1,
                        Solid(kDisabled));
}

void BoxStrip(Image32& m, int x, int y, int size, int box, Mark mark, bool radio) {
    for (int s = 0; s < 3; ++s) {
        Layer l(size, size);
        BoxGlyph(l, size, box, s, mark, radio);
        l.CommitKeyed(m, x + s * size, y, kMatte);
    }
}

void CheckBoxes(Image32& m) {
    const Mark marks[3] = {Mark::check, Mark::none, Mark::grey};
    for (int i = 0; i < 3; ++i) {
        BoxStrip(m, 54 * i, 38, 18, 13, marks[i], false);
        BoxStrip(m, 54 * i, 56, 18, 13, marks[i], true);
        BoxStrip(m, 39 * i, 74, 13, 11, marks[i], false);
    }
}

// CHECK: the menu check mark, 16 x 16.
void MenuCheck(Image32& m) {
    Layer l(16, 16);
    l.Line(4, 8.5, 6.8, 11.3, 2, kNavy);
    l.Line(6.8, 11.3, 12, 5, 2, kNavy);
    l.CommitKeyed(m, 162, 38, kMatte);
}

// Title-button glyphs (w x h per state): the tile behind the glyph appears under the mouse.
using GlyphPainter = void (*)(Layer&, double cx, double cy, double unit, Rgb colour);

void CloseGlyph(Layer& l, double cx, double cy, double u, Rgb c) {
    l.Line(cx - 3.5 * u, cy - 3.5 * u, cx + 3.5 * u, cy + 3.5 * u, 1.6 * u, c);
    l.Line(cx - 3.5 * u, cy + 3.5 * u, cx + 3.5 * u, cy - 3.5 * u, 1.6 * u, c);
}
void MaxGlyph(Layer& l, double cx, double cy, double u, Rgb c) {
    l.StrokeRoundRect(cx - 4 * u, cy - 3.5 * u, cx + 4 * u, cy + 3.5 * u, 0, 1.1 * u, c);
    l.Line(cx - 4 * u, cy - 3 * u, cx + 4 * u, cy - 3 * u, 1.2 * u, c);
}
void MinGlyph(Layer& l, double cx, double cy, double u, Rgb c) {
    l.Line(cx - 3.5 * u, cy + 2.5 * u, cx + 3.5 * u, cy + 2.5 * u, 1.8 * u, c);
}
void RestoreGlyph(Layer& l, double cx, double cy, double u, Rgb c) {
    // The window behind shows only its top and right edges.
    double w = 1.1 * u;
    l.Line(cx - 1.5 * u, cy - 4 * u, cx + 4 * u, cy - 4 * u, w, c);
    l.Line(cx + 4 * u, cy - 4 * u, cx + 4 * u, cy + 1.5 * u, w, c);
    l.Line(cx - 1.5 * u, cy - 4 * u, cx - 1.5 * u, cy - 1.5 * u, w, c);
    l.Line(cx + 1.5 * u, cy + 1.5 * u, cx + 4 * u, cy + 1.5 * u, w, c);
    l.StrokeRoundRect(cx - 4 * u, cy - 1.5 * u, cx + 1.5 * u, cy + 4 * u, 0, w, c);
    l.Line(cx - 4 * u, cy - 1.2 * u, cx + 1.5 * u, cy - 1.2 * u, w, c);
}
void HelpGlyph(Layer& l, double cx, double cy, double u, Rgb c) {
    const double hook[][2] = {{-2.2, -2.4}, {-1.2, -3.9}, {1, -3.9}, {2.3, -2.7},
                              {2.3, -1.3},  {0, 0.1},     {0, 1.4}};
    for (int i = 0; i + 1 < 7; ++i)
        l.Line(cx + hook[i][0] * u, cy + hook[i][1] * u, cx + hook[i + 1][0] * u,
               cy + hook[i + 1][1] * u, 1.4 * u, c);
    l.FillEllipse(cx, cy + 3.4 * u, 0.9 * u, 0.9 * u, Solid(c));
}

void TitleButton(Image32& m, int x, int y, int w, int h, GlyphPainter glyph, bool close) {
    double unit = w / 14.0;
    for (int s = 0; s < 3; ++s) {
        Layer l(w, h);
        Rgb glyph_colour = kGlyph;
        if (s > 0) {
            Rgb top = close ? (s == 1 ? Hex(0xEC8A86) : kCloseHot) : (s == 1 ? kWhite : kFrost);
            Rgb bottom =
                close ? (s == 1 ? kCloseHot : kClosePressed) : (s == 1 ? kFrost : kDeepIce);
            l.FillRoundRect(0, 1, w, h - 1, 3 * unit, Vertical(top, bottom, 1, h - 1));
            l.StrokeRoundRect(0, 1, w, h - 1, 3 * unit, 1,
                              close ? kClosePressed : kLooks[s].outline, 0.9);
            if (close)
                glyph_colour = kWhite;
        }
        glyph(l, w / 2.0, h / 2.0, unit, glyph_colour);
        l.CommitKeyed(m, x + s * w, y, Hex(0xDCDCDC));
    }
}

void TitleButtons(Image32& m) {
    TitleButton(m, 0, 92, 14, 16, CloseGlyph, true);
    TitleButton(m, 42, 92, 14, 16, MaxGlyph, false);
    TitleButton(m, 84, 92, 14, 16, MinGlyph, false);
    TitleButton(m, 126, 92, 14, 16, RestoreGlyph, false);
    TitleButton(m, 0, 108, 14, 16, HelpGlyph, false);
    TitleButton(m, 42, 108, 11, 11, CloseGlyph, true);
    TitleButton(m, 75, 108, 11, 11, MaxGlyph, false);
    TitleButton(m, 108, 108, 11, 11, MinGlyph, false);
    TitleButton(m, 141, 108, 11, 11, RestoreGlyph, false);
    TitleButton(m, 54, 124, 11, 11, HelpGlyph, false);
}

// Size grips: dots with a light shadow, as a corner (12 x 12), a row and a column.
void Dot(Layer& l, int x, int y) {
    l.FillRoundRect(x + 1, y + 1, x + 3, y + 3, 0, Solid(kWhite));
    l.FillRoundRect(x, y, x + 2, y + 2, 0, Solid(Hex(0x9AA6B4)));
}

void Grips(Image32& m) {
    Layer corner(12, 12);
    for (int row = 0; row < 3; ++row)
        for (int col = 2 - row; col < 3; ++col)
            Dot(corner, 1 + 4 * col, 1 + 4 * row);
    corner.CommitKeyed(m, 117, 74, kMatte);
    Layer horizontal(12, 4);
    for (int col = 0; col < 3; ++col)
        Dot(horizontal, 1 + 4 * col, 1);
    horizontal.CommitKeyed(m, 129, 74, kMatte);
    Layer vertical(4, 12);
    for (int row = 0; row < 3; ++row)
        Dot(vertical, 1, 1 + 4 * row);
    vertical.CommitKeyed(m, 141, 74, kMatte);
}

// Scroll bars: arrow glyphs (7 x 7), thumb grips, buttons, thumbs and the track frame.
void Arrow(Image32& m, int x, int y, int dx, int dy) {
    Layer l(7, 7);
    double c = 3.5;
    auto p = [&](double along, double across) {
        // along points in the arrow's direction (dx, dy); across is perpendicular to it
        return std::pair{c + along * dx - across * dy, c + along * dy + across * dx};
    };
    l.FillPolygon({p(2, 0), p(-1.5, 3.2), p(-1.5, -3.2)}, kGlyph);
    l.CommitKeyed(m, x, y, kMatte);
}

void ScrollParts(Image32& m) {
    Arrow(m, 177, 56, 0, -1);
    Arrow(m, 184, 56, 0, 1);
    Arrow(m, 191, 56, -1, 0);
    Arrow(m, 177, 63, 1, 0);
    Layer grip_h(8, 7);
    for (int i = 0; i < 3; ++i) {
        grip_h.Line(1.5 + 2.5 * i + 0.5, 1.5, 1.5 + 2.5 * i + 0.5, 6.5, 1, kWhite);
        grip_h.Line(1.5 + 2.5 * i, 1, 1.5 + 2.5 * i, 6, 1, Hex(0x7F8FA3));
    }
    grip_h.CommitKeyed(m, 162, 56, kMatte);
    Layer grip_v(7, 8);
    for (int i = 0; i < 3; ++i) {
        grip_v.Line(1.5, 1.5 + 2.5 * i + 0.5, 6.5, 1.5 + 2.5 * i + 0.5, 1, kWhite);
        grip_v.Line(1, 1.5 + 2.5 * i, 6, 1.5 + 2.5 * i, 1, Hex(0x7F8FA3));
    }
    grip_v.CommitKeyed(m, 170, 56, kMatte);
    Glass3(m, 0, 135, 17, 17, 3);  // SCROLLBTNTOP and its children
    Glass3(m, 51, 135, 17, 17, 4); // SCROLLSLIDERH and V
    const Rgb track[3] = {Hex(0xD5DCE4), Hex(0xB9C7D6), kSteel};
    FrameStates(m, 102, 135, 6, 6, 3, 0, track, false);
}

// TOOLBUTTON (22 x 22) and MENUITEM (8 x 8): nothing at rest, a frame under the mouse and
// when pressed.
void HotFrames(Image32& m) {
    const Rgb tool[3] = {kSteel, kHot, kPressed};
    for (int s = 1; s < 3; ++s) {
        Layer l(22, 22);
        l.FillRoundRect(0, 0, 22, 22, 3, Vertical(kFaces[s].top, kFaces[s].bottom, 0, 22));
        l.StrokeRoundRect(0, 0, 22, 22, 3, 1, tool[s]);
        l.StrokeRoundRect(1, 1, 21, 21, 2, 1, kWhite, s == 1 ? 0.9 : 0.5);
        l.CommitKeyed(m, 106 + 22 * s, 0, kMatte);
    }
    Layer item(8, 8);
    item.FillRoundRect(0, 0, 8, 8, 2, Vertical(kWhite, Hex(0xDCEBFB), 0, 8));
    item.StrokeRoundRect(0, 0, 8, 8, 2, 1, Hex(0x7DB3EA));
    item.StrokeRoundRect(1, 1, 7, 7, 1, 1, kWhite, 0.9);
    item.CommitKeyed(m, 180, 9, kWhite);
}

// Small frames of containers: HINT, GROUPBOX (12 x 12), PANEL_LOW, STATUSPANELMASK, GAUGE,
// BARPANEL (6 x 6), the track-bar channel and PAGECONTROL.
void Sunken(Image32& m, int x, int y, int w, int h) {
    Layer l(w, h);
    l.StrokeRoundRect(0, 0, w, h, 0, 1, kWhite);
    l.Line(0, 0.5, w - 1, 0.5, 1, Hex(0xA9B4C2));
    l.Line(0.5, 0, 0.5, h - 1, 1, Hex(0xA9B4C2));
    l.CommitKeyed(m, x, y, kMatte);
}

void ContainerFrames(Image32& m) {
    Layer hint(12, 12);
    hint.StrokeRoundRect(0, 0, 12, 12, 4, 1, Hex(0x7F8FA3));
    hint.StrokeRoundRect(1, 1, 11, 11, 3, 1, kWhite, 0.9);
    hint.CommitKeyed(m, 52, 0, kWhite);
    Layer group(12, 12);
    group.StrokeRoundRect(1, 1, 12, 12, 4, 1, kWhite);
    group.StrokeRoundRect(0, 0, 11, 11, 4, 1, Hex(0xB5C0CC));
    group.CommitKeyed(m, 64, 0, kMatte);
    Sunken(m, 52, 12, 6, 6);
    Sunken(m, 58, 12, 6, 6);
    Sunken(m, 171, 153, 6, 6);
    Layer channel(12, 5);
    channel.FillRoundRect(0, 0, 12, 5, 2, Vertical(Hex(0xB9C4D0), kWhite, 0, 5));
    channel.StrokeRoundRect(0, 0, 12, 5, 2, 1, Hex(0x9AA6B4));
    channel.CommitKeyed(m, 64, 12, kMatte);
    const Rgb page[1] = {Hex(0xA9B4C2)};
    FrameStates(m, 102, 141, 10, 10, 1, 2, page, true);
    const Rgb bar[1] = {Hex(0xC5CFDA)};
    FrameStates(m, 112, 141, 6, 6, 1, 1, bar, false);
}

// Tabs: rounded on the side away from the page; three states (rest, hot, selected).
void Tabs(Image32& m, int x, int y, int w, int h, int side /* 0 top 1 bottom 2 left 3 right */) {
    const Rgb outline[3] = {Hex(0xA9B4C2), kHot, Hex(0x8E9EB2)};
    const Face face[3] = {{kWhite, Hex(0xE8EEF5)}, {kWhite, Hex(0xEEF5FD)}, {kWhite, kWhite}};
    for (int s = 0; s < 3; ++s) {
        Layer l(w, h);
        double x0 = 0, y0 = 0, x1 = w, y1 = h;
        // Extend the shape past the page side so that that side stays open and square.
        (side == 0 ? y1 : side == 1 ? y0 : side == 2 ? x1 : x0) += side % 2 ? -4 : 4;
        // Light on the outer side, deeper towards the page.
        const bool across = side >= 2, reversed = side % 2 == 1;
        const Rgb outer = face[s].top, inner = face[s].bottom;
        l.FillRoundRect(
            x0, y0, x1, y1, 4,
            Along(reversed ? inner : outer, reversed ? outer : inner, 0, across ? w : h, across));
        l.StrokeRoundRect(x0, y0, x1, y1, 4, 1, outline[s]);
        l.StrokeRoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3, 1, kWhite, 0.9);
        if (s == 1) // a blue accent line on the outer edge of the hot tab
            l.StrokeRoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3, 1, Hex(0x9CC4EE), 0.6);
        l.CommitKeyed(m, x + s * w, y, kMatte);
    }
}

// Track-bar thumbs: a glass tile with a point, down (11 x 18) and right (18 x 11).
void Thumbs(Image32& m) {
    for (int s = 0; s < 3; ++s) {
        Layer down(11, 18);
        std::vector<std::pair<double, double>> shape = {
            {0.5, 0.5}, {10.5, 0.5}, {10.5, 12.5}, {5.5, 17.5}, {0.5, 12.5}};
        down.FillPolygon(shape, kLooks[s].outline);
        std::vector<std::pair<double, double>> inner = {
            {1.5, 1.5}, {9.5, 1.5}, {9.5, 12.1}, {5.5, 16.1}, {1.5, 12.1}};
        down.FillPolygon(inner, kLooks[s].top);
        down.FillRoundRect(2, 7, 9, 12, 0, Solid(kLooks[s].bottom), 0.8);
        down.CommitKeyed(m, 145 + 11 * s, 74, kMatte);
        Layer right(18, 11);
        for (int y = 0; y < 11; ++y)
            for (int x = 0; x < 18; ++x)
                right.Blend(x, y, down.ColorAt(y, x), down.AlphaAt(y, x));
        right.CommitKeyed(m, 18 * s, 124, kMatte);
    }
    m.At(184, 63) = m.At(184, 64) = m.At(184, 65) = m.At(184, 66) = ToPixel(Hex(0x8E9EB2));
    for (int x = 186; x < 190; ++x)
        m.At(x, 63) = ToPixel(Hex(0x8E9EB2));
}

// Progress textures: soft diagonal stripes, 8 x 8, horizontal and vertical.
void ProgressTextures(Image32& m) {
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            bool stripe = (x + y) % 8 < 4;
            m.At(102 + x, 151 + y) = ToPixel(stripe ? kWhite : Hex(0x9CC4EE));
            bool stripe_v = (x + 7 - y) % 8 < 4;
            m.At(110 + x, 151 + y) = ToPixel(stripe_v ? kWhite : Hex(0x9CC4EE));
        }
}

// COMBOBOX's drop-down arrow, 9 x 6.
void ComboArrow(Image32& m) {
    Layer l(9, 6);
    l.FillPolygon({{1, 1}, {8, 1}, {4.5, 5}}, kGlyph);
    l.CommitKeyed(m, 178, 38, kWhite);
}

// COLHEADER: a bottom line and a separator on the right, 9 x 18 per state.
void ColumnHeader(Image32& m) {
    const Rgb line[3] = {Hex(0xC5CFDA), kHot, kPressed};
    const Face face[3] = {{kWhite, Hex(0xEAF0F6)}, {kWhite, Hex(0xDCEBFB)}, {kFrost, kDeepIce}};
    for (int s = 0; s < 3; ++s) {
        Layer l(9, 18);
        l.FillRoundRect(0, 0, 9, 18, 0, Vertical(face[s].top, face[s].bottom, 0, 18));
        l.Line(0, 17.5, 9, 17.5, 1, line[s]);
        l.Line(8.5, 3, 8.5, 15, 1, Hex(0xC5CFDA));
        l.Line(7.5, 3, 7.5, 15, 1, kWhite);
        l.CommitKeyed(m, 171 + 9 * s, 135, kWhite);
    }
}

} // namespace

Image32 DrawMasterBitmap() {
    Image32 m = skin::data::MakeImage32(200, 321, skin::data::kKeyPixel);
    FormTitle(m);
    Form(m);
    Edit(m);
    BandedButton(m, 23, 0, 8, 9, false);
    BandedButton(m, 81, 0, 8, 8, true);
    GripTexture(m);
    Button(m, 0, 159, 28, 22, 10);
    Button(m, 84, 159, 28, 30, 15);
    Glass3(m, 120, 135, 17, 20, 3); // COMBOBTN
    Glass3(m, 172, 0, 9, 9, 2);     // UPDOWNBTN
    CheckBoxes(m);
    MenuCheck(m);
    TitleButtons(m);
    Grips(m);
    ScrollParts(m);
    HotFrames(m);
    ContainerFrames(m);
    Tabs(m, 0, 22, 20, 16, 0);
    Tabs(m, 60, 22, 20, 16, 1);
    Tabs(m, 120, 22, 12, 16, 2);
    Tabs(m, 156, 22, 12, 16, 3);
    Tabs(m, 0, 189, 20, 20, 0); // RIBBONTAB
    Thumbs(m);
    ProgressTextures(m);
    ComboArrow(m);
    ColumnHeader(m);
    return m;
}

} // namespace skin_generator
