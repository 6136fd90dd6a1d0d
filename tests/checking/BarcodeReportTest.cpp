#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "BarcodeCheckTexts.h"
#include "BarcodeFourCC.h"
#include "BarcodeHTMLReport.h"
#include "BarcodeReportInfo.h"
#include "BarcodeReportLabels.h"
#include "BarcodeTextReport.h"
#include "BarcodeXMLReport.h"
#include "M7LTimeStamp.h"
#include "NumericLocale.h"
#include "ReportFixtures.h"
#include "StriveloResources.h"

namespace {

using BarcodeVettrin::BarcodeProfile;
using BarcodeVettrin::BarcodeReport;
using ReportTest::FoundBarcode;

static_assert(std::has_virtual_destructor_v<BarcodeReport>,
              "the check run deletes its writer through the base");

// 2024-03-05T14:07:09Z.
constexpr std::time_t kReportTime = 1709647629;

std::time_t ReportClock() {
    return kReportTime;
}

enum class Kind { kText, kHTML, kXML };

struct WriterKind {
    Kind kind;
    const char* extension;
};

constexpr WriterKind kWriterKinds[] = {
    {Kind::kText, "txt"},
    {Kind::kHTML, "html"},
    {Kind::kXML, "xml"},
};

void PrintTo(const WriterKind& kind, std::ostream* out) {
    *out << kind.extension;
}

std::unique_ptr<BarcodeReport> MakeWriter(Kind kind) {
    switch (kind) {
        case Kind::kText:
            return std::make_unique<BarcodeVettrin::BarcodeTextReport>();
        case Kind::kHTML:
            return std::make_unique<BarcodeVettrin::BarcodeHTMLReport>();
        case Kind::kXML:
            return std::make_unique<BarcodeVettrin::BarcodeXMLReport>();
    }
    return nullptr;
}

// Every XML report must be well-formed and every HTML report parse cleanly.
void ExpectParses(Kind kind, const std::string& text) {
    if (kind == Kind::kXML) {
        EXPECT_EQ(ReportTest::XmllintDiagnostics(text, ""), "") << text;
    } else if (kind == Kind::kHTML) {
        EXPECT_EQ(ReportTest::XmllintDiagnostics(text, "--html"), "") << text;
    }
}

const std::filesystem::path kGoldenFolder =
    std::filesystem::path(__FILE__).parent_path() / "golden";

// Byte for byte; a differing report is left beside the test for a look.
void ExpectGolden(const std::string& actual, const std::string& name) {
    std::ifstream in(kGoldenFolder / name, std::ios::binary);
    EXPECT_TRUE(in) << "no golden file " << name;
    const std::string expected{std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()};
    if (actual != expected) {
        const std::filesystem::path left = std::filesystem::current_path() / (name + ".actual");
        std::ofstream(left, std::ios::binary) << actual;
        ADD_FAILURE() << name << " differs; the report is in " << left << ":\n" << actual;
    }
}

// A decoded barcode of one bar, read from firstBar to lastBar.
std::unique_ptr<FoundBarcode> OneBarBarcode(std::int32_t type, const char* name, const char* code,
                                            Strivelo::BarcodeProcessor::BarBounds firstBar = {},
                                            Strivelo::BarcodeProcessor::BarBounds lastBar = {}) {
    return ReportTest::MakeFoundBarcode({
        .symbol = {.type = type,
                   .name = name,
                   .code = code,
                   .measuredEdges = {0.0, 0.5},
                   .idealEdges = {0.0, 0.5},
                   .magnification = 1.0,
                   .wideNarrowRatio = 0.0},
        .barHeightMm = 10.0,
        .firstBar = firstBar,
        .lastBar = lastBar,
        .barsBox = nullptr,
        .eraseBox = nullptr,
        .pageNumber = nullptr,
    });
}

class ReportWriterTest : public testing::TestWithParam<WriterKind> {
protected:
    void SetUp() override {
        SetResourceModule(StriveloResourceModule());
        BarcodeVettrin::LoadReportTexts();
        SetTimeStampClock(ReportClock);
    }
    void TearDown() override { SetTimeStampClock(nullptr); }

    std::string Golden(const char* scenario) const {
        return std::string("report-") + scenario + "." + GetParam().extension;
    }
    std::unique_ptr<BarcodeReport> Writer() const { return MakeWriter(GetParam().kind); }
    std::string Run(BarcodeProfile& profile,
                    const std::vector<std::unique_ptr<FoundBarcode>>& barcodes, int unitIndex,
                    const char* documentName = ReportTest::kDocumentName) const {
        const std::unique_ptr<BarcodeReport> writer = Writer();
        const std::string text =
            ReportTest::RunReport(*writer, profile, barcodes, unitIndex, documentName);
        ExpectParses(GetParam().kind, text);
        return text;
    }
};

TEST_P(ReportWriterTest, RunWithTestsMatchesItsGolden) {
    const auto profile = ReportTest::LoadScenarioProfile();
    ExpectGolden(
        Run(*profile, ReportTest::MakeTwoBarcodes(), BarcodeVettrin::kBarcodeUnitMillimetre),
        Golden("with-tests"));
}

TEST_P(ReportWriterTest, RunWithTestsIgnoresTheNumericLocale) {
    const GermanNumericLocale german;
    ASSERT_TRUE(german.IsActive())
        << "locale de_DE.UTF-8 is not installed (scripts/install-deps.sh generates it)";
    const auto profile = ReportTest::LoadScenarioProfile();
    ExpectGolden(
        Run(*profile, ReportTest::MakeTwoBarcodes(), BarcodeVettrin::kBarcodeUnitMillimetre),
        Golden("with-tests"));
}

// No profile section, no messages and no status; lengths in mil.
TEST_P(ReportWriterTest, RunWithoutEnabledTestsMatchesItsGolden) {
    BarcodeProfile profile;
    ExpectGolden(Run(profile, ReportTest::MakeTwoBarcodes(), BarcodeVettrin::kBarcodeUnitMil),
                 Golden("without-tests"));
}

TEST_P(ReportWriterTest, EmptyRunParsesAndItsXMLMatchesItsGolden) {
    BarcodeProfile profile;
    const std::string text = Run(profile, {}, BarcodeVettrin::kBarcodeUnitMillimetre, "");
    if (GetParam().kind == Kind::kXML) {
        ExpectGolden(text, "report-empty-run.xml");
    }
}

// Codes, names and message texts never break the mark-up; the text report
// copies them as they are.
TEST_P(ReportWriterTest, EscapesInsertedTexts) {
    std::vector<std::unique_ptr<FoundBarcode>> barcodes;
    barcodes.push_back(OneBarBarcode(Strivelo::FourCC("ms7b"), "MS <7B>", "A<&>\"B"));
    const auto profile = ReportTest::LoadScenarioProfile();
    ASSERT_EQ(profile->SetProfileName("<\"Profil\" & Co>"), 0);
    const std::string text =
        Run(*profile, barcodes, BarcodeVettrin::kBarcodeUnitMillimetre, "a<b>&\"c\".ai");
    switch (GetParam().kind) {
        case Kind::kText:
            EXPECT_NE(text.find("Code = A<&>\"B\r\n"), std::string::npos);
            EXPECT_NE(text.find("Barcode-Typ = Marks & Spencer 7B\r\n"), std::string::npos);
            EXPECT_NE(text.find("Dokumentname = a<b>&\"c\".ai\r\n"), std::string::npos);
            break;
        case Kind::kHTML:
            EXPECT_NE(text.find("<b>Code = A&lt;&amp;&gt;&quot;B<br></b>\n"), std::string::npos);
            EXPECT_NE(text.find("<b>Barcode-Typ = Marks &amp; Spencer 7B<br></b>\n"),
                      std::string::npos);
            EXPECT_NE(text.find("<b>Dokumentname = a&lt;b&gt;&amp;&quot;c&quot;.ai<br></b>\n"),
                      std::string::npos);
            EXPECT_NE(text.find("<b>Profilname = &lt;&quot;Profil&quot; &amp; Co&gt;<br></b>\n"),
                      std::string::npos);
            break;
        case Kind::kXML:
            EXPECT_NE(text.find("<Code>A&lt;&amp;&gt;&quot;B</Code>\n"), std::string::npos);
            EXPECT_NE(text.find("<Type>MS &lt;7B&gt;</Type>\n"), std::string::npos);
            EXPECT_NE(text.find("  <DocumentName>a&lt;b&gt;&amp;&quot;c&quot;.ai</DocumentName>\n"),
                      std::string::npos);
            EXPECT_NE(
                text.find("  <ProfileName>&lt;&quot;Profil&quot; &amp; Co&gt;</ProfileName>\n"),
                std::string::npos);
            break;
    }
}

struct StatusCase {
    std::int32_t status;
    const char* text;
    const char* html;
    const char* xml;
};

TEST_P(ReportWriterTest, WritesTheOverallStatusOnlyAsFarAsItIsKnown) {
    const StatusCase cases[] = {
        {0, "", "", ""},
        {100, "Globaler Status OK\r\n", "Globaler Status OK<br>\n",
         "<ProfileOverallStatus>OK</ProfileOverallStatus>\n"},
        {101, "Globaler Status WARNUNG\r\n", "Globaler Status <b><i>WARNUNG</i></b>\n<br>\n",
         "<ProfileOverallStatus>WARNING</ProfileOverallStatus>\n"},
        {102, "Globaler Status \r\n", "Globaler Status <br>\n",
         "<ProfileOverallStatus></ProfileOverallStatus>\n"},
        {103, "Globaler Status FEHLER\r\n", "Globaler Status <b><i>FEHLER</i></b>\n<br>\n",
         "<ProfileOverallStatus>ERROR</ProfileOverallStatus>\n"},
        {200, "Globaler Status \r\n", "Globaler Status <br>\n",
         "<ProfileOverallStatus></ProfileOverallStatus>\n"},
    };
    for (const StatusCase& c : cases) {
        const std::unique_ptr<BarcodeReport> writer = Writer();
        EXPECT_TRUE(writer->WriteOverallMessages({}, c.status));
        const char* expected = GetParam().kind == Kind::kText   ? c.text
                               : GetParam().kind == Kind::kHTML ? c.html
                                                                : c.xml;
        EXPECT_EQ(writer->GetText(), expected) << c.status;
    }
}

struct OrientationCase {
    Strivelo::BarcodeProcessor::BarBounds firstBar;
    Strivelo::BarcodeProcessor::BarBounds lastBar;
    const char* label;
    const char* keyword;
};

TEST_P(ReportWriterTest, NamesTheReadingDirection) {
    const OrientationCase cases[] = {
        {{0, 10, 1, 0}, {5, 10, 6, 0}, "Links nach Rechts", "LeftToRight"},
        {{0, 1, 10, 0}, {0, 6, 10, 5}, "Unten nach Oben", "BottomToTop"},
        {{5, 10, 6, 0}, {0, 10, 1, 0}, "Rechts nach Links", "RightToLeft"},
        {{0, 6, 10, 5}, {0, 1, 10, 0}, "Oben nach Unten", "TopToBottom"},
        {{0, 1, 1, 0}, {5, 6, 6, 5}, "Illegal", "Illegal"},
    };
    for (const OrientationCase& c : cases) {
        const auto barcode =
            OneBarBarcode(Strivelo::FourCC("c128"), "Code 128", "X", c.firstBar, c.lastBar);
        const std::unique_ptr<BarcodeReport> writer = Writer();
        EXPECT_TRUE(writer->WriteBarcodeData(barcode->record));
        const std::string line =
            GetParam().kind == Kind::kText ? std::string("Orientierung = ") + c.label + "\r\n"
            : GetParam().kind == Kind::kHTML
                ? std::string("Orientierung = ") + c.label + "<br>\n"
                : std::string("<Orientation>") + c.keyword + "</Orientation>\n";
        EXPECT_NE(writer->GetText().find(line), std::string::npos) << writer->GetText();
    }
}

INSTANTIATE_TEST_SUITE_P(Writers, ReportWriterTest, testing::ValuesIn(kWriterKinds),
                         [](const testing::TestParamInfo<WriterKind>& info) {
                             return std::string(info.param.extension);
                         });

// A barcode that was never decoded has no code, no name and no direction.
TEST(XMLReportTest, UndecodedBarcodeHasDashesForItsType) {
    SetResourceModule(StriveloResourceModule());
    ReportTest::ReportTestSymbology processor({.type = Strivelo::FourCC("c128"),
                                               .name = "Code 128",
                                               .code = "X",
                                               .measuredEdges = {},
                                               .idealEdges = {},
                                               .magnification = 1.0,
                                               .wideNarrowRatio = 0.0});
    BarcodeVettrin::BarcodeCheckRecord record(&processor);
    BarcodeVettrin::BarcodeXMLReport writer;
    EXPECT_TRUE(writer.WriteBarcodeData(record));
    EXPECT_EQ(writer.GetText().rfind("<Type>--------</Type>\n<Code></Code>\n", 0), 0u);
    EXPECT_NE(writer.GetText().find("<Orientation>Illegal</Orientation>\n"), std::string::npos);
}

// Names that are not valid UTF-8, or hold characters XML does not allow,
// still give a well-formed document.
TEST(XMLReportTest, ReplacesWhatXMLCannotHold) {
    SetResourceModule(StriveloResourceModule());
    struct Case {
        const char* name;
        const char* written;
    };
    const Case cases[] = {
        {"bad\xFF\x01name", "bad\xEF\xBF\xBD\xEF\xBF\xBDname"},
        {"Tab\tgut\x02 \xC3\xA4\xEF\xBF\xBF", "Tab\tgut\xEF\xBF\xBD \xC3\xA4\xEF\xBF\xBD"},
        {"\xC3\xA4 & \xF0\x9F\x93\xA6", "\xC3\xA4 &amp; \xF0\x9F\x93\xA6"},
    };
    for (const Case& c : cases) {
        BarcodeVettrin::BarcodeXMLReport writer;
        BarcodeVettrin::BarcodeReportInfo info;
        info.SetDocumentName(c.name);
        EXPECT_TRUE(writer.BeginDocument());
        EXPECT_TRUE(writer.WriteReportInfo(info));
        EXPECT_TRUE(writer.EndDocument());
        const std::string text = writer.GetText();
        EXPECT_NE(text.find(std::string("<DocumentName>") + c.written + "</DocumentName>"),
                  std::string::npos)
            << text;
        EXPECT_EQ(ReportTest::XmllintDiagnostics(text, ""), "") << text;
    }
}

// The HTML report declares its encoding, so that an HTML parser reads the
// labels and names with umlauts as they were written.
TEST(HTMLReportTest, ParserReadsUmlautsAsWritten) {
    SetResourceModule(StriveloResourceModule());
    BarcodeVettrin::LoadReportTexts();
    const auto profile = ReportTest::LoadScenarioProfile();
    ASSERT_EQ(profile->SetProfileName("M\xC3\xBCller"), 0);
    BarcodeVettrin::BarcodeHTMLReport writer;
    const std::string read = ReportTest::HtmlParserText(
        ReportTest::RunReport(writer, *profile, ReportTest::MakeTwoBarcodes(),
                              BarcodeVettrin::kBarcodeUnitMillimetre, ReportTest::kDocumentName));
    for (const char* written :
         {"Dokumentname = Verpackung M\xC3\xBCller & S\xC3\xB6hne.ai", "Profilname = M\xC3\xBCller",
          "Balken-H\xC3\xB6he = ", "Breit-/Schmal-Verh\xC3\xA4ltnis = ",
          "Bounding Box l\xC3\xB6schen = "}) {
        EXPECT_NE(read.find(written), std::string::npos) << written << " not in:\n" << read;
    }
}

// A code holds whatever the bars carry; no code breaks the parser of an
// HTML or XML report.
TEST(ReportTest, HostileCodesKeepTheReportParseable) {
    SetResourceModule(StriveloResourceModule());
    BarcodeVettrin::LoadReportTexts();
    const char* const codes[] = {
        "A\x01\x02\x1B[31m\x7F",
        "\xFF\xFE not UTF-8 \xC3",
        "\xED\xA0\x80 encoded surrogate",
        "\xEF\xBF\xBE\xEF\xBF\xBF",
        "</b></i><script>x</script>&amp;&#0;",
        "]]> <![CDATA[",
        "a\rb\tc\n",
    };
    for (const Kind kind : {Kind::kHTML, Kind::kXML}) {
        for (const char* code : codes) {
            SCOPED_TRACE(testing::PrintToString(std::string(code)));
            std::vector<std::unique_ptr<FoundBarcode>> barcodes;
            barcodes.push_back(OneBarBarcode(Strivelo::FourCC("c128"), "Code 128", code));
            ASSERT_STREQ(barcodes.front()->processor->GetCode(), code);
            const auto profile = ReportTest::LoadScenarioProfile();
            const std::unique_ptr<BarcodeReport> writer = MakeWriter(kind);
            ExpectParses(kind, ReportTest::RunReport(*writer, *profile, barcodes,
                                                     BarcodeVettrin::kBarcodeUnitMillimetre,
                                                     ReportTest::kDocumentName));
        }
    }
}

// Without any label the table is read again on the next use, and once
// loaded never again.
TEST(ReportLabelsTest, LoadsAgainUntilTheLabelsAreThere) {
    BarcodeVettrin::BarcodeReportLabels labels;
    SetResourceModule(nullptr);
    labels.Load();
    EXPECT_STREQ(labels.Get(BarcodeVettrin::BarcodeReportLabel::kType), "");
    SetResourceModule(StriveloResourceModule());
    labels.Load();
    EXPECT_STREQ(labels.Get(BarcodeVettrin::BarcodeReportLabel::kType), "Barcode-Typ");
    EXPECT_STREQ(labels.Get(BarcodeVettrin::BarcodeReportLabel::kEraseBox), "Bounding Box löschen");
    const M7LResourceString others[] = {{21001, "anders"}};
    const M7LResourceModule module{others, std::size(others)};
    SetResourceModule(&module);
    labels.Load();
    EXPECT_STREQ(labels.Get(BarcodeVettrin::BarcodeReportLabel::kType), "Barcode-Typ");
    SetResourceModule(StriveloResourceModule());
}

// Counts its entries and can be told that it is not ready.
class EntryReport : public BarcodeReport {
public:
    bool IsReady() const override { return ready; }
    bool BeginBarcode() override {
        Append("<entry>");
        return true;
    }

    bool ready = true;
};

TEST(ReportBaseTest, StartBarcodeBeginsAnEntryAndAWriterNotReadyGivesNoText) {
    EntryReport report;
    EXPECT_TRUE(report.StartBarcode());
    EXPECT_EQ(report.GetText(), "<entry>");
    report.ready = false;
    EXPECT_EQ(report.GetText(), "");
    BarcodeReport base;
    EXPECT_TRUE(base.StartBarcode());
    EXPECT_TRUE(base.WriteSeparator());
    EXPECT_TRUE(base.EndDocument());
    EXPECT_EQ(base.GetText(), "");
}

}  // namespace
