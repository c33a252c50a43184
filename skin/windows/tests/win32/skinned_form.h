#pragma once

// Forms with a skin provider for the tests on real windows: the internal skin loaded once, the
// plain and the extended frame.

#include "skin/data/skin_loader.h"
#include "skin/data/testing/internal_skin.h"
#include "skin/windows/skin_provider.h"
#include "support/trace.h"
#include "ui/form.h"
#include "ui/tests/win32/framework_fixture.h"

#include <memory>
#include <string>

namespace skin::windows::testing {

inline const data::LoadedSkin& Skin() {
    return data::testing::InternalSkinFromPackage();
}

inline const FrameSkinSource& Source(bool extended) {
    static const FrameSkinSource plain = MakeFrameSkinSource(Skin(), false);
    static const FrameSkinSource ext = MakeFrameSkinSource(Skin(), true);
    return extended ? ext : plain;
}

// Lets the window system deliver what showing, moving or clicking set going.
inline void Settle(DWORD ms = 300) {
    const DWORD start = GetTickCount();
    ui::PumpUntil([&] { return GetTickCount() - start > ms; });
}

// The main window's kind of form: bsSingle, system menu and minimise.
struct SkinnedForm {
    ui::Form form{nullptr};
    TsSkinProvider* provider = nullptr;

    explicit SkinnedForm(bool extended, ui::BorderStyle style = ui::BorderStyle::bsSingle,
                         const FrameSkinSource* source = nullptr) {
        form.SetBorderStyle(style);
        if (style == ui::BorderStyle::bsSingle)
            form.SetBorderIcons(ui::biSystemMenu | ui::biMinimize);
        form.SetText(u"Arbordir");
        form.SetBounds({120, 110, 300, 200});
        form.SetClientSize(400, 300);
        provider = &ui::Make<TsSkinProvider>(form);
        provider->SetSkinSource(source ? source : &Source(extended));
        form.Show();
        Settle();
    }
    HWND Window() { return form.Handle(); }
    frame::Point ScreenOf(frame::Point cache_point) {
        RECT w{};
        GetWindowRect(Window(), &w);
        const frame::FrameGeometry g = provider->Geometry();
        const frame::Point o = g.Extended() ? g.BorderFormOffset() : frame::Point{};
        return {w.left - o.X + cache_point.X, w.top - o.Y + cache_point.Y};
    }
};

// The form's window region is one rectangle of its client size (400 x 300).
inline ::testing::AssertionResult RegionIsTheClientArea(SkinnedForm& f) {
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    const int kind = GetWindowRgn(f.Window(), region);
    RECT box{};
    GetRgnBox(region, &box);
    DeleteObject(region);
    if (kind != SIMPLEREGION || box.right - box.left != 400 || box.bottom - box.top != 300)
        return ::testing::AssertionFailure()
               << "region kind " << kind << ", " << box.right - box.left << " x "
               << box.bottom - box.top;
    return ::testing::AssertionSuccess();
}

// The (frame, value) of every line of the event in the trace file, in order.
inline std::vector<std::pair<long long, long long>> TraceOf(const std::string& path,
                                                            const std::string& event) {
    return testing_support::TraceLines(path, event);
}

} // namespace skin::windows::testing
