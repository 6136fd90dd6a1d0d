#include "FakeSymbology.h"

#include <cmath>
#include <cstring>

#include "BarEdges.h"

namespace StriveloTest {

using Strivelo::BarcodeEdgeView;

namespace {

constexpr std::size_t kLossyCodeLength = 4;
// A module of 2 mm: every edge of a drawing with a reduction of whole
// binary fractions is exact, and half a module takes any reduction or
// deviation a check asks about.
constexpr double kExactMagnification = 4.0;

}  // namespace

bool FakeSymbology::HasOption(std::int32_t optionCode) const {
    return spec_.wideNarrowOption && optionCode == Strivelo::kBarcodeOptionWideNarrowRatio;
}

bool FakeSymbology::EncodedToCode(const char* encoded, char* code, std::size_t capacity) const {
    if (!spec_.lossyCodeForm || encoded == nullptr || std::strlen(encoded) <= kLossyCodeLength) {
        return BarcodeProcessor::EncodedToCode(encoded, code, capacity);
    }
    std::memcpy(code, encoded, kLossyCodeLength);
    code[kLossyCodeLength] = '\0';
    return true;
}

bool FakeSymbology::BeginDecode(const double* /*edges*/, std::uint32_t count) {
    if (letters_.empty()) {
        letters_.resize(count - 1);
    }
    return true;
}

bool FakeSymbology::EndDecode() {
    ++endDecodeCalls_;
    letters_.clear();
    return true;
}

bool FakeSymbology::Decode(const double* edges, std::uint32_t count, bool reversed) {
    if (count < 2 || (!spec_.pattern.empty() && count != spec_.pattern.size() + 1)) {
        return false;
    }
    if (!PrepareDecoding(BarcodeEdgeView(edges, count, reversed))) {
        return false;
    }
    return spec_.pattern.empty() ? Classify(count) : DecodePattern(count);
}

// The module comes from the distance of the outer bar centres, which a bar
// width reduction leaves alone; every edge must lie within half a module of
// its grid place.
bool FakeSymbology::DecodePattern(std::uint32_t count) {
    Strivelo::BarcodeEdgeList& list = GetDecodingEdges();
    const double* const measured = list.GetMeasured();
    double* const ideal = list.GetIdeal();
    std::vector<int> grid(count, 0);
    for (std::uint32_t i = 1; i < count; ++i) {
        grid[i] = grid[i - 1] + spec_.pattern[i - 1];
    }
    const double centreModules = (grid[count - 2] + grid[count - 1] - grid[0] - grid[1]) / 2.0;
    const double module =
        ((measured[count - 2] + measured[count - 1]) / 2.0 - (measured[0] + measured[1]) / 2.0) /
        centreModules;
    if (!(module > 0.0)) {
        return false;
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        const double place = measured[0] + grid[i] * module;
        if (std::fabs(measured[i] - place) > module / 2.0) {
            return false;
        }
        ideal[i] = place + (i == 0 ? 0.0 : spec_.idealOffsetMm);
    }
    DecodeResult result;
    result.encodedCode = decodedCode_.c_str();
    result.magnification = module / kModuleMm;
    result.moduleWidthMm = module;
    result.reductionEdgeCount = count;
    result.heightBarEdge = kHeightBarEdge;
    result.firstSymbolEdge = 0;
    result.lastSymbolEdge = static_cast<std::int32_t>(count - 1);
    return CommitDecoding(result);
}

// Ideal elements are one module narrow and ratio modules wide, fitted to
// the measured ones.
bool FakeSymbology::Classify(std::uint32_t count) {
    double module = 0.0;
    double ratio = 0.0;
    if (!ClassifyWideNarrow(spec_.gapPeriod, letters_.data()) ||
        !GetDecodingEdges().FitWideNarrowEdges(letters_.data(), &module, &ratio)) {
        return false;
    }
    DecodeResult result;
    result.encodedCode = decodedCode_.c_str();
    result.magnification = module;
    result.moduleWidthMm = module;
    result.reductionEdgeCount = count;
    result.firstSymbolEdge = 0;
    result.lastSymbolEdge = static_cast<std::int32_t>(count - 1);
    result.wideNarrowRatio = ratio;
    return CommitDecoding(result);
}

// Frame, marks, bars, text, as every family orders them; stops at the first
// refusal.
bool FakeSymbology::Generate() {
    const double width = ComputeWidth();
    if (width <= 0.0) {
        return false;
    }
    const double module = GetModuleWidth();
    const double height = GetBarHeight() != 0.0 ? GetBarHeight() : kDefaultBarHeightMm;
    const double textY = -kTextSizeMm - module;
    SetTotalWidth(width);
    if (!EmitFont("Fake", false) ||
        (GetEmitFrame() && !EmitFrame(0.0, width, textY - module, height, 0.0)) ||
        (GetHumanReadable() && !EmitQuietZoneMarks(0.0, width, textY, textY, true, true))) {
        return false;
    }
    SetRunningX(kQuietZoneModules * module);
    bool bar = true;
    for (const int modules : spec_.pattern) {
        const double x = GetRunningX();
        if (bar && !EmitBar(x, x + modules * module, 0.0, height)) {
            return false;
        }
        SetRunningX(x + modules * module);
        bar = !bar;
    }
    if (GetHumanReadable()) {
        const char* const code = GetEncodedCode();
        for (std::size_t i = 0; code[i] != '\0'; ++i) {
            if (!EmitText((kQuietZoneModules + i) * module, textY, kTextSizeMm, code[i])) {
                return false;
            }
        }
    }
    return true;
}

double FakeSymbology::ComputeWidth() {
    if (spec_.pattern.empty() || !IsEncodedValid(GetEncodedCode())) {
        return 0.0;
    }
    const double module = kModuleMm * GetMagnification();
    SetModuleWidth(module);
    if (!(module > 0.0)) {
        return -1.0;
    }
    return (ModuleCount() + 2 * kQuietZoneModules) * module;
}

bool FakeSymbology::IsEncodedValid(const char* encoded) const {
    if (encoded == nullptr || encoded[0] == '\0') {
        return false;
    }
    for (const char* c = encoded; *c != '\0'; ++c) {
        if ((*c < 'A' || *c > 'Z') && (*c < '0' || *c > '9') && *c != '-') {
            return false;
        }
    }
    return true;
}

int FakeSymbology::ModuleCount() const {
    int modules = 0;
    for (const int width : spec_.pattern) {
        modules += width;
    }
    return modules;
}

std::vector<RecordedBar> DrawFake(const FakeSpec& spec, double reductionMm, double magnification) {
    FakeSymbology processor(spec);
    processor.SetCode("ABC");
    processor.SetBarWidthReduction(reductionMm);
    processor.SetMagnification(magnification);
    RecordingGenerator generator;
    processor.GenerateInto(&generator);
    return generator.GetBars();
}

std::unique_ptr<FakeSymbology> DecodedFake(const FakeSpec& spec, const SymbolSettings& settings) {
    const double reductionMm = settings.reductionMm.value_or(0.0);
    const std::vector<double> edges =
        EdgesFromBars(DrawFake(spec, reductionMm, kExactMagnification));
    auto fake = std::make_unique<FakeSymbology>(spec);
    fake->SetDecodedCode(settings.code.c_str());
    fake->DecodeEdges(edges.data(), static_cast<std::uint32_t>(edges.size()));
    ApplySettings(*fake, settings);
    fake->SetBarWidthReduction(reductionMm);
    return fake;
}

}  // namespace StriveloTest
