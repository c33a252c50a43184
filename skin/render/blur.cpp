#include "skin/render/blur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace skin::render {

namespace {

constexpr int kMaxHalf = 100;

struct Kernel {
    int half = kMaxHalf;
    std::array<float, 2 * kMaxHalf + 1> weights{}; // offset i at index i + kMaxHalf
    float At(int offset) const { return weights[offset + kMaxHalf]; }
};

Kernel MakeKernel(double radius) {
    Kernel k;
    float sum = 0;
    for (int i = -kMaxHalf; i <= kMaxHalf; ++i) {
        const float ratio = static_cast<float>(i / radius);
        k.weights[i + kMaxHalf] = std::exp(-ratio * ratio / 2);
        sum += k.weights[i + kMaxHalf];
    }
    for (float& w : k.weights)
        w /= sum;
    // Drop the tails while together they weigh less than half a grey level.
    float lost = 0;
    while (lost < 1.0f / (2 * 255) && k.half > 1) {
        lost += 2 * k.At(k.half);
        --k.half;
    }
    float kept = 0;
    for (int i = -k.half; i <= k.half; ++i)
        kept += k.At(i);
    for (int i = -k.half; i <= k.half; ++i)
        k.weights[i + kMaxHalf] /= kept;
    return k;
}

// One line of samples, step apart, blurred through a buffer so that every output reads the
// original input.
void BlurLine(std::uint8_t* line, int count, std::ptrdiff_t step, const Kernel& k,
              std::vector<std::uint8_t>& out) {
    const int last = count - 1;
    out.resize(static_cast<std::size_t>(count));
    for (int j = 0; j < count; ++j) {
        float sum = 0;
        for (int n = -k.half; n <= k.half; ++n)
            sum += k.At(n) * line[std::clamp(j - n, 0, last) * step];
        out[static_cast<std::size_t>(j)] =
            static_cast<std::uint8_t>(std::clamp(static_cast<int>(sum), 0, 255));
    }
    for (int j = 0; j < count; ++j)
        line[j * step] = out[static_cast<std::size_t>(j)];
}

} // namespace

void GaussianBlurGray(GrayBitmap& mask, double radius) {
    if (!(radius > 0) || mask.IsEmpty())
        return;
    const Kernel kernel = MakeKernel(radius);
    std::vector<std::uint8_t> buffer;
    for (int y = 0; y < mask.Height(); ++y)
        BlurLine(mask.Row(y), mask.Width(), 1, kernel, buffer);
    for (int x = 0; x < mask.Width(); ++x)
        BlurLine(mask.Row(0) + x, mask.Height(), mask.Width(), kernel, buffer);
}

} // namespace skin::render
