#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "RecordingGenerator.h"

namespace StriveloTest {

// Element widths in modules (bar, space, bar, ...). Neither reads the same
// backwards, so each decodes in one direction only.
inline constexpr int kFakePattern[] = {1, 1, 2, 1, 3};
inline constexpr int kOtherFakePattern[] = {2, 1, 1, 1, 1};

struct FakeSpec {
    std::int32_t type;
    const char* name;
    std::span<const int> pattern = kFakePattern;
    // Moves every ideal edge after the first, which sets the deviation.
    double idealOffsetMm = 0.0;
    // The code form keeps only the first four characters, so longer encoded
    // texts do not survive the round trip.
    bool lossyCodeForm = false;
};

inline constexpr FakeSpec kFakeSpec{Strivelo::FourCC("tfak"), "Fake"};

// A test-only symbology of one fixed bar pattern: its code is one or more
// capital letters, the bars do not carry it, and Decode reports the code set
// with SetDecodedCode.
class FakeSymbology : public Strivelo::BarcodeProcessor {
public:
    static constexpr double kModuleMm = 0.5;
    static constexpr int kQuietZoneModules = 4;
    static constexpr double kDefaultBarHeightMm = 10.0;
    static constexpr double kTextSizeMm = 2.0;
    static constexpr std::int32_t kHeightBarEdge = 2;

    explicit FakeSymbology(const FakeSpec& spec) : spec_(spec) {}

    void SetDecodedCode(const char* code) { decodedCode_ = code; }
    // Counts the decode buffers begun and ended, as a family sizes them.
    int GetEndDecodeCalls() const { return endDecodeCalls_; }
    std::uint32_t GetBufferCount() const { return bufferCount_; }

    std::int32_t GetType() const override { return spec_.type; }
    const char* GetName() const override { return spec_.name; }
    bool EncodedToCode(const char* encoded, char* code, std::size_t capacity) const override;
    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override;
    double ComputeWidth() override;
    bool IsEncodedValid(const char* encoded) const override;

private:
    int ModuleCount() const;

    FakeSpec spec_;
    std::string decodedCode_ = "FAKE";
    int endDecodeCalls_ = 0;
    std::uint32_t bufferCount_ = 0;
};

// A test-only symbology of wide and narrow elements: Decode classifies any
// list of two or more edges with the shared classifier.
class FakeWideNarrowSymbology : public Strivelo::BarcodeProcessor,
                                public Strivelo::BarcodeProcessorMixIn_WideNarrowOption {
public:
    explicit FakeWideNarrowSymbology(std::uint32_t gapPeriod = 0) : gapPeriod_(gapPeriod) {}

    // The letters of the last classification, successful or not.
    std::string GetLetters() const { return std::string(letters_.begin(), letters_.end()); }
    std::size_t GetLetterBufferSize() const { return letters_.size(); }

    std::int32_t GetType() const override;
    const char* GetName() const override { return "Fake wide/narrow"; }
    bool BeginDecode(const double* edges, std::uint32_t count) override;
    bool EndDecode() override;
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override { return false; }
    double ComputeWidth() override { return 0.0; }
    bool IsWideNarrowRatioValid() const override { return true; }

private:
    std::uint32_t gapPeriod_;
    // Like a family's decode buffer: made for the first count and kept until
    // EndDecode.
    std::vector<char> letters_;
};

// The bars of a fake symbol with code "ABC" drawn at the given parameters.
std::vector<RecordedBar> DrawFake(const FakeSpec& spec, double reductionMm = 0.0,
                                  double magnification = 1.0);

}  // namespace StriveloTest
