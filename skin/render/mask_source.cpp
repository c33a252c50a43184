#include "skin/render/mask_source.h"

namespace skin::render {

MaskSource::MaskSource(const MaskSource& other)
    : Image(other.Image.View()), OwnBitmap(other.OwnBitmap), R(other.R),
      ImageCount(other.ImageCount), MaskType(other.MaskType), DrawMode(other.DrawMode),
      WL(other.WL), WT(other.WT), WR(other.WR), WB(other.WB), CornerType(other.CornerType),
      HasManager(other.HasManager) {}

MaskSource& MaskSource::operator=(const MaskSource& other) {
    if (this != &other)
        *this = MaskSource(other);
    return *this;
}

SkinBitmap ViewImage(const data::Image32& image) {
    if (image.Empty())
        return {};
    // The painters take their sources as const SkinBitmap&, so the pixels are never written.
    auto* bits = const_cast<Pixel*>(image.Row(0));
    return SkinBitmap::Adopt(bits, image.width, image.height, image.width, nullptr, nullptr);
}

MaskSource MaskFromSkin(const data::LoadedSkin* skin, int index) {
    MaskSource mask;
    if (!skin || !skin->IsValidImgIndex(index))
        return mask;
    const data::TsMaskData& m = skin->ma[static_cast<std::size_t>(index)];
    mask.OwnBitmap = m.Bmp != nullptr;
    mask.Image = ViewImage(m.Bmp ? *m.Bmp : skin->MasterBitmap);
    mask.R = {m.R.Left, m.R.Top, m.R.Right, m.R.Bottom};
    mask.ImageCount = m.ImageCount;
    mask.MaskType = m.MaskType;
    mask.DrawMode = m.DrawMode;
    mask.WL = m.WL;
    mask.WT = m.WT;
    mask.WR = m.WR;
    mask.WB = m.WB;
    mask.CornerType = m.CornerType;
    mask.HasManager = true;
    return mask;
}

int StateWidth(const MaskSource& mask) {
    if (mask.ImageCount <= 0)
        return 0;
    return mask.ImageCount == 1 ? mask.R.Width() : mask.R.Width() / mask.ImageCount;
}

int StateHeight(const MaskSource& mask) {
    if (mask.MaskType < 0)
        return 0;
    return mask.MaskType == 0 ? mask.R.Height() : mask.R.Height() / (mask.MaskType + 1);
}

int StateIndex(const MaskSource& mask, int state) {
    if (state < 0)
        return 0;
    return state < mask.ImageCount ? state : mask.ImageCount - 1;
}

} // namespace skin::render
