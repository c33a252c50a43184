#include "screenshot.h"

#include "live_program.h"
#include "skin/data/image_decoders.h"

#include <cstdint>
#include <vector>
#include <windows.h>

namespace testing_support {

void SaveScreenshot(const std::wstring& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
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
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    skin::data::Image32 image = skin::data::MakeImage32(width, height);
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = pixels[i] | 0xFF000000u;
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(section);
    ReleaseDC(nullptr, screen);
    const std::vector<std::uint8_t> png = skin::data::EncodePng(image);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, png.data(), static_cast<DWORD>(png.size()), &written, nullptr);
    CloseHandle(file);
}

std::wstring ArtefactsDirectory() {
    const std::wstring program = ProgramPath();
    const std::wstring folder = program.substr(0, program.find_last_of(L'\\') + 1) + L"artefacts";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

} // namespace testing_support
