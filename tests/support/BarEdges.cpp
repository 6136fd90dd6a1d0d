#include "BarEdges.h"

#include <algorithm>
#include <cmath>

namespace StriveloTest {

namespace {

void SortLeftToRight(std::vector<RecordedBar>& bars) {
    std::sort(bars.begin(), bars.end(),
              [](const RecordedBar& a, const RecordedBar& b) { return a.left < b.left; });
}

// A small linear congruential generator: the same seed gives the same noise
// on every machine.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed) {}

    // In [-1, 1].
    double Next() {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<double>(state_ >> 8) / static_cast<double>(0xFFFFFF) * 2.0 - 1.0;
    }

private:
    std::uint32_t state_;
};

}  // namespace

std::vector<double> EdgesFromBars(std::vector<RecordedBar> bars, const EdgeOptions& options) {
    SortLeftToRight(bars);
    const double half = options.extraReductionMm / 2.0;
    std::vector<double> xs;
    for (const RecordedBar& bar : bars) {
        xs.push_back(bar.left + half);
        xs.push_back(bar.right - half);
    }
    if (options.backwards) {
        std::reverse(xs.begin(), xs.end());
    }
    Noise noise(options.noiseSeed);
    std::vector<double> edges;
    for (const double x : xs) {
        const double position = options.backwards ? options.offsetMm - x : options.offsetMm + x;
        edges.push_back(position + options.noiseMm * noise.Next());
    }
    return edges;
}

std::vector<RecordedBar> BarsFromModules(std::string_view modules, double moduleWidthMm) {
    constexpr double kBarHeightMm = 10.0;
    std::vector<RecordedBar> bars;
    for (std::size_t i = modules.find('1'); i != std::string_view::npos;) {
        const std::size_t end = std::min(modules.find_first_not_of('1', i), modules.size());
        bars.push_back({static_cast<double>(i) * moduleWidthMm,
                        static_cast<double>(end) * moduleWidthMm, 0.0, kBarHeightMm});
        i = modules.find('1', end);
    }
    return bars;
}

std::string ModuleString(std::vector<RecordedBar> bars, double moduleWidthMm) {
    if (bars.empty() || !(moduleWidthMm > 0.0)) {
        return {};
    }
    SortLeftToRight(bars);
    const double start = bars.front().left;
    const auto module = [&](double x) { return std::lround((x - start) / moduleWidthMm); };
    std::string modules;
    long reached = 0;
    for (const RecordedBar& bar : bars) {
        const long left = module(bar.left);
        const long right = module(bar.right);
        modules.append(static_cast<std::size_t>(std::max(0L, left - reached)), '0');
        modules.append(static_cast<std::size_t>(std::max(0L, right - left)), '1');
        reached = std::max(reached, right);
    }
    return modules;
}

oracles::GreyImage RenderBars(const std::vector<RecordedBar>& bars, double moduleWidthMm,
                              int pixelsPerModule, int quietZoneModules, int heightPixels) {
    return oracles::RenderModules(ModuleString(bars, moduleWidthMm), pixelsPerModule,
                                  quietZoneModules, heightPixels);
}

}  // namespace StriveloTest
