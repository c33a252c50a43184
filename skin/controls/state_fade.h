#pragma once

// The cross-fade of a button between two faces, shown frame by frame from the timer service.
// The frame arithmetic is the portable FadeSequence; this side keeps the old face, blends each
// frame with the new one and hands it to the button to show, and logs every step to the
// diagnostic trace: "fade" (frame, weight of the old face), "fade-offer" (frame, whether the
// button took the frame itself), "fade-end", "fade-stop".
//
// On shutting down no fade may wait for ticks that never come: EndAllFades() ends every
// running fade at once, showing its final face.

#include "skin/render/fade_sequence.h"
#include "skin/render/skin_bitmap.h"
#include "ui/component.h"
#include "ui/timer_service.h"

#include <functional>

namespace skin::controls {

class StateFade {
public:
    // show gets each frame, and at the end the final face (the button's cache).
    using Show = std::function<void(const render::SkinBitmap& frame)>;
    // The button's cache, holding the new face once a fade starts.
    using Face = std::function<const render::SkinBitmap&()>;
    // Each frame is offered to the button before it is shown; true when the button took it
    // (then show is not called for that frame).
    using Offer = std::function<bool(const render::SkinBitmap& frame)>;

    StateFade(const ui::Component& owner, Face face, Show show, Offer offer = {});
    ~StateFade();
    StateFade(const StateFade&) = delete;
    StateFade& operator=(const StateFade&) = delete;

    // A windowed button's fade from old_face to the current face, restarting any running one.
    void StartOver(render::SkinBitmap old_face, int iterations);
    // A window-less button's fade, continuing proportionally from a running one; the first frame
    // is shown at once.
    void Continue(render::SkinBitmap old_face, int iterations);
    // Stops without showing anything more.
    void Stop();
    // Ends now, showing the final face.
    void Finish();

    bool Running() const { return sequence_.Running(); }
    int Level() const { return sequence_.Level(); }
    int Iterations() const { return sequence_.Iterations(); }
    // The frame on show while the fade runs (empty otherwise).
    const render::SkinBitmap& Frame() const { return frame_; }

private:
    void DrawFrame(int k, std::uint8_t alpha);
    void Ended();
    void StartTimer();

    const ui::Component& owner_;
    Face face_;
    Show show_;
    Offer offer_;
    render::SkinBitmap from_;
    render::SkinBitmap frame_;
    render::FadeSequence sequence_;
    ui::Timer timer_;
};

// The number of fades running in the process.
int RunningFadeCount();
// Ends every running fade at once (logging off, closing the program).
void EndAllFades();

// The interval of the fade frames.
inline constexpr unsigned kFadeInterval = 10;

} // namespace skin::controls
