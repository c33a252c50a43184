#include "designs.h"

namespace icons {

namespace {

// A cool blue folder: the back panel with its tab, then a lighter front panel.
void Folder(Canvas& c, float left, float top, float right, float bottom) {
    const float h = bottom - top;
    const float tab = (right - left) * 0.42f;
    c.FillRoundRect(left, top, left + tab, top + h * 0.3f, 1.0f, Solid(Hex(0x2F6DB5)));
    c.FillRoundRect(left, top + h * 0.12f, right, bottom, 1.0f, Solid(Hex(0x2F6DB5)));
    c.FillRoundRect(left + 0.6f, top + h * 0.3f, right - 0.6f, bottom - 0.6f, 0.7f,
                    VerticalGradient(Hex(0x9CCBF5), top + h * 0.3f, Hex(0x4D93DB), bottom));
    c.FillRoundRect(left + 0.6f, top + h * 0.3f, right - 0.6f, top + h * 0.3f + 0.8f, 0.3f,
                    Solid(Hex(0xFFFFFF, 0.55f)));
}

void FolderIcon(Canvas& c) {
    Folder(c, 0.5f, 2.0f, 15.5f, 14.0f);
}

// A green arrow pointing right, its tip at (x, y).
void Arrow(Canvas& c, float x, float y, float size) {
    const float s = size;
    const std::vector<Point> outline{{x - s, y - s * 0.22f},         {x - s * 0.45f, y - s * 0.22f},
                                     {x - s * 0.45f, y - s * 0.55f}, {x, y},
                                     {x - s * 0.45f, y + s * 0.55f}, {x - s * 0.45f, y + s * 0.22f},
                                     {x - s, y + s * 0.22f}};
    c.FillPolygon(outline, Solid(Hex(0x1E7B2E)));
    const float i = 0.9f; // the lighter inside, one outline width in
    const std::vector<Point> inside{{x - s + i, y - s * 0.22f + i * 0.6f},
                                    {x - s * 0.45f + i * 0.5f, y - s * 0.22f + i * 0.6f},
                                    {x - s * 0.45f + i * 0.5f, y - s * 0.55f + i * 1.4f},
                                    {x - i * 1.3f, y},
                                    {x - s * 0.45f + i * 0.5f, y + s * 0.55f - i * 1.4f},
                                    {x - s * 0.45f + i * 0.5f, y + s * 0.22f - i * 0.6f},
                                    {x - s + i, y + s * 0.22f - i * 0.6f}};
    c.FillPolygon(inside,
                  VerticalGradient(Hex(0x8EE07A), y - s * 0.5f, Hex(0x3BAA3A), y + s * 0.5f));
}

// A page with a folded corner and lines of text, and a green arrow coming in.
void LoadTemplateGlyph(Canvas& c) {
    c.FillPolygon({{3, 0.5f}, {10.5f, 0.5f}, {14, 4}, {14, 15.5f}, {3, 15.5f}},
                  Solid(Hex(0x6B7C8F)));
    c.FillPolygon({{4, 1.5f}, {10, 1.5f}, {13, 4.5f}, {13, 14.5f}, {4, 14.5f}},
                  VerticalGradient(Hex(0xFFFFFF), 1, Hex(0xE3ECF5), 15));
    c.FillPolygon({{10, 1.5f}, {13, 4.5f}, {10, 4.5f}}, Solid(Hex(0xB8C6D6)));
    for (float y : {6.0f, 8.0f, 10.0f, 12.0f})
        c.FillRoundRect(6, y, 11.5f, y + 0.9f, 0.3f, Solid(Hex(0x9AAABB)));
    Arrow(c, 9.5f, 10.5f, 8.5f);
}

// A blue floppy disk with its label and shutter, and a green arrow going in.
void SaveTemplateGlyph(Canvas& c) {
    c.FillRoundRect(1, 1, 15, 15, 1.2f, Solid(Hex(0x1F4E85)));
    c.FillRoundRect(2, 2, 14, 14, 0.8f, VerticalGradient(Hex(0x5C9BDD), 2, Hex(0x2D67AD), 14));
    c.FillRoundRect(4, 2, 12, 7.5f, 0.5f, VerticalGradient(Hex(0xFFFFFF), 2, Hex(0xDDE7F1), 7.5f));
    c.FillRoundRect(4.5f, 10, 11.5f, 14, 0.5f, Solid(Hex(0xC9D4E0)));
    c.FillRoundRect(9, 10.8f, 10.5f, 13.2f, 0.3f, Solid(Hex(0x2D4F75)));
    Arrow(c, 15.5f, 5.5f, 7.5f);
}

// A magnifying glass: a glassy lens in a dark ring and a handle to the lower right.
void ScanGlyph(Canvas& c) {
    c.StrokeLine({9.8f, 9.8f}, {14.6f, 14.6f}, 3.0f, Solid(Hex(0x5A4632)));
    c.StrokeLine({10.3f, 10.3f}, {14.3f, 14.3f}, 1.4f, Solid(Hex(0x9C7B56)));
    c.FillEllipse(6.5f, 6.5f, 4.6f, 4.6f,
                  VerticalGradient(Hex(0xE4F3FF, 0.9f), 2, Hex(0x8CC4F0, 0.9f), 11));
    c.FillRing(6.5f, 6.5f, 5.6f, 4.5f, Solid(Hex(0x3D5A78)));
    c.FillEllipse(5.0f, 4.9f, 1.6f, 1.1f, Solid(Hex(0xFFFFFF, 0.8f)));
}

// The application: a folder with a small branching tree of three nodes on its front.
void ApplicationIcon(Canvas& c) {
    Folder(c, 0.5f, 1.5f, 15.5f, 14.5f);
    const Rgba line = Hex(0x17406E);
    c.StrokeLine({5.0f, 7.2f}, {5.0f, 12.4f}, 0.8f, Solid(line));
    c.StrokeLine({5.0f, 9.2f}, {9.6f, 9.2f}, 0.8f, Solid(line));
    c.StrokeLine({5.0f, 12.4f}, {9.6f, 12.4f}, 0.8f, Solid(line));
    auto node = [&c, line](float left, float top, Rgba fill) {
        c.FillRoundRect(left, top, left + 3.6f, top + 2.6f, 0.7f, Solid(line));
        c.FillRoundRect(left + 0.5f, top + 0.5f, left + 3.1f, top + 2.1f, 0.4f, Solid(fill));
    };
    node(3.2f, 5.4f, Hex(0xFFD34D));
    node(9.0f, 7.9f, Hex(0xFFFFFF));
    node(9.0f, 11.1f, Hex(0xFFFFFF));
}

// The badges on the folder of a name Windows would change or refuse, in the lower left corner
// over the front of the folder.

// An amber warning triangle with an exclamation mark: the name is changed.
void NameChangedBadge(Canvas& c) {
    c.FillPolygon({{5.0f, 6.2f}, {10.2f, 15.6f}, {-0.2f, 15.6f}}, Solid(Hex(0x7A4A00)));
    c.FillPolygon({{5.0f, 8.0f}, {8.9f, 14.8f}, {1.1f, 14.8f}},
                  VerticalGradient(Hex(0xFFE27A), 8, Hex(0xF2A900), 15));
    c.StrokeLine({5.0f, 10.0f}, {5.0f, 12.4f}, 1.2f, Solid(Hex(0x3D2600)));
    c.FillEllipse(5.0f, 13.7f, 0.65f, 0.65f, Solid(Hex(0x3D2600)));
}

// A red no-entry sign: the name is refused.
void NameRefusedBadge(Canvas& c) {
    c.FillEllipse(5.0f, 11.0f, 4.9f, 4.9f, Solid(Hex(0x7A0F0F)));
    c.FillEllipse(5.0f, 11.0f, 4.1f, 4.1f, VerticalGradient(Hex(0xF25C54), 7, Hex(0xC41E1E), 15));
    c.FillRoundRect(2.4f, 10.2f, 7.6f, 11.8f, 0.4f, Solid(Hex(0xFFFFFF)));
}

void FolderNameChangedIcon(Canvas& c) {
    FolderIcon(c);
    NameChangedBadge(c);
}

void FolderNameRefusedIcon(Canvas& c) {
    FolderIcon(c);
    NameRefusedBadge(c);
}

} // namespace

const std::vector<Icon>& Designs() {
    static const std::vector<Icon> designs{
        {"folder.png", {16}, FolderIcon},
        {"load_template.ico", {16}, LoadTemplateGlyph},
        {"save_template.ico", {16}, SaveTemplateGlyph},
        {"scan.ico", {16}, ScanGlyph},
        {"arbordir.ico", {16, 24, 32, 48}, ApplicationIcon},
        {"folder_name_changed.png", {16}, FolderNameChangedIcon},
        {"folder_name_refused.png", {16}, FolderNameRefusedIcon},
    };
    return designs;
}

} // namespace icons
