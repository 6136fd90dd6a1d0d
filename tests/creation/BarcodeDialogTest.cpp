#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "BarcodeDialog.h"
#include "CreationScene.h"

namespace {

using creationtest::CreationScene;
using Replacements = std::vector<std::pair<std::string, std::string>>;

constexpr const char* kSection = "M7LBarcodeDialog/FontReplacements";
constexpr const char* kCountKey = "NrOfFontReplacements";

std::string EntrySection(std::size_t index) {
    return std::string(kSection) + "/" + std::to_string(index);
}

Replacements ListOf(const BarcodeDialog& dialog) {
    Replacements list;
    for (std::size_t i = 0; dialog.GetOriginalFontName(i) != nullptr; ++i) {
        list.emplace_back(dialog.GetOriginalFontName(i), dialog.GetReplacementFontName(i));
    }
    return list;
}

Replacements Numbered(std::size_t count) {
    Replacements list;
    for (std::size_t i = 0; i < count; ++i) {
        list.emplace_back("Font" + std::to_string(i), "ArialMT");
    }
    return list;
}

TEST(BarcodeDialog, KeepsOneInstalledReplacementPerFont) {
    struct Case {
        const char* what;
        Replacements before;
        std::function<host::Error(BarcodeDialog&)> change;
        host::Error result;
        Replacements after;
    };
    const Case cases[] = {
        {"a first font",
         {},
         [](BarcodeDialog& d) { return d.SetFontReplacement("Foo", "ArialMT"); },
         host::kNoError,
         {{"Foo", "ArialMT"}}},
        {"the same font again",
         {{"Foo", "ArialMT"}, {"Bar", "ArialMT"}},
         [](BarcodeDialog& d) { return d.SetFontReplacement("Foo", "Helvetica"); },
         host::kNoError,
         {{"Foo", "Helvetica"}, {"Bar", "ArialMT"}}},
        {"another font goes last",
         {{"Foo", "ArialMT"}},
         [](BarcodeDialog& d) { return d.SetFontReplacement("Bar", "Helvetica-Bold"); },
         host::kNoError,
         {{"Foo", "ArialMT"}, {"Bar", "Helvetica-Bold"}}},
        {"a replacement not installed",
         {{"Foo", "ArialMT"}},
         [](BarcodeDialog& d) { return d.SetFontReplacement("Foo", "Missing"); },
         host::kErrorFontNotFound,
         {{"Foo", "ArialMT"}}},
        {"a new font in a full list", Numbered(BarcodeDialog::kMaxFontReplacements),
         [](BarcodeDialog& d) { return d.SetFontReplacement("Foo", "ArialMT"); },
         host::kErrorNoMemory, Numbered(BarcodeDialog::kMaxFontReplacements)},
        {"a font of a full list", Numbered(BarcodeDialog::kMaxFontReplacements),
         [](BarcodeDialog& d) { return d.SetFontReplacement("Font0", "ArialMT"); }, host::kNoError,
         Numbered(BarcodeDialog::kMaxFontReplacements)},
        {"removing one",
         {{"Foo", "ArialMT"}, {"Bar", "ArialMT"}},
         [](BarcodeDialog& d) {
             d.RemoveFontReplacement("Foo");
             return host::kNoError;
         },
         host::kNoError,
         {{"Bar", "ArialMT"}}},
        {"removing one not there",
         {{"Foo", "ArialMT"}},
         [](BarcodeDialog& d) {
             d.RemoveFontReplacement("Fo");
             return host::kNoError;
         },
         host::kNoError,
         {{"Foo", "ArialMT"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CreationScene scene;
        {
            BarcodeDialog dialog;
            for (const auto& [original, replacement] : c.before) {
                ASSERT_EQ(dialog.SetFontReplacement(original.c_str(), replacement.c_str()),
                          host::kNoError);
            }
            EXPECT_EQ(c.change(dialog), c.result);
            EXPECT_EQ(ListOf(dialog), c.after);
            for (const auto& [original, replacement] : c.after) {
                EXPECT_EQ(dialog.FindFontReplacement(original.c_str()), replacement);
            }
            EXPECT_EQ(dialog.FindFontReplacement("Unknown"), nullptr);
            EXPECT_EQ(dialog.GetReplacementFontName(c.after.size()), nullptr);
        }
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeDialog, LoadsTheStoredReplacementsWhoseFontsAreInstalled) {
    using Seed = std::function<void(standin::PreferenceStore&)>;
    const auto pairs = [](std::int32_t count, Replacements stored) {
        return [=](standin::PreferenceStore& store) {
            store.Put(kSection, kCountKey, count);
            for (std::size_t i = 0; i < stored.size(); ++i) {
                store.Put(EntrySection(i), "OriginalFontName", stored[i].first);
                store.Put(EntrySection(i), "ReplaceFontName", stored[i].second);
            }
        };
    };
    struct Case {
        const char* what;
        Seed seed;
        Replacements loaded;
    };
    const Case cases[] = {
        {"nothing stored", [](standin::PreferenceStore&) {}, {}},
        {"two, in order",
         pairs(2, {{"Foo", "ArialMT"}, {"OCRB", "Helvetica"}}),
         {{"Foo", "ArialMT"}, {"OCRB", "Helvetica"}}},
        {"fewer counted than stored",
         pairs(1, {{"Foo", "ArialMT"}, {"Bar", "ArialMT"}}),
         {{"Foo", "ArialMT"}}},
        {"a font no longer installed",
         pairs(2, {{"Foo", "Gone"}, {"Bar", "ArialMT"}}),
         {{"Bar", "ArialMT"}}},
        {"a name missing",
         pairs(3, {{"Foo", ""}, {"", "ArialMT"}, {"Bar", "ArialMT"}}),
         {{"Bar", "ArialMT"}}},
        {"a name too long for its buffer",
         pairs(2, {{std::string(BarcodeDialog::kFontNameBytes, 'F'), "ArialMT"},
                   {std::string(BarcodeDialog::kFontNameBytes - 1, 'F'), "ArialMT"}}),
         {{std::string(BarcodeDialog::kFontNameBytes - 1, 'F'), "ArialMT"}}},
        {"a count below zero", pairs(-5, {{"Foo", "ArialMT"}}), {}},
        {"a count that is no integer",
         [](standin::PreferenceStore& store) {
             store.Put(kSection, kCountKey, std::string("1"));
             store.Put(EntrySection(0), "OriginalFontName", std::string("Foo"));
             store.Put(EntrySection(0), "ReplaceFontName", std::string("ArialMT"));
         },
         {}},
        {"more stored than are kept", pairs(300, Numbered(300)),
         Numbered(BarcodeDialog::kMaxFontReplacements)},
        {"the largest count", pairs(2147483647, {{"Foo", "ArialMT"}}), {{"Foo", "ArialMT"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        standin::PreferenceStore store;
        c.seed(store);
        CreationScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
        {
            BarcodeDialog dialog;
            EXPECT_EQ(ListOf(dialog), c.loaded);
            // No more than the names of the most replacements kept are read.
            const auto& log = scene.host.Preferences().Log();
            EXPECT_LE(std::count_if(log.begin(), log.end(),
                                    [](const standin::PreferenceAccess& access) {
                                        return access.section.starts_with(kSection);
                                    }),
                      1 + 2 * BarcodeDialog::kMaxFontReplacements);
        }
        scene.ExpectBalancedAndClean();
    }
}

TEST(BarcodeDialog, StoresItsReplacementsForTheNextStart) {
    standin::PreferenceStore store;
    const Replacements kept = {{"Foo", "ArialMT"}, {"OCRB", "Helvetica-Bold"}};
    {
        CreationScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
        gBarcodeDialog = new BarcodeDialog;
        for (const auto& [original, replacement] : kept) {
            gBarcodeDialog->SetFontReplacement(original.c_str(), replacement.c_str());
        }
        delete gBarcodeDialog;
        EXPECT_EQ(gBarcodeDialog, nullptr);
        scene.ExpectBalancedAndClean();
    }
    EXPECT_EQ(store.Get<std::int32_t>(kSection, kCountKey), 2);
    EXPECT_EQ(store.Get<std::string>(EntrySection(1), "OriginalFontName"), "OCRB");
    EXPECT_EQ(store.Get<std::string>(EntrySection(1), "ReplaceFontName"), "Helvetica-Bold");

    CreationScene scene({{"Ebene 1"}}, standin::DefaultFontCatalogue(), &store);
    {
        BarcodeDialog dialog;
        EXPECT_EQ(ListOf(dialog), kept);
        dialog.RemoveFontReplacement("Foo");
    }
    EXPECT_EQ(store.Get<std::int32_t>(kSection, kCountKey), 1);
    EXPECT_EQ(store.Get<std::string>(EntrySection(0), "OriginalFontName"), "OCRB");
    scene.ExpectBalancedAndClean();
}

TEST(BarcodeDialog, NamesTheMissingFontInItsAlert) {
    CreationScene scene;
    {
        BarcodeDialog dialog;
        scene.host.Dialogs().ExpectModal(creationtest::kMissingFontDialog).Press(host::kOkItem);
        dialog.ShowMissingFontAlert("Frutiger-Roman");
    }
    const std::vector<standin::ModalRun>& log = scene.host.Dialogs().ModalLog();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].resourceId, BarcodeDialog::kMissingFontDialogId);
    EXPECT_EQ(log[0].texts.at(creationtest::kMissingFontNameItem), "Frutiger-Roman");
    scene.ExpectBalancedAndClean();
}

}  // namespace
