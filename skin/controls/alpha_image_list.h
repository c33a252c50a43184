#pragma once

// The image list whose items keep their PNG or icon file bytes and are drawn with their per-pixel
// alpha over whatever lies behind them. From the items it builds the platform's image list,
// which native controls (the tree view) draw.

#include "skin/render/alpha_image.h"
#include "skin/render/skin_bitmap.h"

#include <string>
#include <vector>
#include <windows.h>
// The common controls need the declarations of windows.h first.
#include <commctrl.h>

namespace skin::controls {

class TsAlphaImageList {
public:
    explicit TsAlphaImageList(int width = 16, int height = 16);
    ~TsAlphaImageList();
    TsAlphaImageList(const TsAlphaImageList&) = delete;
    TsAlphaImageList& operator=(const TsAlphaImageList&) = delete;

    HIMAGELIST Handle() const { return list_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    // Keep the items' bytes once the platform images exist (on by default).
    void SetDoubleData(bool keep) { double_data_ = keep; }

    void AddItem(render::TsImageFormat format, std::vector<std::uint8_t> data);
    const std::vector<render::AlphaImageItem>& Items() const { return items_; }
    // The platform images made again from the items: each PNG becomes an icon whose mask is
    // transparent exactly where its alpha is 0; an icon item is taken as it is.
    void GenerateStdList();
    bool StdListIsGenerated() const { return generated_; }
    int Count() const;

    // A file detected as PNG or icon, appended. Throws core::Error "Cannot load <file>
    // <line break> Invalid or unexpected image format." and leaves the list as it was otherwise.
    void LoadFromFile(const std::u16string& file);

    // The item rendered for the size asked (the decoded image itself when its size is the
    // list's: callers use the size the result has). Empty outside the list.
    render::SkinBitmap CreateBitmap32(int index, int width, int height);

    // The item drawn at (x, y) with its alpha over what the device context shows. The enabled
    // state changes nothing: a disabled control shows its image as it is.
    void Draw(HDC dc, int index, int x, int y, bool enabled = true);

private:
    HICON MakeIcon(render::AlphaImageItem& item) const;

    int width_;
    int height_;
    HIMAGELIST list_ = nullptr;
    bool double_data_ = true;
    bool generated_ = false;
    std::vector<render::AlphaImageItem> items_;
};

// The first image of an icon file's bytes as an icon of the size asked; null when the bytes
// are no icon file.
HICON IconFromFileBytes(const std::vector<std::uint8_t>& bytes, int width, int height);

} // namespace skin::controls
