#include "skin/render/label_shadow.h"

#include "core/error.h"

#include <algorithm>
#include <limits>

namespace skin::render {

ShadowSpace ShadowSpaceFor(int distance, int blur) {
    return {std::min(0, distance - blur), std::max(0, distance + blur)};
}

Rect CaptionInside(const Rect& label, ShadowSpace space) {
    const Rect r{label.Left - space.TopLeft, label.Top - space.TopLeft,
                 label.Right - space.RightBottom, label.Bottom - space.RightBottom};
    if (r.IsEmpty())
        return {r.Left, r.Top, r.Left, r.Top};
    return r;
}

void ShadowGrid::Reset(int width, int height) {
    if (width < 0 || height < 0)
        throw core::Error(u"Invalid shadow size");
    const long long w2 = static_cast<long long>(width) + 2;
    const long long h2 = static_cast<long long>(height) + 2;
    const long long cells = w2 * h2;
    if (cells > std::numeric_limits<int>::max() / 2)
        throw core::Error(u"Shadow too large");
    // Twice the cells, as the label always reserved, so that the buffer rarely grows.
    const auto needed = static_cast<std::size_t>(cells) * 2;
    if (cells_.size() < needed)
        cells_.resize(needed);
    std::fill(cells_.begin(), cells_.begin() + static_cast<std::ptrdiff_t>(needed), 0);
    width_ = width;
    height_ = height;
    stride_ = static_cast<int>(w2);
}

void ShadowGrid::Soften(const GrayBitmap& ink) {
    const int w = std::min(width_, ink.Width());
    const int h = std::min(height_, ink.Height());
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* row = ink.Row(y);
        std::uint8_t* cells = cells_.data() + static_cast<std::size_t>(y + 1) * stride_ + 1;
        for (int x = 0; x < w; ++x)
            if (row[x] != 255)
                cells[x] = 255;
    }
    for (int y = 1; y <= height_; ++y) {
        std::uint8_t* cell = cells_.data() + static_cast<std::size_t>(y) * stride_ + 1;
        for (int x = 1; x <= width_; ++x, ++cell) {
            const int sum = cell[-stride_] + cell[stride_] + cell[-1] + cell[1];
            *cell = static_cast<std::uint8_t>(sum >> 2);
        }
    }
}

std::uint8_t ShadowGrid::At(int x, int y) const {
    return cells_[static_cast<std::size_t>(y + 1) * stride_ + x + 1];
}

namespace {

template <typename Mix>
void MixByGrid(SkinBitmap& canvas, const ShadowGrid& grid, Mix mix) {
    const int w = std::min(canvas.Width(), grid.Width());
    const int h = std::min(canvas.Height(), grid.Height());
    for (int y = 0; y < h; ++y) {
        Pixel* row = canvas.Row(y);
        for (int x = 0; x < w; ++x) {
            const int a = grid.At(x, y);
            Pixel result = row[x] & 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8)
                result |=
                    static_cast<Pixel>(mix(static_cast<int>((row[x] >> shift) & 0xFF), a, shift))
                    << shift;
            row[x] = result;
        }
    }
}

int ChannelOf(Color c, int pixel_shift) {
    return static_cast<int>((ColorToPixel(c) >> pixel_shift) & 0xFF);
}

} // namespace

void MixShadow(SkinBitmap& canvas, const ShadowGrid& grid, Color shadow) {
    MixByGrid(canvas, grid, [shadow](int channel, int a, int shift) {
        return (channel * (255 - a) + ChannelOf(shadow, shift) * a) >> 8;
    });
}

void MixShadowOpaque(SkinBitmap& canvas, const ShadowGrid& grid, Color shadow, Color background) {
    MixByGrid(canvas, grid, [shadow, background](int, int a, int shift) {
        return (ChannelOf(shadow, shift) * a + (255 - a) * ChannelOf(background, shift)) >> 8;
    });
}

Rect PaintLabelShadow(SkinBitmap& canvas, ShadowGrid& grid, TextRenderer& text_renderer,
                      const std::u16string& text, unsigned format, const LabelShadow& shadow) {
    const ShadowSpace space = ShadowSpaceFor(shadow.Distance, shadow.Blur);
    const Rect caption = CaptionInside(canvas.Bounds(), space);
    if (shadow.Blur <= 0 || shadow.ShadowColor == kNoColor || canvas.IsEmpty())
        return caption;
    GrayBitmap ink(canvas.Width(), canvas.Height());
    if (!caption.IsEmpty())
        text_renderer.DrawInk(ink, text, Offset(caption, shadow.Distance, shadow.Distance), format);
    grid.Reset(canvas.Width(), canvas.Height());
    for (int pass = 0; pass < shadow.Blur; ++pass)
        grid.Soften(ink);
    if (shadow.Transparent)
        MixShadow(canvas, grid, shadow.ShadowColor);
    else
        MixShadowOpaque(canvas, grid, shadow.ShadowColor, shadow.Background);
    return caption;
}

} // namespace skin::render
