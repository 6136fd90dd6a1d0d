#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ApplicationScene.h"
#include "BarcodeFourCC.h"
#include "BarcodeProfile.h"
#include "TempFolder.h"
#include "Xmllint.h"
#include "host/HostPolicies.h"

namespace {

using apptest::ApplicationScene;
using apptest::Barcode;
using BarcodeVettrin::BarcodeProfile;
using Strivelo::FourCC;

const std::filesystem::path kGoldenFolder = STRIVELO_APPLICATION_GOLDEN_FOLDER;

const Barcode kEan8{FourCC("ean8"), "9638-5074"};
const Barcode kEan8Reduced{FourCC("ean8"), "9638-5074", 0.02};
const Barcode kUpcA{FourCC("upca"), "0-36000-29145-2"};
const Barcode kEan13{FourCC("eanD"), "4-006381-333931"};

constexpr double kReductionMm = 0.02;
constexpr double kReadReductionToleranceMm = 1e-4;

// The check of the issue: two EAN-8 on layer A, the first without and the
// second with the wanted bar width reduction, a UPC-A on layer B and an
// EAN-13 on hidden layer C; the profile wants three EAN-8 at 0.02 mm and
// fixes the reduction.
class CheckRun {
public:
    explicit CheckRun(std::string documentPath = "/Auftrag/Etiketten.ai")
        : scene({.layers = {{"A"}, {"B"}, {"C"}}, .documentPath = std::move(documentPath)}) {
        first = scene.Draw(kEan8, {100, 1000}, 0);
        second = scene.Draw(kEan8Reduced, {100, 800}, 0);
        third = scene.Draw(kUpcA, {100, 600}, 1);
        scene.Draw(kEan13, {100, 400}, 2);
        EXPECT_EQ(scene.store.SetLayerFlag(apptest::kCall, scene.Layer(2),
                                           &standin::LayerRecord::visible, false),
                  host::kNoError);
        scene.Start();
        scene.Palette().SetProfile(MakeProfile().release());
    }

    static std::unique_ptr<BarcodeProfile> MakeProfile() {
        auto profile = std::make_unique<BarcodeProfile>();
        profile->SetProfileName("Etiketten <EAN-8>");
        profile->countTest.SetEnableTest(true);
        profile->countTest.SetNrOfBarcodesInDocument(3);
        profile->typeTest.SetEnableTest(true);
        profile->typeTest.SetBarcodeType(FourCC("ean8"));
        profile->barWidthReductionTest.SetEnableTest(true);
        profile->barWidthReductionTest.SetEnableFix(true);
        profile->barWidthReductionTest.SetBarWidthReduction(kReductionMm);
        return profile;
    }

    // Every segment of every path under art, in tree order.
    std::vector<host::PathSegment> Points(host::Art art) const {
        std::vector<host::PathSegment> points;
        const standin::ArtRecord& record = scene.Record(art);
        points.insert(points.end(), record.segments.begin(), record.segments.end());
        for (const host::Art child : record.children) {
            const std::vector<host::PathSegment> more = Points(child);
            points.insert(points.end(), more.begin(), more.end());
        }
        return points;
    }

    ApplicationScene scene;
    host::Art first;
    host::Art second;
    host::Art third;
};

TEST(CheckRun, ChecksFixesListsAndReportsTheVisibleBarcodes) {
    CheckRun run;
    ApplicationScene& scene = run.scene;
    const TempFolder folder;
    const std::string reportPath = folder / "r.txt";
    const std::vector<host::PathSegment> secondBefore = run.Points(run.second);
    scene.Palette().SetGenerateReportOnSelect(true);
    scene.host.FileDialogs().Choose(reportPath);

    scene.Press(apptest::kCheckItem);

    ASSERT_EQ(scene.host.FileDialogs().Requests().size(), 1u);
    const standin::FileDialogRequest& request = scene.host.FileDialogs().Requests()[0];
    EXPECT_TRUE(request.save);
    EXPECT_EQ(request.message, "select report file");
    EXPECT_EQ(request.defaultName, "VettrinReport.txt");
    EXPECT_EQ(request.filters, (std::vector<std::pair<std::string, std::string>>{
                                   {"Text Files (*.txt)", "*.txt"}, {"All Files", "*.*"}}));

    ASSERT_TRUE(scene.dialogs.Draw(scene.PaletteDialog()));
    const standin::DialogSnapshot palette = scene.ViewPalette();
    const std::vector<standin::EntrySnapshot>& rows = palette.items.at(apptest::kListItem).entries;
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(apptest::IconOf(rows[0]), 26008);  // fixed
    EXPECT_EQ(apptest::IconOf(rows[1]), 26006);  // passed
    EXPECT_EQ(apptest::IconOf(rows[2]), 26007);  // not an EAN-8
    EXPECT_EQ(palette.items.at(apptest::kStatusItem).picture, 26007);
    EXPECT_TRUE(palette.items.at(apptest::kStatusItem).enabled);
    EXPECT_EQ(palette.items.at(apptest::kCountItem).text, "3");
    for (const std::int32_t button :
         {apptest::kSelectItem, apptest::kReportItem, apptest::kTransferItem}) {
        EXPECT_TRUE(palette.items.at(button).enabled) << button;
    }

    const std::string report = ReadFile(reportPath);
    EXPECT_EQ(report, ReadFile((kGoldenFolder / "check-run.txt").string()));

    // The fixed barcode reads at the wanted reduction; the one that had it
    // was not touched.
    const auto read = scene.ReadAll();
    ASSERT_EQ(read.size(), 3u);
    ASSERT_NE(read[0], nullptr);
    EXPECT_EQ(read[0]->GetType(), FourCC("ean8"));
    EXPECT_NEAR(read[0]->GetBarWidthReduction(), kReductionMm, kReadReductionToleranceMm);
    EXPECT_EQ(run.Points(run.second), secondBefore);
    scene.ExpectBalancedAndClean();
}

// Each format and unit goes to its own file type and mark-up, which parses.
TEST(CheckRun, WritesEachReportFormat) {
    struct Case {
        std::int32_t mode;
        std::int32_t units;
        const char* defaultName;
        const char* pattern;
        const char* xmllintOptions;  // null for plain text
        const char* contains;
    };
    const Case cases[] = {
        {1, 2, "R_Etiketten_x.txt", "*.txt", nullptr, "Balkenbreiten-Reduktion = 0.00200 cm\r\n"},
        {2, 1, "R_Etiketten_x.html", "*.html;*.htm", "--html --noout", "<hr>"},
        {3, 5, "R_Etiketten_x.xml", "*.xml", "--noout", " mil</"},
        {7, 1, "R_Etiketten_x.txt", "*.txt", nullptr, "Code = 9638-5074\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultName);
        CheckRun run;
        ApplicationScene& scene = run.scene;
        const TempFolder folder;
        const std::string reportPath = folder / "report";
        scene.Palette().SetReportMode(c.mode);
        scene.Palette().SetReportUnits(c.units);
        scene.Palette().SetReportName("R_", true, "_x");
        scene.host.FileDialogs().Choose(reportPath);
        // Held, the modifier turns "no report" into a report.
        scene.dialogs.HoldModifiers(host::kTrackerAltKey);
        scene.Press(apptest::kCheckItem);
        scene.dialogs.HoldModifiers(0);

        ASSERT_EQ(scene.host.FileDialogs().Requests().size(), 1u);
        EXPECT_EQ(scene.host.FileDialogs().Requests()[0].defaultName, c.defaultName);
        EXPECT_EQ(scene.host.FileDialogs().Requests()[0].filters[0].second, c.pattern);
        const std::string report = ReadFile(reportPath);
        EXPECT_NE(report.find(c.contains), std::string::npos) << report;
        if (c.xmllintOptions != nullptr) {
            EXPECT_EQ(RunXmllint(c.xmllintOptions, reportPath).diagnostics, "");
        }
        scene.ExpectBalancedAndClean();
    }
}

// A code that holds mark-up characters never breaks the report's mark-up.
TEST(CheckRun, EscapesTheCodeInMarkUp) {
    struct Case {
        std::int32_t mode;
        const char* xmllintOptions;
        const char* contains;
    };
    const Case cases[] = {
        {1, nullptr, "Code = A<&>\"B\r\n"},
        {2, "--html --noout", "<b>Code = A&lt;&amp;&gt;&quot;B<br></b>\n"},
        {3, "--noout", "<Code>A&lt;&amp;&gt;&quot;B</Code>\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        ApplicationScene scene;
        scene.Draw({FourCC("c128"), "A<&>\"B"}, {100, 500});
        scene.Start();
        const TempFolder folder;
        const std::string reportPath = folder / "report";
        scene.Palette().SetReportMode(c.mode);
        scene.Palette().SetGenerateReportOnSelect(true);
        scene.host.FileDialogs().Choose(reportPath);
        scene.Press(apptest::kCheckItem);
        const std::string report = ReadFile(reportPath);
        EXPECT_NE(report.find(c.contains), std::string::npos) << report;
        if (c.xmllintOptions != nullptr) {
            EXPECT_EQ(RunXmllint(c.xmllintOptions, reportPath).diagnostics, "");
        }
        scene.ExpectBalancedAndClean();
    }
}

// A fix the artwork does not take is no fix: the barcode fails, and its row
// shows what the bars still measure.
TEST(CheckRun, ReportsAFixThatCouldNotBeMadeAsFailed) {
    ApplicationScene scene;
    const host::Art barcode = scene.Draw(kEan8, {100, 500});
    ASSERT_EQ(scene.store.SetLayerFlag(apptest::kCall, scene.Layer(),
                                       &standin::LayerRecord::editable, false),
              host::kNoError);
    scene.Start();
    scene.Palette().SetProfile(CheckRun::MakeProfile().release());
    const auto points = [&scene, barcode] {
        std::vector<std::vector<host::PathSegment>> bars;
        for (const host::Art bar : scene.Record(scene.BarsOf(barcode)).children) {
            bars.push_back(scene.Record(bar).segments);
        }
        return bars;
    };
    const auto before = points();
    scene.Press(apptest::kCheckItem);
    ASSERT_TRUE(scene.dialogs.Draw(scene.PaletteDialog()));
    const standin::DialogSnapshot palette = scene.ViewPalette();
    const std::vector<standin::EntrySnapshot>& rows = palette.items.at(apptest::kListItem).entries;
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(apptest::IconOf(rows[0]), 26007);
    const auto shows = [&rows](const std::string& text) {
        return std::find_if(rows[0].drawn.begin(), rows[0].drawn.end(), [&text](const auto& line) {
                   return line.ends_with(text);
               }) != rows[0].drawn.end();
    };
    EXPECT_TRUE(shows(" 43 0.0000 pt"));  // the reduction measured, not the one asked for
    EXPECT_FALSE(shows(" 0.0567 pt"));
    EXPECT_EQ(palette.items.at(apptest::kStatusItem).picture, 26007);
    EXPECT_EQ(points(), before);
    scene.ExpectBalancedAndClean();
}

// A document without barcodes: nothing to list, and the document's tests
// decide the status.
TEST(CheckRun, ReportsTheDocumentWithoutBarcodes) {
    ApplicationScene scene;
    scene.Start();
    BarcodeProfile* profile = scene.Palette().GetProfile();
    profile->countTest.SetEnableTest(true);
    profile->countTest.SetNrOfBarcodesInDocument(1);
    scene.Press(apptest::kCheckItem);
    const standin::DialogSnapshot palette = scene.ViewPalette();
    EXPECT_TRUE(palette.items.at(apptest::kListItem).entries.empty());
    EXPECT_EQ(palette.items.at(apptest::kCountItem).text, "0");
    EXPECT_EQ(palette.items.at(apptest::kStatusItem).picture, 26007);
    EXPECT_TRUE(palette.items.at(apptest::kStatusItem).enabled);
    for (const std::int32_t button :
         {apptest::kSelectItem, apptest::kReportItem, apptest::kTransferItem}) {
        EXPECT_FALSE(palette.items.at(button).enabled) << button;
    }
    scene.ExpectBalancedAndClean();
}

// A profile without enabled tests: no status anywhere, and a report of the
// head and the barcodes' data alone.
TEST(CheckRun, ReportsOnlyDataWithoutTests) {
    ApplicationScene scene({.documentPath = "/Auftrag/Etiketten.ai"});
    scene.Draw(kEan8, {100, 500});
    scene.Start();
    const TempFolder folder;
    scene.Palette().SetGenerateReportOnSelect(true);
    scene.host.FileDialogs().Choose(folder / "r.txt");
    scene.Press(apptest::kCheckItem);
    ASSERT_TRUE(scene.dialogs.Draw(scene.PaletteDialog()));
    const standin::DialogSnapshot palette = scene.ViewPalette();
    ASSERT_EQ(palette.items.at(apptest::kListItem).entries.size(), 1u);
    EXPECT_EQ(apptest::IconOf(palette.items.at(apptest::kListItem).entries[0]), 0);
    EXPECT_FALSE(palette.items.at(apptest::kStatusItem).enabled);
    EXPECT_FALSE(palette.items.at(apptest::kProfileNameItem).enabled);
    const std::string report = ReadFile(folder / "r.txt");
    EXPECT_NE(report.find("Dokumentname = Etiketten.ai\r\n"), std::string::npos);
    EXPECT_NE(report.find("Code = 9638-5074\r\n"), std::string::npos);
    for (const char* absent : {"Profilname", "FEHLER", "Globaler Status"}) {
        EXPECT_EQ(report.find(absent), std::string::npos) << absent;
    }
    scene.ExpectBalancedAndClean();
}

// The report button reports the barcodes of the last check as they are,
// fixing nothing; after the document changed there are none; a cancelled
// file dialog writes nothing, and a file that cannot be written is told.
TEST(CheckRun, ReportsTheBarcodesOfTheLastCheck) {
    enum class Before { kNothing, kDocumentChanged };
    struct Case {
        const char* what;
        Before before;
        bool cancel;
        bool writable;
        std::vector<const char*> contains;
        std::vector<const char*> lacks;
    };
    const Case cases[] = {
        {"after the check",
         Before::kNothing,
         false,
         true,
         {"Profilname = Etiketten <EAN-8>", "Code = 0-36000-29145-2",
          "Barcode 'Typ' entspricht nicht", "Globaler Status FEHLER"},
         {}},
        {"after the document changed",
         Before::kDocumentChanged,
         false,
         true,
         {"Profilname = Etiketten <EAN-8>", "weniger Barcodes", "Globaler Status FEHLER"},
         {"Code = "}},
        {"cancelled", Before::kNothing, true, true, {}, {}},
        {"to no folder", Before::kNothing, false, false, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CheckRun run;
        ApplicationScene& scene = run.scene;
        scene.Press(apptest::kCheckItem);
        const std::vector<host::PathSegment> fixed = run.Points(run.first);
        if (c.before == Before::kDocumentChanged) {
            scene.host.Notify(host::kDocumentChangedNotifier);
        }
        const TempFolder folder;
        const std::string path =
            c.writable ? folder / "r.txt" : (folder.Path() / "kein Ordner" / "r.txt").string();
        if (c.cancel) {
            scene.host.FileDialogs().Cancel();
        } else {
            scene.host.FileDialogs().Choose(path);
        }
        if (!c.writable) {
            scene.dialogs.ExpectModal(apptest::kErrorDialog).Press(host::kOkItem);
        }

        EXPECT_EQ(scene.Palette().WriteReport(), 1);

        EXPECT_EQ(run.Points(run.first), fixed);
        const std::string report = ReadFile(path);
        EXPECT_EQ(report.empty(), c.cancel || !c.writable);
        EXPECT_TRUE(std::filesystem::is_empty(folder.Path()) == (c.cancel || !c.writable));
        for (const char* text : c.contains) {
            EXPECT_NE(report.find(text), std::string::npos) << text;
        }
        for (const char* text : c.lacks) {
            EXPECT_EQ(report.find(text), std::string::npos) << text;
        }
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
