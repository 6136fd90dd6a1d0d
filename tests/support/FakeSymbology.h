#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "RecordingGenerator.h"
#include "SymbolSettings.h"

namespace StriveloTest {

// Element widths in modules (bar, space, bar, ...). Neither reads the same
// backwards, so each decodes in one direction only.
inline constexpr int kFakePattern[] = {1, 1, 2, 1, 3};
inline constexpr int kOtherFakePattern[] = {2, 1, 1, 1, 1};

struct FakeSpec {
    std::int32_t type = Strivelo::FourCC("tfak");
    const char* name = "Fake";
    // The one symbol it draws and decodes. Empty: Decode takes any list of
    // two or more edges and tells its elements wide or narrow with the
    // shared classifier, every gapPeriod-th element (0: none) a gap, and
    // nothing is drawn.
    std::span<const int> pattern = kFakePattern;
    std::uint32_t gapPeriod = 0;
    // Moves every ideal edge after the first, which sets the deviation.
    double idealOffsetMm = 0.0;
    // The code form keeps only the first four characters, so longer encoded
    // texts do not survive the round trip.
    bool lossyCodeForm = false;
    // Whether HasOption offers the wide/narrow ratio.
    bool wideNarrowOption = false;
};

inline constexpr FakeSpec kFakeSpec{};

// A test-only symbology, shared by the engine's and the checking engine's
// tests: its code is capital letters, digits and hyphens, the bars do not
// carry it, and Decode reports the code set with SetDecodedCode.
class FakeSymbology : public Strivelo::BarcodeProcessor,
                      public Strivelo::BarcodeProcessorMixIn_WideNarrowOption {
public:
    static constexpr double kModuleMm = 0.5;
    static constexpr int kQuietZoneModules = 4;
    static constexpr double kDefaultBarHeightMm = 10.0;
    static constexpr double kTextSizeMm = 2.0;
    static constexpr std::int32_t kHeightBarEdge = 2;

    explicit FakeSymbology(const FakeSpec& spec = {}) : spec_(spec) {}

    void SetDecodedCode(const char* code) { decodedCode_ = code; }
    // Like a family's decode buffer: one letter per element, made for the
    // first count and kept until EndDecode, which is counted.
    std::size_t GetBufferSize() const { return letters_.size(); }
    int GetEndDecodeCalls() const { return endDecodeCalls_; }
    // The letters of the last classification, successful or not.
    std::string GetLetters() const { return std::string(letters_.begin(), letters_.end()); }

    std::int32_t GetType() const override { return spec_.type; }
    const char* GetName() const override { return spec_.name; }
    bool HasOption(std::int32_t optionCode) const override;
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;
    bool IsWideNarrowRatioValid() const override { return true; }

private:
    bool DecodePattern(std::uint32_t count);
    bool Classify(std::uint32_t count);
    int ModuleCount() const;

    FakeSpec spec_;
    std::string decodedCode_ = "FAKE";
    int endDecodeCalls_ = 0;
    std::vector<char> letters_;
};

// The bars of a fake symbol with code "ABC" drawn at the given parameters.
std::vector<RecordedBar> DrawFake(const FakeSpec& spec, double reductionMm = 0.0,
                                  double magnification = 1.0);

// A fake as a check finds it: decoded from its bars drawn exactly with the
// settings' bar width reduction, reporting their code, then given their
// other settings and that reduction, at which its largest deviation is
// spec.idealOffsetMm.
std::unique_ptr<FakeSymbology> DecodedFake(const FakeSpec& spec, const SymbolSettings& settings);

}  // namespace StriveloTest
