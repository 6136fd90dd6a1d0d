#include "BarcodeDialog.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "M7LBaseADMDialog.h"
#include "M7LPluginMain.h"
#include "M7LSuiteTable.h"
#include "host/HostPolicies.h"

BarcodeDialog* gBarcodeDialog = nullptr;

namespace {

constexpr const char* kReplacementsSection = "M7LBarcodeDialog/FontReplacements";
constexpr const char* kReplacementCountKey = "NrOfFontReplacements";
constexpr const char* kReplacementSectionFormat = "M7LBarcodeDialog/FontReplacements/%zu";
constexpr const char* kOriginalKey = "OriginalFontName";
constexpr const char* kReplacementKey = "ReplaceFontName";
constexpr std::size_t kSectionBytes = 64;

constexpr const char* kMissingFontDialogName = "Mor7Lant Alert Illegal Params Dialog";
constexpr std::int32_t kNoOptions = 0;

std::array<char, kSectionBytes> ReplacementSection(std::size_t index) {
    std::array<char, kSectionBytes> section{};
    std::snprintf(section.data(), section.size(), kReplacementSectionFormat, index);
    return section;
}

// The stored name, or "" when it is absent or does not fit.
std::array<char, BarcodeDialog::kFontNameBytes> ReadFontName(const char* section, const char* key) {
    std::array<char, BarcodeDialog::kFontNameBytes> name{};
    if (sAiPreference->GetStringPreference(section, key, name.data(), name.size()) !=
        host::kNoError) {
        name[0] = 0;
    }
    return name;
}

host::Error InitMissingFontDialog(host::Dialog dialog) {
    const auto* fontName = static_cast<const char*>(sAdmDialog->GetUserData(dialog));
    sAdmItem->SetText(sAdmDialog->GetItem(dialog, BarcodeDialog::kMissingFontNameItem), fontName);
    return host::kNoError;
}

}  // namespace

BarcodeDialog::BarcodeDialog() {
    LoadSettings();
}

BarcodeDialog::~BarcodeDialog() {
    SaveSettings();
    if (gBarcodeDialog == this) {
        gBarcodeDialog = nullptr;
    }
}

void BarcodeDialog::LoadSettings() {
    std::int32_t count = 0;
    sAiPreference->GetIntegerPreference(kReplacementsSection, kReplacementCountKey, &count);
    count = std::clamp<std::int32_t>(count, 0, kMaxFontReplacements);
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        const auto section = ReplacementSection(i);
        const auto original = ReadFontName(section.data(), kOriginalKey);
        const auto replacement = ReadFontName(section.data(), kReplacementKey);
        if (original[0] != 0 && replacement[0] != 0) {
            SetFontReplacement(original.data(), replacement.data());
        }
    }
}

void BarcodeDialog::SaveSettings() {
    sAiPreference->PutIntegerPreference(kReplacementsSection, kReplacementCountKey,
                                        static_cast<std::int32_t>(fontReplacements_.size()));
    for (std::size_t i = 0; i < fontReplacements_.size(); ++i) {
        const auto section = ReplacementSection(i);
        sAiPreference->PutStringPreference(section.data(), kOriginalKey,
                                           fontReplacements_[i].original.CStr());
        sAiPreference->PutStringPreference(section.data(), kReplacementKey,
                                           fontReplacements_[i].replacement.CStr());
    }
}

std::size_t BarcodeDialog::IndexOf(const char* original) const {
    const auto found = std::find_if(
        fontReplacements_.begin(), fontReplacements_.end(),
        [original](const FontReplacement& entry) { return entry.original.Equals(original); });
    return static_cast<std::size_t>(found - fontReplacements_.begin());
}

const char* BarcodeDialog::FindFontReplacement(const char* original) const {
    return GetReplacementFontName(IndexOf(original));
}

const char* BarcodeDialog::GetOriginalFontName(std::size_t index) const {
    return index < fontReplacements_.size() ? fontReplacements_[index].original.CStr() : nullptr;
}

const char* BarcodeDialog::GetReplacementFontName(std::size_t index) const {
    return index < fontReplacements_.size() ? fontReplacements_[index].replacement.CStr() : nullptr;
}

host::Error BarcodeDialog::SetFontReplacement(const char* original, const char* replacement) {
    host::Font font;
    if (const host::Error error = sAiFont->FindFont(replacement, host::kFontTechnologyAny,
                                                    host::kFontScriptRoman, false, &font)) {
        return error;
    }
    FontReplacement changed{M7LString(original), M7LString(replacement)};
    if (!changed.original.Equals(original) || !changed.replacement.Equals(replacement)) {
        return host::kErrorNoMemory;
    }
    const std::size_t index = IndexOf(original);
    if (index < fontReplacements_.size()) {
        fontReplacements_[index].replacement = std::move(changed.replacement);
        return host::kNoError;
    }
    if (fontReplacements_.size() >= kMaxFontReplacements) {
        return host::kErrorNoMemory;
    }
    fontReplacements_.push_back(std::move(changed));
    return host::kNoError;
}

void BarcodeDialog::RemoveFontReplacement(const char* original) {
    const std::size_t index = IndexOf(original);
    if (index < fontReplacements_.size()) {
        fontReplacements_.erase(fontReplacements_.begin() + static_cast<std::ptrdiff_t>(index));
    }
}

void BarcodeDialog::ShowMissingFontAlert(const char* fontName) {
    sAdmDialog->Modal(gPluginRef, kMissingFontDialogName, kMissingFontDialogId,
                      M7LBaseADMDialog::kModalStyle, &InitMissingFontDialog,
                      const_cast<char*>(fontName), kNoOptions);
}
