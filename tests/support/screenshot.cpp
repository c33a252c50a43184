#include "screenshot.h"

#include "live_program.h"
#include "skin/data/image_decoders.h"

#include <cstdint>
#include <vector>
#include <windows.h>

namespace testing_support {

namespace {

void WritePng(const std::wstring& path, const skin::data::Image32& image) {
    const std::vector<std::uint8_t> png = skin::data::EncodePng(image);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    CloseHandle(file);
}

// What the screen shows in the area, opaque.
skin::data::Image32 ScreenPixels(const RECT& area) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP section = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, section);
    BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    GdiFlush();
    skin::data::Image32 image = skin::data::MakeImage32(width, height);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = pixels[i] | 0xFF000000u;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(nullptr, screen);
    return image;
}

} // namespace

void SaveScreenshot(const std::wstring& path) {
    WritePng(path,
             ScreenPixels({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));
}

void SaveScreenArea(const std::wstring& path, const RECT& area, int zoom) {
    if (area.right <= area.left || area.bottom <= area.top || zoom < 1)
        return;
    const skin::data::Image32 shot = ScreenPixels(area);
    skin::data::Image32 zoomed = skin::data::MakeImage32(shot.width * zoom, shot.height * zoom);
    for (int y = 0; y < zoomed.height; ++y)
        for (int x = 0; x < zoomed.width; ++x)
            zoomed.pixels[static_cast<std::size_t>(y) * zoomed.width + x] =
                shot.pixels[static_cast<std::size_t>(y / zoom) * shot.width + x / zoom];
    WritePng(path, zoomed);
}

std::wstring ArtefactsDirectory() {
    const std::wstring program = ProgramPath();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1) + L"artefacts";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

std::wstring ScreenshotsDirectory() {
    const std::wstring program = ProgramPath();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\'));
    const std::wstring build = folder.substr(0, folder.find_last_of(L'\\') + 1);
    CreateDirectoryW((build + L"screenshots").c_str(), nullptr);
    return build + L"screenshots\\";
}

} // namespace testing_support
