// Gives one registered symbology a text and options: whatever CorrectCode
// mends SetCode must accept, an accepted code must correct to itself, and
// with valid parameters its drawn bars must read back as that code.
// Input: the symbology's registry index, six option bytes (magnification,
// bar width reduction, ratio, text scaling, bar height, flags), then the text
// up to its first NUL byte.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "BarcodeProcessor.h"
#include "BarcodeProcessorRegistry.h"
#include "BarcodeProcessorStandardSymbologies.h"
#include "M7LFailure.h"
#include "M7LString.h"
#include "ReadBack.h"
#include "SymbolSettings.h"

namespace {

using Strivelo::BarcodeProcessor;
using StriveloTest::Printable;

constexpr std::size_t kOptionBytes = 6;
constexpr std::size_t kFlagsByte = 5;
// Bit 7 of the flags reads the bars from the other end.
constexpr std::uint8_t kBackwardsFlag = 0x80;
constexpr double kByteRange = 255.0;
// The options span more than every symbology accepts, as the property test's
// do.
constexpr double kMinMagnification = 0.2;
constexpr double kMagnificationSpan = 2.4;
constexpr double kMaxReductionPerMagnificationMm = 0.3;
constexpr double kMinRatio = 1.8;
constexpr double kRatioSpan = 1.4;
constexpr double kMinFontScaling = 0.25;
constexpr double kFontScalingSpan = 2.25;
constexpr double kMaxBarHeightMm = 60.0;

int AbortOnFailure(const char*, int, int, const char*, const char*, int, const char*) {
    std::abort();
}

bool Setup() {
    SetFailureHandler(&AbortOnFailure);
    return Strivelo::RegisterStandardSymbologies(false) && Strivelo::RegisterMS7B();
}

std::uint32_t RegisteredCount() {
    std::uint32_t count = 0;
    while (Strivelo::CreateByIndex(count) != nullptr) {
        ++count;
    }
    return count;
}

void Require(bool condition, const BarcodeProcessor& processor, const std::string& text,
             const char* what) {
    if (!condition) {
        std::fprintf(stderr, "%s \"%s\": %s\n", processor.GetName(), Printable(text).c_str(), what);
        std::abort();
    }
}

double Fraction(std::uint8_t byte) {
    return byte / kByteRange;
}

// A bar height byte below the middle leaves the default height.
StriveloTest::SymbolSettings OptionsOf(const std::uint8_t* bytes) {
    StriveloTest::SymbolSettings options;
    options.magnification = kMinMagnification + kMagnificationSpan * Fraction(bytes[0]);
    options.reductionMm =
        kMaxReductionPerMagnificationMm * *options.magnification * (2.0 * Fraction(bytes[1]) - 1.0);
    options.wideNarrowRatio = kMinRatio + kRatioSpan * Fraction(bytes[2]);
    options.fontScaling = kMinFontScaling + kFontScalingSpan * Fraction(bytes[3]);
    options.barHeightMm = bytes[4] < 0x80 ? 0.0 : kMaxBarHeightMm * Fraction(bytes[4]);
    const std::uint8_t flags = bytes[kFlagsByte];
    options.centerAlign = (flags & 0x01) != 0;
    options.bearerBars = (flags & 0x02) != 0;
    options.bearerBarEndBars = (flags & 0x04) != 0;
    options.humanReadable = (flags & 0x08) != 0;
    options.frame = (flags & 0x10) != 0;
    options.quietZoneMarks = (flags & 0x20) != 0;
    options.scaleHeightWithWidth = (flags & 0x40) != 0;
    return options;
}

// Reads the accepted code back when the options are valid for it.
void CheckReadBack(BarcodeProcessor& processor, const std::string& text,
                   const StriveloTest::SymbolSettings& options, bool backwards) {
    M7LString again(text.c_str());
    Require(processor.CorrectCode(again) && text == again.CStr(), processor, text,
            "an accepted code corrects to another");
    if (!StriveloTest::ApplySettings(processor, options) || !processor.ValidateParameters()) {
        return;
    }
    const std::string fault = StriveloTest::ReadBackFault(processor, backwards);
    Require(fault.empty(), processor, text, fault.c_str());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool ready = Setup();
    static const std::uint32_t registered = RegisteredCount();
    if (!ready || size < 1 + kOptionBytes) {
        return 0;
    }
    const std::uint32_t index = data[0] % registered;
    const std::uint8_t* const optionBytes = data + 1;
    const bool backwards = (optionBytes[kFlagsByte] & kBackwardsFlag) != 0;
    // std::string's constructor from a C string stops at the first NUL.
    const std::string raw(reinterpret_cast<const char*>(data + 1 + kOptionBytes),
                          size - 1 - kOptionBytes);
    const std::string text = raw.c_str();

    const std::unique_ptr<BarcodeProcessor> probe = Strivelo::CreateByIndex(index);
    const StriveloTest::SymbolSettings options = OptionsOf(optionBytes);

    M7LString mended(text.c_str());
    if (probe->CorrectCode(mended)) {
        const std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByIndex(index);
        Require(processor->SetCode(mended.CStr()), *processor, mended.CStr(),
                "mended, but SetCode refuses it");
        CheckReadBack(*processor, mended.CStr(), options, backwards);
    }
    const std::unique_ptr<BarcodeProcessor> processor = Strivelo::CreateByIndex(index);
    if (processor->SetCode(text.c_str())) {
        CheckReadBack(*processor, text, options, backwards);
    }
    return 0;
}
