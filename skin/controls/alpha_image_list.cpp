#include "skin/controls/alpha_image_list.h"

#include "core/error.h"
#include "skin/controls/gdi_bitmaps.h"
#include "skin/render/blends.h"
#include "ui/wide.h"

#include <cstring>

namespace skin::controls {
namespace {

std::uint32_t ReadU32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

std::vector<std::uint8_t> ReadWholeFile(const std::u16string& file) {
    HANDLE handle = CreateFileW(ui::Wide(file), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    std::vector<std::uint8_t> bytes;
    LARGE_INTEGER size{};
    // Image files are small; anything beyond 64 MB is no image of this list.
    if (GetFileSizeEx(handle, &size) && size.QuadPart > 0 && size.QuadPart < (64 << 20)) {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
        DWORD read = 0;
        if (!::ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr))
            read = 0;
        bytes.resize(read);
    }
    CloseHandle(handle);
    return bytes;
}

} // namespace

HICON IconFromFileBytes(const std::vector<std::uint8_t>& bytes, int width, int height) {
    // ICONDIR: reserved 0, type 1, count; then 16-byte entries with size and offset.
    if (bytes.size() < 6 + 16 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 1)
        return nullptr;
    const std::uint32_t size = ReadU32(bytes, 6 + 8);
    const std::uint32_t offset = ReadU32(bytes, 6 + 12);
    if (offset > bytes.size() || size > bytes.size() - offset || size == 0)
        return nullptr;
    std::vector<std::uint8_t> image(bytes.begin() + offset, bytes.begin() + offset + size);
    return CreateIconFromResourceEx(image.data(), size, TRUE, 0x00030000, width, height, 0);
}

TsAlphaImageList::TsAlphaImageList(int width, int height)
    : width_(width), height_(height),
      list_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 1, 1)) {}

TsAlphaImageList::~TsAlphaImageList() {
    if (list_)
        ImageList_Destroy(list_);
}

int TsAlphaImageList::Count() const {
    return list_ ? ImageList_GetImageCount(list_) : 0;
}

void TsAlphaImageList::AddItem(render::TsImageFormat format, std::vector<std::uint8_t> data) {
    items_.emplace_back(format, std::move(data));
}

HICON TsAlphaImageList::MakeIcon(render::AlphaImageItem& item) const {
    if (item.ImageFormat() == render::TsImageFormat::ifICO)
        return IconFromFileBytes(item.ImgData(), width_, height_);
    const render::SkinBitmap pixels = item.Decode();
    const std::vector<std::uint8_t> mask_bits = render::IconMaskFromAlpha(pixels);
    BITMAPV5HEADER header{};
    header.bV5Size = sizeof(header);
    header.bV5Width = pixels.Width();
    header.bV5Height = -pixels.Height();
    header.bV5Planes = 1;
    header.bV5BitCount = 32;
    header.bV5Compression = BI_BITFIELDS;
    header.bV5RedMask = 0x00FF0000;
    header.bV5GreenMask = 0x0000FF00;
    header.bV5BlueMask = 0x000000FF;
    header.bV5AlphaMask = 0xFF000000;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP colour = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header),
                                      DIB_RGB_COLORS, &bits, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (!colour)
        return nullptr;
    for (int y = 0; y < pixels.Height(); ++y)
        std::memcpy(static_cast<std::uint8_t*>(bits) +
                        static_cast<std::size_t>(y) * pixels.Width() * 4,
                    pixels.Row(y), static_cast<std::size_t>(pixels.Width()) * 4);
    HBITMAP mask = CreateBitmap(pixels.Width(), pixels.Height(), 1, 1, mask_bits.data());
    ICONINFO info{TRUE, 0, 0, mask, colour};
    HICON icon = CreateIconIndirect(&info);
    DeleteObject(mask);
    DeleteObject(colour);
    return icon;
}

void TsAlphaImageList::GenerateStdList() {
    if (!list_)
        return;
    ImageList_RemoveAll(list_);
    for (render::AlphaImageItem& item : items_) {
        HICON icon = nullptr;
        try {
            icon = MakeIcon(item);
        } catch (const core::Error&) {
            icon = nullptr; // a broken item leaves no image, the others still come
        }
        if (icon) {
            ImageList_AddIcon(list_, icon);
            DestroyIcon(icon);
        }
    }
    if (!items_.empty()) {
        generated_ = true;
        if (!double_data_)
            items_.clear();
    }
}

void TsAlphaImageList::LoadFromFile(const std::u16string& file) {
    std::vector<std::uint8_t> bytes = ReadWholeFile(file);
    const auto format = render::DetectImageFormat(bytes, file);
    if (!format)
        throw core::Error(render::CannotLoadMessage(file));
    render::AlphaImageItem item(*format, bytes);
    HICON icon = nullptr;
    try {
        icon = MakeIcon(item);
    } catch (const core::Error&) {
        icon = nullptr;
    }
    if (!icon || ImageList_AddIcon(list_, icon) < 0) {
        if (icon)
            DestroyIcon(icon);
        throw core::Error(render::CannotLoadMessage(file));
    }
    DestroyIcon(icon);
    if (double_data_)
        items_.push_back(std::move(item));
}

render::SkinBitmap TsAlphaImageList::CreateBitmap32(int index, int width, int height) {
    if (!list_ || index < 0 || index >= Count())
        return {};
    if (double_data_ && index < static_cast<int>(items_.size()) &&
        items_[index].ImageFormat() == render::TsImageFormat::ifPNG &&
        !items_[index].ImgData().empty())
        return items_[index].Render(width_, height_, width, height);
    HICON icon = ImageList_GetIcon(list_, index, ILD_TRANSPARENT);
    render::SkinBitmap pixels = IconPixels(icon);
    if (icon)
        DestroyIcon(icon);
    return pixels;
}

void TsAlphaImageList::Draw(HDC dc, int index, int x, int y, bool /*enabled*/) {
    if (!list_ || index < 0)
        return;
    if (index >= static_cast<int>(items_.size()) ||
        items_[index].ImageFormat() == render::TsImageFormat::ifICO) {
        ImageList_Draw(list_, index, dc, x, y, ILD_TRANSPARENT);
        return;
    }
    const render::SkinBitmap image = CreateBitmap32(index, width_, height_);
    if (image.IsEmpty())
        return;
    render::SkinBitmap canvas = TakeFromDC(dc, {x, y, x + width_, y + height_});
    const render::TCacheInfo behind{&canvas, 0, 0, render::kKeyColor, true};
    const render::Rect area{0, 0, image.Width(), image.Height()};
    render::CopyAlphaComposite(area, area, canvas, false, behind, image);
    ShowBitmap(dc, x, y, canvas);
}

} // namespace skin::controls
