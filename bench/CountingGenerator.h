#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "BarcodeProcessorDataGenerator.h"

namespace StriveloBench {

// Counts what it is sent and keeps nothing but, when asked, the bars' edges,
// so that timing a drawing measures the engine and not the receiver.
class CountingGenerator : public Strivelo::BarcodeProcessorDataGenerator {
public:
    explicit CountingGenerator(bool keepBars = false) : keepBars_(keepBars) {}

    bool AddBar(double left, double right, double bottom, double top) override;
    bool AddBearerBar(double left, double right, double bottom, double top) override;
    bool AddFrame(double left, double right, double bottom, double top,
                  double strokeWidth) override;
    bool AddText(double x, double y, double size, char character) override;
    bool AddQuietZoneMarks(double left, double right, double bottom, double top, double size,
                           bool leftMark, bool rightMark) override;
    bool SetFont(const char* name, bool sizeIsCharacterHeight) override;

    std::size_t GetCalls() const { return calls_; }
    // Two per bar (mm), from left to right.
    std::vector<double> GetEdges() const;

private:
    bool Count() {
        ++calls_;
        return true;
    }

    bool keepBars_;
    std::size_t calls_ = 0;
    std::vector<std::pair<double, double>> bars_;
};

}  // namespace StriveloBench
