#pragma once

#include "canvas.h"

#include <string>
#include <vector>

namespace icons {

struct Icon {
    // the file written into the program's resources: an .ico with every size, or a .png of
    // the first size (the pictures of the tree's image list, kept as PNG with their alpha)
    std::string file;
    std::vector<int> sizes; // square sizes in pixels
    void (*draw)(Canvas&);  // draws on a 16-unit grid
};

// The program's own pictures: the folder of the tree, the glyphs of the three template and
// scan buttons, the browse glyph of the destination field, the application icon and the
// folder with a badge for names Windows would change or refuse.
const std::vector<Icon>& Designs();

} // namespace icons
