#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "ApplicationScene.h"
#include "BarCodeList.h"
#include "BarcodeArtList.h"
#include "BarcodeCheckRecord.h"
#include "BarcodeEdgeView.h"
#include "BarcodeFourCC.h"
#include "BarcodeProcessorIdentification.h"
#include "BarcodeProcessorRegistry.h"
#include "M7LBaseADMDialog.h"

namespace {

using apptest::ApplicationScene;
using BarcodeVettrin::BarcodeCheckRecord;
using Strivelo::FourCC;

constexpr std::int32_t kPaletteTemplate = 26000;
constexpr std::int32_t kRightEdge = 232;  // of an entry of the list of the template
constexpr std::uint32_t kBarHeightLabel = 26015;

// A palette of its own around a result list on the check palette's list
// item.
class ListPalette : public M7LBaseADMDialog {
public:
    ListPalette()
        : M7LBaseADMDialog("ListPalette", kPaletteTemplate, 5, "ListPaletteTest", "", 50, 50,
                           false) {
        Show();
        IADMDialog::Show(true);
    }

    host::Error Init() override {
        list = new BarCodeList(apptest::kListItem, this);
        return M7LBaseADMDialog::Init();
    }

    // The entries as drawn now.
    std::vector<standin::EntrySnapshot> Drawn(standin::DialogManager& dialogs) {
        EXPECT_TRUE(dialogs.Draw(GetDialog()));
        return dialogs.View(GetDialog()).items.at(apptest::kListItem).entries;
    }

    BarCodeList* list = nullptr;
};

std::unique_ptr<Strivelo::BarcodeProcessor> Processor(std::int32_t type, const char* code,
                                                      double reductionMm = 0.0,
                                                      double magnification = 1.0,
                                                      double heightMm = 20.0) {
    std::unique_ptr<Strivelo::BarcodeProcessor> processor = Strivelo::CreateByType(type);
    EXPECT_TRUE(processor->SetCode(code));
    processor->SetBarWidthReduction(reductionMm);
    processor->SetMagnification(magnification);
    processor->SetBarHeight(heightMm);
    return processor;
}

// The values a drawn entry shows, line by line.
std::vector<std::string> ValuesOf(const standin::EntrySnapshot& entry) {
    std::vector<std::string> values;
    for (const std::string& line : entry.drawn) {
        std::istringstream fields(line);
        std::string kind;
        int left = 0;
        int top = 0;
        int right = 0;
        int bottom = 0;
        if (fields >> kind >> left >> top >> right >> bottom && kind == "text" && left == 158) {
            std::string value;
            std::getline(fields, value);
            values.push_back(value.empty() ? "" : value.substr(1));
        }
    }
    return values;
}

// An EAN-8 read from the artwork with its third bar half a module wide.
std::unique_ptr<Strivelo::BarcodeProcessor> ReadWithDeviation(ApplicationScene& scene) {
    const host::Art barcode = scene.Draw({FourCC("ean8"), "9638-5074"}, {300, 500});
    scene.WidenBar(barcode, 2, 0.45f);
    std::vector<std::unique_ptr<Strivelo::BarcodeProcessor>> read = scene.ReadAll();
    EXPECT_GT(read.at(0)->GetMaxDeviation(), 0.05);
    return std::move(read.at(0));
}

// A row shows the decoded barcode's values in the host's units; after a
// fix that regenerates the bars, the new reduction and no deviation.
TEST(BarCodeList, ShowsTheValuesOfARow) {
    struct Case {
        const char* what;
        std::function<std::unique_ptr<Strivelo::BarcodeProcessor>(ApplicationScene&)> processor;
        std::function<void(BarcodeCheckRecord&)> fix;
        std::vector<std::string> values;
    };
    const auto none = [](BarcodeCheckRecord&) {};
    const Case cases[] = {
        {"EAN-8",
         [](ApplicationScene&) { return Processor(FourCC("ean8"), "9638-5074", 0.02); },
         none,
         {"EAN 8", "9638-5074", "0.0567 pt", "100.00 %", "56.693 pt", "0.0000 pt", "0.0000 pt"}},
        {"EAN-8 at 80 %",
         [](ApplicationScene&) { return Processor(FourCC("ean8"), "9638-5074", 0, 0.8, 10); },
         none,
         {"EAN 8", "9638-5074", "0.0000 pt", "80.00 %", "28.346 pt", "0.0000 pt", "0.0000 pt"}},
        {"Code 39 with its ratio",
         [](ApplicationScene&) { return Processor(FourCC("3of9"), "ABC"); },
         none,
         {"Code 39 (3 of 9)", "ABC", "0.0000 pt", "100.00 %", "56.693 pt", "2.5000", "0.0000 pt",
          "0.0000 pt"}},
        {"read with a deviation",
         &ReadWithDeviation,
         none,
         {"EAN 8", "9638-5074", "-0.0216 pt", "99.93 %", "0.000 pt", "0.0247 pt", "0.4111 pt"}},
        {"regenerated at a new reduction",
         &ReadWithDeviation,
         [](BarcodeCheckRecord& record) { record.SetNewBarWidthReduction(0.03); },
         {"EAN 8", "9638-5074", "0.0850 pt", "99.93 %", "0.000 pt", "0.0000 pt", "0.0000 pt"}},
        {"regenerated at its own reduction",
         &ReadWithDeviation,
         [](BarcodeCheckRecord& record) { record.RequestRegenerate(); },
         {"EAN 8", "9638-5074", "-0.0216 pt", "99.93 %", "0.000 pt", "0.0000 pt", "0.0000 pt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ApplicationScene scene({.makePalette = false});
        scene.Start();
        const std::unique_ptr<Strivelo::BarcodeProcessor> processor = c.processor(scene);
        ASSERT_NE(processor, nullptr);
        BarcodeCheckRecord record(processor.get());
        c.fix(record);
        auto palette = std::make_unique<ListPalette>();
        palette->list->AddRow(record, BarcodeVettrin::kCheckStatusPassed, true, 0);
        const std::vector<standin::EntrySnapshot> entries = palette->Drawn(scene.dialogs);
        ASSERT_EQ(entries.size(), 1u);
        EXPECT_EQ(ValuesOf(entries[0]), c.values);
        palette.reset();
        scene.ExpectBalancedAndClean();
    }
}

// How an entry draws: background, number, icon, the labelled lines and the
// separator at its bottom.
TEST(BarCodeList, DrawsAnEntry) {
    ApplicationScene scene({.makePalette = false});
    scene.Start();
    const auto processor = Processor(FourCC("ean8"), "9638-5074");
    BarcodeCheckRecord record(processor.get());
    auto palette = std::make_unique<ListPalette>();
    palette->list->AddRow(record, BarcodeVettrin::kCheckStatusFixed, true, 0);
    palette->list->AddRow(record, BarcodeVettrin::kCheckStatusPassed, true, 1);
    ASSERT_TRUE(scene.dialogs.UserSelectEntry(palette->GetDialog(), apptest::kListItem, 1));
    const std::vector<standin::EntrySnapshot> entries = palette->Drawn(scene.dialogs);
    ASSERT_EQ(entries.size(), 2u);
    const std::string right = std::to_string(kRightEdge);
    const std::vector<std::string> expected = {
        "color 1",
        "fill 0 0 " + right + " 120",
        "color 0",
        "text 207 0 " + right + " 11 1",
        "icon 26008 207 2",
        "font 6",
        "text 5 2 155 13 Barcode-Typ:",
        "text 158 2 " + right + " 13 EAN 8",
        "text 5 17 155 28 Code:",
        "text 158 17 " + right + " 28 9638-5074",
        "font 2",
        "text 5 32 155 43 Balkenbreiten-Reduktion:",
        "text 158 32 " + right + " 43 0.0000 pt",
        "text 5 47 155 58 Skalierung:",
        "text 158 47 " + right + " 58 100.00 %",
        "text 5 62 155 73 Balken-Höhe:",
        "text 158 62 " + right + " 73 56.693 pt",
        "text 5 77 155 88 Durchschnittliche Abweichung:",
        "text 158 77 " + right + " 88 0.0000 pt",
        "text 5 92 155 103 Maximale Abweichung:",
        "text 158 92 " + right + " 103 0.0000 pt",
        "line 0 119 " + right + " 119",
    };
    EXPECT_EQ(entries[0].drawn, expected);
    EXPECT_EQ(entries[1].drawn.at(0), "color 2");
    EXPECT_EQ(entries[1].drawn.at(3), "text 207 0 " + right + " 11 2");
    palette.reset();
    scene.ExpectBalancedAndClean();
}

// The icon by the severity, and only where the profile has tests.
TEST(BarCodeList, ShowsTheStatusIcon) {
    struct Case {
        std::int32_t severity;
        bool allowed;
        std::int32_t icon;
    };
    const Case cases[] = {
        {100, true, 26006}, {101, true, 26007}, {102, true, 26008}, {103, true, 26007},
        {200, true, 26007}, {0, true, 0},       {100, false, 0},    {103, false, 0},
    };
    ApplicationScene scene({.makePalette = false});
    scene.Start();
    const auto processor = Processor(FourCC("ean8"), "9638-5074");
    BarcodeCheckRecord record(processor.get());
    auto palette = std::make_unique<ListPalette>();
    for (const Case& c : cases) {
        palette->list->AddRow(record, c.severity, c.allowed, 0);
    }
    const std::vector<standin::EntrySnapshot> entries = palette->Drawn(scene.dialogs);
    ASSERT_EQ(entries.size(), std::size(cases));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        EXPECT_EQ(apptest::IconOf(entries[i]), cases[i].icon)
            << cases[i].severity << " " << cases[i].allowed;
    }
    palette.reset();
    scene.ExpectBalancedAndClean();
}

// The user's pick is the one selected row, also where the labels are
// missing and the host draws the entries; emptied, the list has none.
TEST(BarCodeList, SelectsTheRowThePickedEntryShows) {
    for (const bool labelMissing : {false, true}) {
        SCOPED_TRACE(labelMissing ? "a label missing" : "all labels");
        ApplicationScene scene({.makePalette = false});
        if (labelMissing) {
            scene.resources.RemoveString(kBarHeightLabel);
        }
        scene.Start();
        const auto processor = Processor(FourCC("ean8"), "9638-5074");
        BarcodeCheckRecord record(processor.get());
        auto palette = std::make_unique<ListPalette>();
        EXPECT_EQ(palette->list->GetSelectedIndex(), -1);
        for (const std::size_t barcode : {4, 7, 9}) {
            palette->list->AddRow(record, BarcodeVettrin::kCheckStatusPassed, true, barcode);
        }
        EXPECT_EQ(palette->list->GetSelectedIndex(), -1);
        for (const int row : {2, 0}) {
            ASSERT_TRUE(
                scene.dialogs.UserSelectEntry(palette->GetDialog(), apptest::kListItem, row));
            EXPECT_EQ(palette->list->GetSelectedIndex(), row);
        }
        std::size_t barcode = 0;
        EXPECT_TRUE(palette->list->GetSelectedBarcode(&barcode));
        EXPECT_EQ(barcode, 4u);
        const std::vector<standin::EntrySnapshot> entries = palette->Drawn(scene.dialogs);
        ASSERT_EQ(entries.size(), 3u);
        EXPECT_EQ(apptest::IconOf(entries[0]), labelMissing ? 0 : 26006);

        palette->list->Clear();
        EXPECT_EQ(palette->list->GetSelectedIndex(), -1);
        EXPECT_FALSE(palette->list->GetSelectedBarcode(&barcode));
        EXPECT_TRUE(palette->Drawn(scene.dialogs).empty());
        palette.reset();
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
