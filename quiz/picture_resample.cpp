#include "quiz/picture_resample.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <vector>

namespace {

// Weights are fixed point: each output pixel's add up to exactly this.
constexpr int weightOne = 1 << 14;

struct Taps {
    int first;  // the first source pixel (or row) weighed
    int count;
    int weights;  // where its weights start in AxisWeights::weights
};

struct AxisWeights {
    std::vector<Taps> taps;  // one per output pixel
    std::vector<int> weights;
};

AxisWeights weightsAlong(int in, int out)
{
    AxisWeights axis;
    axis.taps.resize(std::size_t(out));
    double scale = double(in) / double(out);
    double width = std::max(scale, 1.0);  // of the triangle's half, in source pixels
    std::vector<double> exact;
    for (int at = 0; at < out; ++at) {
        double centre = (at + 0.5) * scale;
        int first = std::max(0, int(std::floor(centre - width)));
        int end = std::min(in, int(std::ceil(centre + width)) + 1);
        exact.clear();
        // The source pixel under the centre always weighs something; past
        // the picture's edges nothing is weighed.
        double sum = 0;
        for (int x = first; x < end; ++x) {
            double weight = std::max(0.0, 1.0 - std::fabs((x + 0.5 - centre) / width));
            exact.push_back(weight);
            sum += weight;
        }
        // Rounded, then the rounding's remainder given to the heaviest
        // weight, so that a flat picture stays exactly flat.
        std::size_t start = axis.weights.size();
        int total = 0, heaviest = 0;
        for (std::size_t tap = 0; tap < exact.size(); ++tap) {
            int weight = int(std::lround(exact[tap] / sum * weightOne));
            axis.weights.push_back(weight);
            total += weight;
            if (weight > axis.weights[start + std::size_t(heaviest)])
                heaviest = int(tap);
        }
        axis.weights[start + std::size_t(heaviest)] += weightOne - total;
        // Taps of no weight at either end are dropped.
        int count = int(exact.size());
        int skip = 0;
        while (skip < count - 1 && axis.weights[start + std::size_t(skip)] == 0)
            ++skip;
        while (count - 1 > skip && axis.weights[start + std::size_t(count - 1)] == 0)
            --count;
        axis.taps[std::size_t(at)] = {first + skip, count - skip, int(start) + skip};
    }
    return axis;
}

uint8_t rounded(int sum)
{
    return uint8_t((sum + weightOne / 2) >> 14);
}

// Each source row shrunk or enlarged across into `across` (width out x height in).
void resampleAcross(const PixelRows& from, const AxisWeights& axis, int width, std::vector<uint8_t>& across)
{
    for (int y = 0; y < from.height; ++y) {
        const uint8_t* row = from.first + std::ptrdiff_t(y) * from.stride;
        uint8_t* out = across.data() + std::size_t(y) * std::size_t(width) * 4;
        for (int x = 0; x < width; ++x, out += 4) {
            const Taps& taps = axis.taps[std::size_t(x)];
            const int* weight = axis.weights.data() + taps.weights;
            const uint8_t* pixel = row + std::ptrdiff_t(taps.first) * 4;
            int blue = 0, green = 0, red = 0;
            for (int tap = 0; tap < taps.count; ++tap, pixel += 4) {
                blue += weight[tap] * pixel[0];
                green += weight[tap] * pixel[1];
                red += weight[tap] * pixel[2];
            }
            out[0] = rounded(blue);
            out[1] = rounded(green);
            out[2] = rounded(red);
            out[3] = 0;
        }
    }
}

void resampleDown(const std::vector<uint8_t>& across, const AxisWeights& axis, const PixelTarget& to)
{
    std::size_t rowBytes = std::size_t(to.width) * 4;
    for (int y = 0; y < to.height; ++y) {
        const Taps& taps = axis.taps[std::size_t(y)];
        const int* weight = axis.weights.data() + taps.weights;
        uint8_t* out = to.first + std::ptrdiff_t(y) * to.stride;
        const uint8_t* top = across.data() + std::size_t(taps.first) * rowBytes;
        for (std::size_t x = 0; x < rowBytes; x += 4) {
            const uint8_t* pixel = top + x;
            int blue = 0, green = 0, red = 0;
            for (int tap = 0; tap < taps.count; ++tap, pixel += rowBytes) {
                blue += weight[tap] * pixel[0];
                green += weight[tap] * pixel[1];
                red += weight[tap] * pixel[2];
            }
            out[x] = rounded(blue);
            out[x + 1] = rounded(green);
            out[x + 2] = rounded(red);
            out[x + 3] = 0;
        }
    }
}

bool usable(int width, int height, std::ptrdiff_t stride, const void* first)
{
    return first && width > 0 && height > 0 && width <= LargestResampledSide && height <= LargestResampledSide
           && stride >= std::ptrdiff_t(width) * 4;
}

}  // namespace

bool resamplePixels(const PixelRows& from, const PixelTarget& to)
{
    if (!usable(from.width, from.height, from.stride, from.first) || !usable(to.width, to.height, to.stride, to.first))
        return false;
    try {
        AxisWeights across = weightsAlong(from.width, to.width);
        AxisWeights down = weightsAlong(from.height, to.height);
        std::vector<uint8_t> rows(std::size_t(to.width) * std::size_t(from.height) * 4);
        resampleAcross(from, across, to.width, rows);
        resampleDown(rows, down, to);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}
