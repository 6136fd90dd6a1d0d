#include "ReadBack.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <sstream>
#include <vector>

#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

namespace {

using Strivelo::BarcodeProcessor;

// Where the reading line starts before the symbol, either way.
constexpr double kLineMarginMm = 20.0;
// Magnification and bar width reduction come back within this.
constexpr double kParameterTolerance = 1e-6;
// Two readings of exact edges tie when their mean deviations differ by less.
constexpr double kTieToleranceMm = 1e-9;

// Two edges a bar, left to right; read from the right end with backwards.
std::vector<double> ExactEdges(std::vector<RecordedBar> bars, bool backwards, double widthMm) {
    std::sort(bars.begin(), bars.end(),
              [](const RecordedBar& a, const RecordedBar& b) { return a.left < b.left; });
    std::vector<double> edges;
    for (const RecordedBar& bar : bars) {
        edges.push_back(kLineMarginMm + bar.left);
        edges.push_back(kLineMarginMm + bar.right);
    }
    if (backwards) {
        const double end = widthMm + 2.0 * kLineMarginMm;
        std::reverse(edges.begin(), edges.end());
        for (double& edge : edges) {
            edge = end - edge;
        }
    }
    return edges;
}

// The position of type in the registry, or -1.
int RegistryIndexOf(std::int32_t type) {
    for (std::uint32_t index = 0;; ++index) {
        const std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByIndex(index);
        if (processor == nullptr) {
            return -1;
        }
        if (processor->GetType() == type) {
            return static_cast<int>(index);
        }
    }
}

std::string Reading(const BarcodeProcessor& processor) {
    std::ostringstream text;
    text << processor.GetName() << " \"" << Printable(processor.GetCode()) << "\" at "
         << processor.GetMagnification() << ", reduction " << processor.GetBarWidthReduction()
         << ", deviation " << processor.GetMeanDeviation();
    return text.str();
}

}  // namespace

std::string ReadBackFault(BarcodeProcessor& processor, bool backwards) {
    RecordingGenerator generator;
    if (!processor.GenerateInto(&generator)) {
        return "drawing failed";
    }
    const std::vector<double> edges =
        ExactEdges(generator.GetBars(), backwards, processor.GetTotalWidth());
    const auto count = static_cast<std::uint32_t>(edges.size());
    bool ambiguous = false;
    std::unique_ptr<BarcodeProcessor> reading =
        Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous);
    if (reading == nullptr) {
        return std::to_string(count) + " edges identify as nothing";
    }
    const double firstDeviation = reading->GetMeanDeviation();
    const int own = RegistryIndexOf(processor.GetType());
    while (reading->GetType() != processor.GetType()) {
        if (RegistryIndexOf(reading->GetType()) > own) {
            return "identifies as " + Reading(*reading);
        }
        std::unique_ptr<BarcodeProcessor> next =
            Strivelo::IdentifyNextCandidate(reading.get(), &ambiguous);
        if (next == nullptr) {
            return "trying again after " + Reading(*reading) + " never reaches its own type";
        }
        reading = std::move(next);
    }
    if (std::fabs(reading->GetMeanDeviation() - firstDeviation) > kTieToleranceMm ||
        reading->IsReadReversed() != backwards ||
        std::string(reading->GetCode()) != processor.GetCode() ||
        std::fabs(reading->GetMagnification() - processor.GetMagnification()) >
            kParameterTolerance ||
        std::fabs(reading->GetBarWidthReduction() - processor.GetBarWidthReduction()) >
            kParameterTolerance) {
        return "reads back as " + Reading(*reading) +
               (reading->IsReadReversed() ? ", reversed" : "");
    }
    return {};
}

std::string Printable(const std::string& text) {
    std::string shown;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7F) {
            shown += c;
        } else {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

}  // namespace StriveloTest
