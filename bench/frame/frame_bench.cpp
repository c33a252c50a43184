// The main window's frame with the internal skin (client 488 x 387, cache 596 x 518):
// - ComposeFrame: the whole cache bitmap built anew, as on an activation change;
// - HandOff: the premultiplied picture with its client hole, as on every image sent to the
//   layered window;
// - RepaintButton: one title button repainted from the saved title background;
// - CopyYardstick: a plain copy of the cache's bytes, the least any hand-off costs.
// Ratios against CopyYardstick say what the frame costs beyond moving its pixels once.

#include "skin/data/skin_loader.h"
#include "skin/frame/frame_painter.h"
#include "skin/render/layered_pixels.h"

#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>

namespace {

using namespace skin;

class BlockText : public render::TextRenderer {
public:
    int TextWidth(const std::u16string& text) override { return 6 * static_cast<int>(text.size()); }
    void DrawInk(render::GrayBitmap& mask, const std::u16string& text, const render::Rect& r,
                 unsigned) override {
        for (int y = r.Top + 4; y < r.Top + 13 && y < mask.Height(); ++y)
            for (int x = r.Left; x < r.Left + TextWidth(text) && x < mask.Width(); ++x)
                if (x >= 0 && y >= 0)
                    mask.At(x, y) = 0;
    }
};

struct MainWindow {
    std::unique_ptr<data::TacSkinConvertor> reader = std::make_unique<data::TacSkinConvertor>();
    data::SkinOptions options;
    data::LoadedSkin skin;
    frame::ShadowTemplates templates;
    frame::FormFrameState form;
    std::unique_ptr<frame::FrameGeometry> g;
    frame::FrameSkin fs;
    frame::WindowRules rules;
    frame::TitleButtonLayout layout;
    render::SkinBitmap icon{16, 16};
    BlockText text;
    frame::FrameContent content;

    MainWindow() {
        data::LoadSkinPackageFile(ARBORDIR_INTERNAL_SKIN_PACKAGE, reader, true);
        options = data::SkinOptions::Parse(*reader->Options);
        data::PackageFileSource files(*reader);
        data::LoadSkin(skin, options, files);
        templates = frame::ShadowTemplatesOf(skin);
        form.Style = frame::BorderStyle::bsSingle;
        form.Icons = {true, true, false, false};
        form.ClientWidth = 488;
        form.ClientHeight = 387;
        form.Width = 494;
        form.Height = 412;
        g = std::make_unique<frame::FrameGeometry>(frame::FrameSettingsOf(skin.SkinData), form,
                                                   true, 3, 19, frame::Margins{50, 50, 50, 50});
        fs = frame::ResolveFrameSkin(skin, u"FORM", u"", form.Style);
        rules = frame::RulesFor(form, true, true, true);
        layout = frame::LayOutTitleButtons(*g, rules, frame::ButtonMasksOf(skin, fs));
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                icon.At(x, y) = 0xFF2060C0;
        content.Caption = u"Arbordir";
        content.Icon = &icon;
        content.Text = &text;
        content.ShadowTemplate = &templates.Active;
    }
};

MainWindow& Window() {
    static MainWindow window;
    return window;
}

void ComposeFrame(benchmark::State& state) {
    MainWindow& w = Window();
    frame::FramePainter painter(w.skin, w.fs);
    render::SkinBitmap cache, temp;
    for (auto _ : state) {
        painter.PaintAll(cache, temp, *w.g, w.rules, w.layout, w.content);
        benchmark::DoNotOptimize(cache.Row(0));
    }
}

void HandOff(benchmark::State& state) {
    MainWindow& w = Window();
    frame::FramePainter painter(w.skin, w.fs);
    render::SkinBitmap cache, temp;
    painter.PaintAll(cache, temp, *w.g, w.rules, w.layout, w.content);
    render::SkinBitmap out(cache.Width(), cache.Height());
    for (auto _ : state) {
        render::PremultiplyForLayered(out, cache, w.g->ClientRect());
        benchmark::DoNotOptimize(out.Row(0));
    }
}

void RepaintButton(benchmark::State& state) {
    MainWindow& w = Window();
    frame::FramePainter painter(w.skin, w.fs);
    render::SkinBitmap cache, temp;
    painter.PaintAll(cache, temp, *w.g, w.rules, w.layout, w.content);
    int hot = 0;
    for (auto _ : state) {
        painter.PaintButton(cache, temp, *w.g, w.layout, w.layout.Buttons[0], hot, true);
        hot = 1 - hot;
        benchmark::DoNotOptimize(cache.Row(0));
    }
}

void CopyYardstick(benchmark::State& state) {
    MainWindow& w = Window();
    render::SkinBitmap cache(w.g->CaptionWidth(), w.g->CacheHeight());
    render::SkinBitmap out(cache.Width(), cache.Height());
    const std::size_t bytes =
        static_cast<std::size_t>(cache.Width()) * cache.Height() * sizeof(render::Pixel);
    std::memset(cache.Row(0), 0x5A, bytes);
    for (auto _ : state) {
        std::memcpy(out.Row(0), cache.Row(0), bytes);
        benchmark::DoNotOptimize(out.Row(0));
    }
}

} // namespace

BENCHMARK(ComposeFrame)->Unit(benchmark::kMicrosecond);
BENCHMARK(HandOff)->Unit(benchmark::kMicrosecond);
BENCHMARK(RepaintButton)->Unit(benchmark::kMicrosecond);
BENCHMARK(CopyYardstick)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
