#include "skin/render/fade_sequence.h"

#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace skin::render {
namespace {

struct Recorder {
    std::vector<int> frames;
    std::vector<int> alphas;
    int ends = 0;
    FadeSequence sequence{[this](int k, std::uint8_t a) {
                              frames.push_back(k);
                              alphas.push_back(a);
                          },
                          [this] { ++ends; }};
    void RunOut() {
        for (int guard = 0; guard < 1000 && sequence.Running(); ++guard)
            sequence.Tick();
    }
};

TEST(FadeSequenceTest, FullAndHalfLengthFramesAndWeights) {
    EXPECT_EQ(FadeAlpha(1, 20), 243);
    EXPECT_EQ(FadeAlpha(10, 20), 127);
    EXPECT_EQ(FadeAlpha(20, 20), 0);
    EXPECT_EQ(FadeAlpha(0, 10), 255);
    EXPECT_EQ(FadeAlpha(-3, 10), 255);
    EXPECT_EQ(FadeAlpha(5, 0), 0);
    EXPECT_EQ(FadeLength(20, true), 10);
    EXPECT_EQ(FadeLength(5, true), 2);

    Recorder hover;
    hover.sequence.StartOver(FadeLength(20, false));
    EXPECT_TRUE(hover.frames.empty()); // the first frame waits for the first tick
    hover.RunOut();
    ASSERT_EQ(hover.frames.size(), 20u);
    EXPECT_EQ(hover.frames.front(), 1);
    EXPECT_EQ(hover.alphas.front(), 243);
    EXPECT_EQ(hover.alphas.back(), 0);
    for (std::size_t i = 1; i < hover.alphas.size(); ++i)
        EXPECT_LT(hover.alphas[i], hover.alphas[i - 1]);
    EXPECT_EQ(hover.ends, 1);

    Recorder press;
    press.sequence.StartOver(FadeLength(20, true));
    press.RunOut();
    EXPECT_EQ(press.frames.size(), 10u);
    EXPECT_EQ(press.alphas[4], 127);
    EXPECT_EQ(press.alphas.back(), 0);
}

TEST(FadeSequenceTest, WindowedButtonRestartsFromTheFirstFrame) {
    Recorder r;
    r.sequence.StartOver(20);
    for (int i = 0; i < 7; ++i)
        r.sequence.Tick();
    r.sequence.StartOver(10);
    r.frames.clear();
    r.RunOut();
    ASSERT_EQ(r.frames.size(), 10u);
    EXPECT_EQ(r.frames.front(), 1);
    EXPECT_EQ(r.ends, 1); // the interrupted fade never ended on its own
}

TEST(FadeSequenceTest, SpeedButtonContinuesWhereTheInterruptedFadeStood) {
    for (int k = 2; k <= 9; ++k) {
        Recorder r;
        r.sequence.Continue(10); // mouse down: frame 1 drawn at once, level k next
        EXPECT_EQ(r.frames, std::vector<int>{1});
        while (r.sequence.Level() < k)
            r.sequence.Tick();
        r.frames.clear();
        EXPECT_EQ(r.sequence.Continue(10), 10 - k) << "interrupted at " << k;
        ASSERT_FALSE(r.frames.empty());
        EXPECT_EQ(r.frames.front(), 10 - k);
        r.RunOut();
        EXPECT_EQ(r.frames.back(), 10);
        EXPECT_EQ(r.ends, 1);
    }
    Recorder after_end;
    after_end.sequence.Continue(10);
    after_end.RunOut();
    after_end.frames.clear();
    EXPECT_EQ(after_end.sequence.Continue(10), 1);
    EXPECT_EQ(after_end.frames.front(), 1);
}

TEST(FadeSequenceTest, TooFewIterationsEndAtOnceWithoutFrames) {
    for (int n : {-5, -1, 0, 1}) {
        Recorder r;
        r.sequence.StartOver(n);
        EXPECT_FALSE(r.sequence.Running()) << n;
        EXPECT_EQ(r.ends, 1) << n;
        r.sequence.Continue(n);
        EXPECT_EQ(r.ends, 2) << n;
        r.RunOut();
        EXPECT_TRUE(r.frames.empty()) << n;
    }
    // Half of 3 is 1: a skin with 3 iterations presses without a fade.
    Recorder three;
    three.sequence.StartOver(FadeLength(3, true));
    EXPECT_FALSE(three.sequence.Running());
}

TEST(FadeSequenceTest, HandlersMayStopFreeOrRestartTheSequence) {
    // The end handler frees the object that holds the sequence, as the button does on its
    // last tick; under the address sanitizer a touch after that would be caught.
    struct Owner {
        std::unique_ptr<FadeSequence> sequence;
    };
    Owner owner;
    int frames = 0;
    owner.sequence = std::make_unique<FadeSequence>([&](int, std::uint8_t) { ++frames; },
                                                    [&] { owner.sequence.reset(); });
    owner.sequence->StartOver(4);
    for (int i = 0; i < 10 && owner.sequence; ++i)
        owner.sequence->Tick();
    EXPECT_EQ(owner.sequence, nullptr);
    EXPECT_EQ(frames, 4);

    // A frame handler that stops the fade: no level advance, no end.
    Recorder stopper;
    FadeSequence* self = &stopper.sequence;
    FadeSequence stopping(
        [&](int k, std::uint8_t) {
            stopper.frames.push_back(k);
            if (k == 3)
                self->Stop();
        },
        [&] { ++stopper.ends; });
    self = &stopping;
    stopping.StartOver(10);
    for (int i = 0; i < 20; ++i)
        stopping.Tick();
    EXPECT_EQ(stopper.frames, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(stopper.ends, 0);

    // A frame handler that starts a new fade keeps the new level.
    std::vector<int> seen;
    FadeSequence* restarting = nullptr;
    FadeSequence restart(
        [&](int k, std::uint8_t) {
            seen.push_back(k);
            if (seen.size() == 2)
                restarting->StartOver(4);
        },
        nullptr);
    restarting = &restart;
    restart.StartOver(4);
    for (int i = 0; i < 20; ++i)
        restart.Tick();
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 1, 2, 3, 4}));
}

TEST(FadeSequenceTest, FinishEndsARunningFadeOnceForShuttingDown) {
    Recorder r;
    r.sequence.Finish();
    EXPECT_EQ(r.ends, 0);
    r.sequence.StartOver(20);
    r.sequence.Tick();
    r.sequence.Finish();
    EXPECT_FALSE(r.sequence.Running());
    EXPECT_EQ(r.ends, 1);
    r.sequence.Tick();
    EXPECT_EQ(r.frames.size(), 1u);
}

} // namespace
} // namespace skin::render
