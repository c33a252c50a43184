// The paint path of the framework's own windows: the background asked of the procedure chain
// first, painting into a device context handed over with WM_PAINT or WM_PRINTCLIENT, and
// painting errors that fall back to plain painting without an error box.

#include "core/error.h"
#include "ui/controls/speed_button.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"
#include "ui/trace.h"

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace ui {
namespace {

// A 32-bit image of a client area, drawn by `draw` into a memory device context.
template <class Draw>
std::vector<std::uint32_t> Capture(int width, int height, Draw draw) {
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB};
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    draw(dc);
    GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> image(pixels, pixels + width * height);
    for (std::uint32_t& pixel : image)
        pixel &= 0xFFFFFF;
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return image;
}

std::uint32_t At(const std::vector<std::uint32_t>& image, int width, int x, int y) {
    return image[static_cast<std::size_t>(y * width + x)];
}

// A window-less child that paints a frame and a cross, so that any offset shows.
struct Marker : GraphicControl {
    using GraphicControl::GraphicControl;
    void Paint(HDC dc) override {
        if (fail)
            throw core::Error(u"The cache bitmap could not be allocated");
        RECT area{0, 0, Width(), Height()};
        FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT bar{2, Height() / 2 - 1, Width() - 2, Height() / 2 + 1};
        FillRect(dc, &bar, red);
        RECT post{Width() / 2 - 1, 2, Width() / 2 + 1, Height() - 2};
        FillRect(dc, &post, red);
        DeleteObject(red);
    }
    bool fail = false;
};

class PaintTest : public FrameworkTest {
protected:
    void SetUp() override {
        FrameworkTest::SetUp();
        form.SetBorderStyle(BorderStyle::bsNone);
        form.SetBounds({40, 40, kWidth, kHeight});
        form.SetColor(Rgb(0, 128, 255));
        marker.SetParent(&form);
        marker.SetBounds({13, 7, 30, 20});
        form.Show();
        UpdateWindow(form.Handle());
    }
    std::vector<std::uint32_t> Printed() {
        return Capture(kWidth, kHeight, [&](HDC dc) {
            SendMessageW(form.Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc),
                         PRF_CLIENT | PRF_ERASEBKGND);
        });
    }
    std::vector<std::uint32_t> OnScreen() {
        return Capture(kWidth, kHeight, [&](HDC dc) {
            HDC window = GetDC(form.Handle());
            BitBlt(dc, 0, 0, kWidth, kHeight, window, 0, 0, SRCCOPY);
            ReleaseDC(form.Handle(), window);
        });
    }

    static constexpr int kWidth = 80;
    static constexpr int kHeight = 50;
    Form form{nullptr};
    Marker& marker = Make<Marker>(form);
};

TEST_F(PaintTest, APrintedClientAreaEqualsTheScreenPixelForPixel) {
    const std::vector<std::uint32_t> screen = OnScreen();
    const std::vector<std::uint32_t> printed = Printed();
    EXPECT_EQ(At(printed, kWidth, 0, 0), 0x0080FFu);           // the form's colour (BGR order)
    EXPECT_EQ(At(printed, kWidth, 13 + 15, 7 + 2), 0xFF0000u); // the cross, at the child's place
    EXPECT_EQ(printed, screen);

    // WM_PAINT with a device context paints into that one, clipped as the caller says.
    const std::vector<std::uint32_t> painted = Capture(kWidth, kHeight, [&](HDC dc) {
        IntersectClipRect(dc, 0, 0, kWidth, kHeight / 2);
        SendMessageW(form.Handle(), WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    });
    EXPECT_EQ(At(painted, kWidth, 28, 9), 0xFF0000u);
    EXPECT_EQ(At(painted, kWidth, 5, kHeight - 2), 0u); // below the clip nothing was painted
}

TEST_F(PaintTest, ALayerAnsweringTheBackgroundRequestPaintsUnderTheChildren) {
    ProcedureLayer skin = form.AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == WM_ERASEBKGND && message.wParam == WPARAM(message.lParam)) {
            HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
            RECT all{0, 0, kWidth, kHeight};
            FillRect(reinterpret_cast<HDC>(message.wParam), &all, green);
            DeleteObject(green);
            message.result = 1;
            return;
        }
        next(message);
    });
    InvalidateRect(form.Handle(), nullptr, FALSE);
    UpdateWindow(form.Handle());
    const std::vector<std::uint32_t> screen = OnScreen();
    EXPECT_EQ(At(screen, kWidth, 0, 0), 0x00C800u);
    EXPECT_EQ(At(screen, kWidth, 28, 9), 0xFF0000u); // the child still on top
    EXPECT_EQ(Printed(), screen);
}

TEST_F(PaintTest, PaintingErrorsFallBackToPlainPaintingAndReachTheTraceNotABox) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string trace_path = std::string(temp) + "arbordir-paint-trace.txt";
    DeleteFileA(trace_path.c_str());
    RedirectTrace(trace_path);
    marker.SetName(u"Marker");
    marker.fail = true;
    ProcedureLayer failing = form.AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == WM_ERASEBKGND && message.wParam == WPARAM(message.lParam))
            throw core::Error(u"Section index out of range");
        next(message);
    });
    InvalidateRect(form.Handle(), nullptr, FALSE);
    UpdateWindow(form.Handle());
    InvalidateRect(form.Handle(), nullptr, FALSE);
    UpdateWindow(form.Handle());
    RedirectTrace("");

    EXPECT_TRUE(errors.empty());
    const std::vector<std::uint32_t> screen = OnScreen();
    EXPECT_EQ(At(screen, kWidth, 0, 0), 0x0080FFu);  // the form's own colour
    EXPECT_EQ(At(screen, kWidth, 28, 9), 0x0080FFu); // the failing child left out
    // One line per failed paint of the background and of the child, named as the trace names.
    std::ifstream trace(trace_path);
    std::string line;
    int form_lines = 0, marker_lines = 0, others = 0;
    while (std::getline(trace, line)) {
        if (line == "TForm\tpaint-error\t0\t0")
            ++form_lines;
        else if (line == "Marker\tpaint-error\t0\t0")
            ++marker_lines;
        else
            ++others;
    }
    EXPECT_GE(form_lines, 2);
    EXPECT_EQ(marker_lines, form_lines);
    EXPECT_EQ(others, 0);
    // A procedure that fails in WM_PAINT itself: the framework paints as if it were not there.
    failing = form.AddProcedureLayer([&](Message& message, const auto& next) {
        if (message.msg == WM_PAINT)
            throw core::Error(u"Lost the cache");
        next(message);
    });
    marker.fail = false;
    InvalidateRect(form.Handle(), nullptr, FALSE);
    UpdateWindow(form.Handle());
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(At(OnScreen(), kWidth, 28, 9), 0xFF0000u);
    EXPECT_TRUE(GetUpdateRect(form.Handle(), nullptr, FALSE) == FALSE);
}

} // namespace
} // namespace ui
