#include "skin/windows/frame_skin_source.h"

#include "skin/frame/builtin_shadows.h"

namespace skin::windows {

FrameSkinSource MakeFrameSkinSource(const data::LoadedSkin& skin, bool extended_borders) {
    FrameSkinSource source;
    source.Skin = &skin;
    source.ExtendedBorders = extended_borders;
    if (!extended_borders)
        return source;
    source.Templates = frame::ShadowTemplatesOf(skin);
    const int offset = skin.SkinData.ExContentOffs;
    if (!skin.IsValidImgIndex(skin.ConstData.ExBorder)) {
        // The built-in shadows, with their own margins.
        const int m = frame::kBuiltInShadowMargin;
        source.ShadowSize = {m, m, m, m};
        return source;
    }
    const data::TsMaskData& ex = skin.ma[static_cast<std::size_t>(skin.ConstData.ExBorder)];
    if (skin.SkinData.ExDrawMode != 0)
        source.ShadowSize = {offset, offset, offset, offset};
    else
        source.ShadowSize = {ex.WL - offset, ex.WT - offset, ex.WR - offset, ex.WB - offset};
    return source;
}

} // namespace skin::windows
