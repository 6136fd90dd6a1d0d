#include "SymbolArt.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "BarcodeArtScanner.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeGenerate.h"
#include "BarcodeProcessorIdentification.h"
#include "CaseName.h"
#include "RecordingGenerator.h"

namespace creationtest {

using Strivelo::BarcodeProcessor;
using Strivelo::FourCC;

constexpr double kPointsPerMm = 72 / 25.4;

// Read parameters come back within this.
constexpr double kParameterTolerance = 1e-3;

const std::vector<Sample> kSamples = {
    {FourCC("e128"), "(01)12345678901231(17)140704", FourCC("e128")},
    {FourCC("eCou"), "9-912345-678909 (8101)1 23456 7890", FourCC("eCou")},
    {FourCC("uCou"), "5-12345-67890-0 (8100)1 23456", FourCC("uCou")},
    {FourCC("isbe"), "978-3-16-148410-0", FourCC("isbe")},
    {FourCC("isbn"), "3-16-148410-X", FourCC("isbe")},
    {FourCC("issn"), "0317-8471", FourCC("issn")},
    {FourCC("itff"), "10012345000017", FourCC("itff")},
    {FourCC("jan8"), "4512-3450", FourCC("jan8")},
    {FourCC("janD"), "4-512345-678906", FourCC("janD")},
    {FourCC("ean8"), "9638-5074", FourCC("ean8")},
    {FourCC("eanD"), "4-006381-333931", FourCC("eanD")},
    {FourCC("upca"), "0-36000-29145-2", FourCC("eanD")},
    {FourCC("upce"), "0-123453-1", FourCC("upce")},
    {FourCC("2of5"), "1234", FourCC("2of5")},
    {FourCC("3of9"), "CODE39", FourCC("3of9")},
    {FourCC("c128"), "AB123456", FourCC("c128")},
    {FourCC("plec"), "108", FourCC("plec")},
    {FourCC("ples"), "1234", FourCC("ples")},
    {FourCC("BePh"), "1234-566", FourCC("BePh")},
    {FourCC("msiq"), "123448", FourCC("msiq")},
    {FourCC("msie"), "123430", FourCC("msie")},
    {FourCC("msit"), "12344", FourCC("msit")},
    {FourCC("coda"), "A1234B", FourCC("coda")},
    {FourCC("codt"), "A1234B", FourCC("codt")},
    {FourCC("ms7b"), "1234565", FourCC("ean8")},
};

void PrintTo(const Sample& sample, std::ostream* os) {
    *os << StriveloTest::TypeName(sample.type) << " " << sample.code;
}

std::vector<host::Art> DrawBars(CreationScene& scene, host::Art into, BarcodeProcessor& processor,
                                host::RealPoint origin, bool lying, BarArt art, host::Color color) {
    StriveloTest::RecordingGenerator asked;
    EXPECT_TRUE(processor.GenerateInto(&asked));
    const auto point = [&](double x, double y) {
        const host::RealPoint upright{static_cast<float>(origin.h + x * kPointsPerMm),
                                      static_cast<float>(origin.v + y * kPointsPerMm)};
        return lying ? Rotated(upright, origin) : upright;
    };
    std::vector<host::Art> bars;
    for (const StriveloTest::RecordedCall& call : asked.GetCalls()) {
        using Kind = StriveloTest::RecordedCall::Kind;
        if (call.kind != Kind::kBar && call.kind != Kind::kBearerBar) {
            continue;
        }
        const double left = call.numbers[0];
        const double right = call.numbers[1];
        const double bottom = call.numbers[2];
        const double top = call.numbers[3];
        if (art == BarArt::kRectangle) {
            const host::RealPoint a = point(left, bottom);
            const host::RealPoint b = point(right, top);
            bars.push_back(scene.Bar(into, std::min(a.h, b.h), std::min(a.v, b.v),
                                     std::max(a.h, b.h), std::max(a.v, b.v), color));
        } else {
            const double middle = (left + right) / 2;
            const host::RealPoint a = point(middle, bottom);
            const host::RealPoint b = point(middle, top);
            bars.push_back(scene.Path(
                into, {Corner(a.h, a.v), Corner(b.h, b.v)},
                Stroked(color, static_cast<float>((right - left) * kPointsPerMm)), false));
        }
    }
    return bars;
}

DrawnSymbol DrawSymbol(CreationScene& scene, host::Art into, BarcodeProcessor& processor,
                       const DrawOptions& options) {
    DrawnSymbol symbol{false, scene.Group(into), {}, {}};
    BarcodeGenerate generator(options.origin.h, options.origin.v, symbol.group, options.parameters);
    generator.SetNoEraseBox(options.noEraseBox);
    generator.SetCreateOutlines(options.outlines);
    symbol.drawn = processor.GenerateInto(&generator);
    generator.GetMeasuringLine(&symbol.lineStart, &symbol.lineEnd);
    return symbol;
}

std::unique_ptr<BarcodeProcessor> ReadAlong(host::RealPoint from, host::RealPoint to) {
    BarcodeArtScanner scanner;
    if (scanner.Collect(from, to) != host::kNoError) {
        return nullptr;
    }
    std::vector<double> edges(Strivelo::kMaxEdgeCount);
    std::vector<double> heights(Strivelo::kMaxEdgeCount / 2);
    const std::uint32_t count =
        scanner.GetEdges(edges.data(), heights.data(), Strivelo::kMaxEdgeCount);
    bool ambiguous = false;
    return count == 0 ? nullptr : Strivelo::IdentifyFromEdges(edges.data(), count, &ambiguous);
}

std::unique_ptr<BarcodeProcessor> CandidateOfType(std::unique_ptr<BarcodeProcessor> reading,
                                                  std::int32_t type) {
    bool ambiguous = false;
    while (reading != nullptr && reading->GetType() != type) {
        reading = Strivelo::IdentifyNextCandidate(reading.get(), &ambiguous);
    }
    return reading;
}

std::string ReadingFault(const BarcodeProcessor* reading, const BarcodeProcessor& processor) {
    if (reading == nullptr) {
        return "no reading";
    }
    std::ostringstream fault;
    if (reading->GetType() != processor.GetType()) {
        fault << " type " << StriveloTest::TypeName(reading->GetType());
    }
    if (std::string(reading->GetCode()) != processor.GetCode()) {
        fault << " code \"" << reading->GetCode() << "\"";
    }
    if (std::fabs(reading->GetBarWidthReduction() - processor.GetBarWidthReduction()) >
        kParameterTolerance) {
        fault << " reduction " << reading->GetBarWidthReduction();
    }
    if (std::fabs(reading->GetMagnification() - processor.GetMagnification()) >
        kParameterTolerance) {
        fault << " magnification " << reading->GetMagnification();
    }
    return fault.str();
}

host::RealPoint Rotated(host::RealPoint point, host::RealPoint centre) {
    return {centre.h - (point.v - centre.v), centre.v + (point.h - centre.h)};
}

void Rotate(CreationScene& scene, host::Art art, host::RealPoint centre) {
    const standin::ArtRecord record = scene.Record(art);
    if (record.type == host::ArtType::kPath) {
        std::vector<host::PathSegment> segments = record.segments;
        for (host::PathSegment& segment : segments) {
            segment.anchor = Rotated(segment.anchor, centre);
            segment.in = Rotated(segment.in, centre);
            segment.out = Rotated(segment.out, centre);
        }
        EXPECT_EQ(scene.store.SetSegments(kCall, art, 0, segments), host::kNoError);
    }
    for (const host::Art child : record.children) {
        Rotate(scene, child, centre);
    }
}

}  // namespace creationtest
