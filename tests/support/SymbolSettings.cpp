#include "SymbolSettings.h"

#include "BarcodeProcessorISBN.h"
#include "BarcodeProcessorMixIn_BearerBarsOption.h"
#include "BarcodeProcessorMixIn_FontScaling.h"
#include "BarcodeProcessorMixIn_WideNarrowOption.h"

namespace StriveloTest {

namespace {

// Hands a given setting to set.
template <typename Value, typename Set>
void IfGiven(const std::optional<Value>& setting, Set set) {
    if (setting.has_value()) {
        set(*setting);
    }
}

}  // namespace

bool ApplySettings(Strivelo::BarcodeProcessor& processor, const SymbolSettings& settings) {
    auto& p = processor;
    IfGiven(settings.magnification, [&](double m) { p.SetMagnification(m); });
    IfGiven(settings.reductionMm, [&](double mm) { p.SetBarWidthReduction(mm); });
    IfGiven(settings.barHeightMm, [&](double mm) { p.SetBarHeight(mm); });
    IfGiven(settings.humanReadable, [&](bool on) { p.SetHumanReadable(on); });
    IfGiven(settings.frame, [&](bool on) { p.SetEmitFrame(on); });
    IfGiven(settings.quietZoneMarks, [&](bool on) { p.SetQuietZoneMarks(on); });
    IfGiven(settings.scaleHeightWithWidth, [&](bool on) { p.SetScaleHeightWithWidth(on); });
    bool accepted = true;
    if (auto* ratio = dynamic_cast<Strivelo::BarcodeProcessorMixIn_WideNarrowOption*>(&p)) {
        IfGiven(settings.wideNarrowRatio,
                [&](double r) { accepted = ratio->SetWideNarrowRatio(r) && accepted; });
    }
    if (auto* text = dynamic_cast<Strivelo::BarcodeProcessorMixIn_FontScaling*>(&p)) {
        IfGiven(settings.centerAlign, [&](bool on) { text->SetCenterAlign(on); });
        IfGiven(settings.fontScaling,
                [&](double f) { accepted = text->SetFontScaling(f) && accepted; });
    }
    if (auto* bearer = dynamic_cast<Strivelo::BarcodeProcessorMixIn_BearerBarsOption*>(&p)) {
        IfGiven(settings.bearerBars, [&](bool on) { bearer->SetBearerBars(on); });
        IfGiven(settings.bearerBarEndBars, [&](bool on) { bearer->SetBearerBarEndBars(on); });
    }
    if (auto* isbnEan = dynamic_cast<Strivelo::BarcodeProcessorISBNEAN*>(&p)) {
        IfGiven(settings.dualNumbering, [&](bool on) { isbnEan->SetDualNumbering(on); });
    }
    return accepted;
}

}  // namespace StriveloTest
