#include "CountingGenerator.h"

#include <algorithm>

namespace StriveloBench {

bool CountingGenerator::AddBar(double left, double right, double, double) {
    if (keepBars_) {
        bars_.emplace_back(left, right);
    }
    return Count();
}

bool CountingGenerator::AddBearerBar(double, double, double, double) {
    return Count();
}

bool CountingGenerator::AddFrame(double, double, double, double, double) {
    return Count();
}

bool CountingGenerator::AddText(double, double, double, char) {
    return Count();
}

bool CountingGenerator::AddQuietZoneMarks(double, double, double, double, double, bool, bool) {
    return Count();
}

bool CountingGenerator::SetFont(const char*, bool) {
    return Count();
}

std::vector<double> CountingGenerator::GetEdges() const {
    std::vector<std::pair<double, double>> bars = bars_;
    std::sort(bars.begin(), bars.end());
    std::vector<double> edges;
    edges.reserve(2 * bars.size());
    for (const auto& [left, right] : bars) {
        edges.push_back(left);
        edges.push_back(right);
    }
    return edges;
}

}  // namespace StriveloBench
