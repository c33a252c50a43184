#include "dialogs/glyph_list.h"

#include "core/error.h"
#include "skin/data/image_decoders.h"

#include <span>
#include <windows.h>

namespace dialogs {

namespace {

constexpr int kStripWidth = 48;
constexpr int kStripHeight = 16;
constexpr const wchar_t* kStripResources[] = {L"SF", L"SR", L"SD", L"SE", L"SC"};

std::span<const std::uint8_t> ResourceBytes(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!found)
        return {};
    HGLOBAL loaded = LoadResource(module, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes)
        return {};
    return {static_cast<const std::uint8_t*>(bytes), SizeofResource(module, found)};
}

} // namespace

void GlyphList::Add(int width, int height, const std::vector<std::uint32_t>& pixels) {
    if (width != width_ || height != height_)
        items_.push_back(std::make_unique<ui::AlphaBitmap>(0, 0, std::vector<std::uint32_t>()));
    else
        items_.push_back(std::make_unique<ui::AlphaBitmap>(width, height, pixels));
}

const GlyphList& InternalGlyphList() {
    static const GlyphList list = [] {
        GlyphList strips(kStripWidth, kStripHeight);
        for (const wchar_t* name : kStripResources) {
            skin::data::Image32 image;
            try {
                const std::span<const std::uint8_t> bytes = ResourceBytes(name);
                if (!bytes.empty())
                    image = skin::data::DecodePng(bytes);
            } catch (const core::Error&) {
                image = {};
            }
            strips.Add(image.width, image.height, image.pixels);
        }
        return strips;
    }();
    return list;
}

} // namespace dialogs
