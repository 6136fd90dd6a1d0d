#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "BarcodeDeltaBarDriver.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessor.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"
#include "BarcodeProfileChangeColorDriver.h"
#include "CheckMessage.h"

namespace BarcodeVettrin {

// Every test that compares messages sees this printer, so that all of them
// print messages alike.
inline void PrintTo(const CheckMessage& message, std::ostream* os) {
    *os << "(" << message.severity << ", " << message.messageId << ")";
}

}  // namespace BarcodeVettrin

namespace CheckTest {

// What a fake barcode reports to the tests.
struct FakeBarcode {
    std::int32_t type = Strivelo::FourCC("tchk");
    std::string code = "ABC";
    double barWidthReductionMm = 0.0;
    double magnification = 1.0;
    double barHeightMm = 15.0;
    double maxDeviationMm = 0.0;
    // Whether the symbology has the wide/narrow option.
    bool wideNarrow = false;
    double wideNarrowRatio = 2.5;
};

// A decoded barcode of two bars whose values are set from a FakeBarcode; its
// ideal edges are placed so that the largest edge deviation is exactly
// maxDeviationMm at the given bar width reduction.
class FakeCheckProcessor : public Strivelo::BarcodeProcessor,
                           public Strivelo::BarcodeProcessorMixIn_WideNarrowOption {
public:
    explicit FakeCheckProcessor(const FakeBarcode& barcode);

    std::int32_t GetType() const override { return barcode_.type; }
    const char* GetName() const override { return "Fake check"; }
    bool HasOption(std::int32_t optionCode) const override;
    bool Decode(const double* edges, std::uint32_t count, bool reversed) override;
    bool Generate() override { return false; }
    double ComputeWidth() override { return 0.0; }
    bool IsWideNarrowRatioValid() const override { return true; }

private:
    FakeBarcode barcode_;
};

// One bar move handed to the delta-bar driver.
struct BarMove {
    std::uint32_t barEdgeIndex;
    double leftDeltaMm;
    double rightDeltaMm;
};

// Records the bar moves of every run; can refuse them.
class RecordingDeltaBarDriver : public Strivelo::BarcodeDeltaBarDriver {
public:
    explicit RecordingDeltaBarDriver(const Strivelo::BarcodeProcessor& processor);

    void RefuseMoves() { refuse_ = true; }
    const std::vector<BarMove>& GetMoves() const { return moves_; }
    // The target bar width reduction that the first bar's move implies, for
    // a barcode read forwards.
    double ImpliedTarget() const;

    bool ApplyBarDelta(std::uint32_t barEdgeIndex, double leftDeltaMm,
                       double rightDeltaMm) override;

private:
    double initialReductionMm_;
    bool refuse_ = false;
    std::vector<BarMove> moves_;
};

// Records its calls as text lines; ChangeColor answers the given error.
class RecordingChangeColorDriver : public BarcodeVettrin::BarcodeProfileChangeColorDriver {
public:
    explicit RecordingChangeColorDriver(std::int32_t error = 0) : error_(error) {}

    const std::vector<std::string>& GetCalls() const { return calls_; }

    std::int32_t ChangeColor() override;
    void SetColorAction(std::int32_t action) override;

private:
    std::int32_t error_;
    std::vector<std::string> calls_;
};

}  // namespace CheckTest
