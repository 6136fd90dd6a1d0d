#include "GlobalActionChangeColorDriver.h"

#include "BarPaint.h"
#include "M7LSuiteTable.h"
#include "host/AiArtSuites.h"
#include "host/HostPolicies.h"

namespace {

constexpr double kFullOpacity = 1.0;

}  // namespace

GlobalActionChangeColorDriver::GlobalActionChangeColorDriver(const BarcodeArtList& list,
                                                             std::size_t barcode)
    : list_(list), barcode_(barcode) {}

std::int32_t GlobalActionChangeColorDriver::ChangeColor() {
    for (std::size_t bar = 0;; ++bar) {
        const host::Art art = list_.GetBar(barcode_, bar);
        if (!art) {
            return host::kNoError;
        }
        if (const host::Error error = ChangeBar(art)) {
            return error;
        }
    }
}

host::Error GlobalActionChangeColorDriver::ChangeBar(host::Art bar) const {
    host::Art painting;
    if (const host::Error error = GetPaintingArt(GetBarPathArt(bar), &painting)) {
        return error;
    }
    host::PathStyle style{};
    if (const host::Error error = sAiPathStyle->GetPathStyle(painting, &style)) {
        return error;
    }
    bool* overprint = style.fillPaint     ? &style.fill.overprint
                      : style.strokePaint ? &style.stroke.overprint
                                          : nullptr;
    if (overprint != nullptr && !*overprint) {
        *overprint = true;
        if (const host::Error error = sAiPathStyle->SetPathStyle(painting, &style)) {
            return error;
        }
    }
    host::BlendMode mode = host::BlendMode::kNormal;
    if (const host::Error error = sAiBlendStyle->GetBlendingMode(painting, &mode)) {
        return error;
    }
    if (mode != host::BlendMode::kNormal) {
        if (const host::Error error =
                sAiBlendStyle->SetBlendingMode(painting, host::BlendMode::kNormal)) {
            return error;
        }
    }
    double opacity = kFullOpacity;
    if (const host::Error error = sAiBlendStyle->GetOpacity(painting, &opacity)) {
        return error;
    }
    if (opacity != kFullOpacity) {
        return sAiBlendStyle->SetOpacity(painting, kFullOpacity);
    }
    return host::kNoError;
}
