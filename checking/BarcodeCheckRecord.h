#pragma once

#include <cstdint>
#include <vector>

#include "BarcodeProfileChangeColorDriver.h"

namespace Strivelo {
class BarcodeProcessor;
class BarcodeDeltaBarDriver;
}  // namespace Strivelo

namespace BarcodeVettrin {

// How the bars of a barcode are painted, as the check run measures it.
inline constexpr std::int32_t kOverprintStateMixed = 0;
inline constexpr std::int32_t kOverprintStateNormal = 1;
inline constexpr std::int32_t kOverprintStateNormalOverprint = 2;
inline constexpr std::int32_t kOverprintStateMultiply = 3;
inline constexpr std::int32_t kOverprintStateOther = 4;

// One found barcode under check: the decoded processor, the fix drivers, what
// the check run measured in the artwork, and the fixes the profile's tests
// request. The record owns none of the objects it points to.
class BarcodeCheckRecord {
public:
    // Millimetres, in the host's orientation (top above bottom).
    struct Box {
        double top = 0.0;
        double left = 0.0;
        double bottom = 0.0;
        double right = 0.0;

        bool operator==(const Box&) const = default;
    };

    explicit BarcodeCheckRecord(Strivelo::BarcodeProcessor* processor = nullptr);

    // Sets the processor and every other field to its initial value.
    void Init(Strivelo::BarcodeProcessor* processor);

    Strivelo::BarcodeProcessor* GetProcessor() const { return processor_; }

    void SetDeltaBarDriver(Strivelo::BarcodeDeltaBarDriver* driver) { deltaBarDriver_ = driver; }
    Strivelo::BarcodeDeltaBarDriver* GetDeltaBarDriver() const { return deltaBarDriver_; }
    void SetChangeColorDriver(BarcodeProfileChangeColorDriver* driver) {
        changeColorDriver_ = driver;
    }
    BarcodeProfileChangeColorDriver* GetChangeColorDriver() const { return changeColorDriver_; }

    // The non-zero ink amounts of the bars' common colour (1.0 = 100 %);
    // empty when the bars' colours differ.
    void SetColors(const std::vector<double>& colors) { colors_ = colors; }
    const std::vector<double>& GetColors() const { return colors_; }

    // One of the kOverprintState values.
    void SetOverprintState(std::int32_t state) { overprintState_ = state; }
    std::int32_t GetOverprintState() const { return overprintState_; }

    void SetPageNumber(std::int32_t pageNumber);
    bool HasPageNumber() const { return pageNumberKnown_; }
    std::int32_t GetPageNumber() const { return pageNumber_; }

    void SetBarsBoundingBox(const Box& box);
    bool HasBarsBoundingBox() const { return barsBoxKnown_; }
    const Box& GetBarsBoundingBox() const { return barsBox_; }

    void SetEraseBox(const Box& box);
    bool HasEraseBox() const { return eraseBoxKnown_; }
    const Box& GetEraseBox() const { return eraseBox_; }

    // Fix requests: set by the tests, carried out by the profile, read by the
    // check palette's result list.
    void ClearFixRequests();
    // The bars are to be regenerated at the processor's own bar width
    // reduction.
    void RequestRegenerate() { regenerateRequest_ = kRegenerate; }
    void SetNewBarWidthReduction(double mm);
    void SetColorAction(std::int32_t action) { colorAction_ = action; }
    // A regeneration or a new bar width reduction is pending.
    bool IsRegenerateRequested() const;
    // False when no new bar width reduction is set.
    bool GetNewBarWidthReduction(double& mm) const;
    bool HasColorAction() const;
    std::int32_t GetColorAction() const { return colorAction_; }

    // Whether the count test has counted this barcode in the current run, so
    // that running the tests again for the report does not count it twice.
    bool IsCounted() const { return counted_; }
    void MarkCounted() { counted_ = true; }

private:
    static constexpr std::int32_t kNoRegenerate = 0;
    static constexpr std::int32_t kRegenerate = 1;

    Strivelo::BarcodeProcessor* processor_ = nullptr;
    Strivelo::BarcodeDeltaBarDriver* deltaBarDriver_ = nullptr;
    BarcodeProfileChangeColorDriver* changeColorDriver_ = nullptr;
    std::vector<double> colors_;
    std::int32_t overprintState_ = kOverprintStateMixed;
    bool pageNumberKnown_ = false;
    std::int32_t pageNumber_ = 0;
    bool barsBoxKnown_ = false;
    Box barsBox_;
    bool eraseBoxKnown_ = false;
    Box eraseBox_;
    std::int32_t regenerateRequest_ = kNoRegenerate;
    bool newBarWidthReductionSet_ = false;
    double newBarWidthReductionMm_ = 0.0;
    std::int32_t colorAction_ = kColorActionNone;
    bool counted_ = false;
};

}  // namespace BarcodeVettrin
