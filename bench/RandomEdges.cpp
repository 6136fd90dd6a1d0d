#include "RandomEdges.h"

#include <random>

namespace StriveloBench {

namespace {

constexpr double kMaxStepMm = 3.0;
constexpr double kEngineRange = 4294967296.0;

}  // namespace

std::vector<double> RandomEdges(std::size_t count, std::uint32_t seed) {
    std::mt19937 engine(seed);
    std::vector<double> edges(count);
    double x = 0.0;
    for (double& edge : edges) {
        x += static_cast<double>(engine()) / kEngineRange * kMaxStepMm;
        edge = x;
    }
    return edges;
}

}  // namespace StriveloBench
