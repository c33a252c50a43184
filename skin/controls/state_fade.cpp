#include "skin/controls/state_fade.h"

#include "skin/render/blends.h"
#include "ui/application.h"
#include "ui/trace.h"

#include <algorithm>
#include <vector>

namespace skin::controls {
namespace {

std::vector<StateFade*>& Fades() {
    static std::vector<StateFade*> fades;
    return fades;
}

} // namespace

StateFade::StateFade(const ui::Component& owner, Face face, Show show, Offer offer)
    : owner_(owner), face_(std::move(face)), show_(std::move(show)), offer_(std::move(offer)),
      sequence_([this](int k, std::uint8_t alpha) { DrawFrame(k, alpha); }, [this] { Ended(); }) {
    Fades().push_back(this);
}

StateFade::~StateFade() {
    auto& fades = Fades();
    fades.erase(std::remove(fades.begin(), fades.end(), this), fades.end());
}

void StateFade::StartOver(render::SkinBitmap old_face, int iterations) {
    from_ = std::move(old_face);
    sequence_.StartOver(iterations);
    if (sequence_.Running())
        StartTimer();
}

void StateFade::Continue(render::SkinBitmap old_face, int iterations) {
    from_ = std::move(old_face);
    sequence_.Continue(iterations);
    if (sequence_.Running())
        StartTimer();
}

void StateFade::StartTimer() {
    if (!timer_.Running())
        timer_ =
            ui::Application::Instance().Timers().Start(kFadeInterval, [this] { sequence_.Tick(); });
}

void StateFade::Stop() {
    if (!sequence_.Running())
        return;
    ui::TraceEvent(owner_, "fade-stop", sequence_.Level(), 0);
    sequence_.Stop();
    // Safe from inside the timer's own tick: the service frees it after the tick returns.
    timer_.Stop();
    frame_ = render::SkinBitmap();
    from_ = render::SkinBitmap();
}

void StateFade::Finish() {
    sequence_.Finish();
}

void StateFade::DrawFrame(int k, std::uint8_t alpha) {
    const render::SkinBitmap& face = face_();
    if (from_.Width() != face.Width() || from_.Height() != face.Height()) {
        // The button changed its size meanwhile: the new face at once.
        sequence_.Finish();
        return;
    }
    frame_ = from_.Clone();
    render::BlendWhole(frame_, face, alpha);
    ui::TraceEvent(owner_, "fade", k, alpha);
    if (offer_) {
        const bool taken = offer_(frame_);
        ui::TraceEvent(owner_, "fade-offer", k, taken ? 1 : 0);
        // The button may have stopped the fade while it had the frame.
        if (taken || frame_.IsEmpty())
            return;
    }
    show_(frame_);
}

void StateFade::Ended() {
    timer_.Stop();
    frame_ = render::SkinBitmap();
    from_ = render::SkinBitmap();
    ui::TraceEvent(owner_, "fade-end", sequence_.Level(), 0);
    show_(face_());
}

int RunningFadeCount() {
    return static_cast<int>(std::count_if(Fades().begin(), Fades().end(),
                                          [](const StateFade* f) { return f->Running(); }));
}

void EndAllFades() {
    const std::vector<StateFade*> fades = Fades();
    for (StateFade* fade : fades)
        fade->Finish();
}

} // namespace skin::controls
