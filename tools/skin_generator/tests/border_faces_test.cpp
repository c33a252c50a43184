// Border masks keyed by colour that also paint their centre copy the edges and the centre
// opaque, key pixels included: any key pixel there shows as a hole or as magenta. Only the
// corners, which are copied with the key taken as transparent, may hold it.

#include "tools/skin_generator/internal_skin.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace skin_generator {
namespace {

struct BorderLine {
    std::string section;
    int left, top, right, bottom, wl, wt, wr, wb, count, mask_type, draw_mode;
};

// Every BORDERSMASK line of the options text with its numbers.
std::vector<BorderLine> BorderLines(const std::string& options) {
    std::vector<BorderLine> lines;
    std::istringstream in(options);
    std::string line, section;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > 2 && line.front() == '[')
            section = line.substr(1, line.size() - 2);
        const std::string key = "BORDERSMASK=";
        if (line.rfind(key, 0) != 0)
            continue;
        std::vector<int> v;
        std::istringstream fields(line.substr(key.size()));
        std::string field;
        std::getline(fields, field, '^'); // empty before the first separator
        while (std::getline(fields, field, '^'))
            v.push_back(std::stoi(field));
        if (v.size() < 11)
            continue;
        lines.push_back(
            {section, v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10]});
    }
    return lines;
}

bool InCorner(const BorderLine& b, int w, int h, int x, int y) {
    const bool left = x < b.wl, right = x >= w - b.wr, top = y < b.wt, bottom = y >= h - b.wb;
    return (left || right) && (top || bottom);
}

TEST(BorderFaces, KeyedBordersThatPaintTheirCentreAreOpaqueInside) {
    const skin::data::Image32 master = DrawMasterBitmap();
    int checked = 0;
    for (const BorderLine& b : BorderLines(OptionsText())) {
        if (b.mask_type != 0 || (b.draw_mode & 4) == 0 || b.count <= 0)
            continue;
        const int w = (b.right - b.left) / b.count, h = b.bottom - b.top;
        // Masks that draw nothing at rest leave their first state empty.
        for (int s = (b.draw_mode & 2) ? 1 : 0; s < b.count; ++s) {
            int holes = 0;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const bool key =
                        master.At(b.left + s * w + x, b.top + y) == skin::data::kKeyPixel;
                    if (key && !InCorner(b, w, h, x, y))
                        ++holes;
                }
            EXPECT_EQ(holes, 0) << b.section << " state " << s;
            ++checked;
        }
    }
    // BUTTON, BUTTON_HUGE, the combo and up-down buttons, tabs, scroll buttons and thumbs,
    // column headers, tool buttons and menu items.
    EXPECT_GE(checked, 30);
}

TEST(BorderFaces, ButtonCornersStayTransparentAndItsStatesDiffer) {
    const skin::data::Image32 master = DrawMasterBitmap();
    for (int s = 0; s < 3; ++s) {
        const int x = 28 * s, y = 159;
        EXPECT_EQ(master.At(x, y), skin::data::kKeyPixel) << s;
        EXPECT_EQ(master.At(x + 27, y + 21), skin::data::kKeyPixel) << s;
    }
    // The middle of the face: rest, hot and pressed glass are told apart.
    const auto centre = [&](int s) { return master.At(28 * s + 14, 159 + 9); };
    EXPECT_NE(centre(0), centre(1));
    EXPECT_NE(centre(1), centre(2));
    EXPECT_NE(centre(0), centre(2));
}

} // namespace
} // namespace skin_generator
