#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "BarcodeFourCC.h"
#include "BarcodeProfile.h"
#include "FileText.h"
#include "M7LFailure.h"
#include "M7LIO_StructuredIOXML.h"
#include "M7LTimeStamp.h"
#include "M7L_FileSpecificationNative.h"
#include "NumericLocale.h"
#include "RecordingReceiver.h"
#include "TempFolder.h"
#include "Xmllint.h"

namespace BarcodeVettrin {
namespace {

using Strivelo::FourCC;

const std::filesystem::path kGoldenFolder =
    std::filesystem::path(__FILE__).parent_path() / "golden";

// 2024-02-29T23:59:58Z
constexpr std::time_t kGoldenTime = 1709251198;
// 2024-03-01T10:00:00Z
constexpr std::time_t kStepsStart = 1709287200;
constexpr std::time_t kSecondsPerMinute = 60;
// The longest text value a profile file holds.
constexpr std::size_t kLongestTextBytes = kM7LIO_XMLMaxStringBytes;

std::time_t gNow = kGoldenTime;

std::time_t TestClock() {
    return gNow;
}

// Empty when xmllint finds the file well-formed; a missing xmllint fails.
std::string XmllintDiagnostics(const std::string& path) {
    return RunXmllint("--noout", path).diagnostics;
}

// Every value of the profile, in file order, as the profile produces it.
std::vector<std::string> Snapshot(BarcodeProfile& profile) {
    RecordingReceiver receiver({});
    EXPECT_TRUE(profile.Produce(&receiver, BarcodeProfile::kRootName));
    return receiver.Log();
}

std::set<std::string> FilesIn(const TempFolder& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

void RemoveFiles(const TempFolder& folder) {
    for (const std::string& name : FilesIn(folder)) {
        std::filesystem::remove_all(folder.Path() / name);
    }
}

std::string LeafName(const M7L_FileSpecificationNative& spec) {
    const char* path = spec.GetAnsiPath();
    return path != nullptr ? std::filesystem::path(path).filename().string() : "";
}

// A non-default value in every setting, texts with the characters XML
// reserves, reals with the file's seven decimals.
void ChangeEverySetting(BarcodeProfile& p) {
    p.SetProfileName(
        "Etiketten & <Co> \"S\xC3\xBC"
        "d\" 'A'");
    p.allEqualTest.SetEnableTest(true);
    p.countTest.SetEnableFix(true);
    p.countTest.SetNrOfBarcodesInDocument(7);
    p.typeTest.SetEnableTest(true);
    p.typeTest.SetEnableFix(true);
    p.typeTest.SetBarcodeType(FourCC("eanD"));
    p.codeTest.SetEnableTest(true);
    p.codeTest.SetBarcodeCode("4-0<&>\"'*");
    p.barWidthReductionTest.SetEnableTest(true);
    p.barWidthReductionTest.SetEnableFix(true);
    p.barWidthReductionTest.SetBarWidthReduction(0.0352778);
    p.barHeightTest.SetEnableTest(true);
    p.barHeightTest.SetMinimumBarHeight(12.5);
    p.barHeightTest.SetMaximumBarHeight(30.1234567);
    p.magnificationTest.SetEnableFix(true);
    p.magnificationTest.SetMinimumMagnification(0.8);
    p.magnificationTest.SetMaximumMagnification(1.2);
    p.wideNarrowRatioTest.SetEnableTest(true);
    p.wideNarrowRatioTest.SetMinimumWideNarrowRatio(2.25);
    p.wideNarrowRatioTest.SetMaximumWideNarrowRatio(0.0);
    p.deviationTest.SetEnableTest(true);
    p.deviationTest.SetEnableFix(true);
    p.deviationTest.SetDeviation(-0.0123);
    p.oneColorTest.SetEnableFix(true);
    p.overprintTest.SetEnableTest(true);
    p.overprintTest.SetOverprintOnly(true);
}

class ProfileFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        gNow = kGoldenTime;
        SetTimeStampClock(TestClock);
    }
    void TearDown() override { SetTimeStampClock(nullptr); }

    M7L_FileSpecificationNative Spec(const std::string& name) const {
        return M7L_FileSpecificationNative((folder_ / name).c_str());
    }
    std::string Path(const std::string& name) const { return folder_ / name; }

    TempFolder folder_;
};

TEST_F(ProfileFileTest, DefaultProfileFile) {
    const std::string golden = ReadFile(kGoldenFolder / "default-profile.bcp");
    ASSERT_FALSE(golden.empty());

    // Changed, so saved with a checksum and the time of the save.
    BarcodeProfile changed;
    changed.MarkModified();
    ASSERT_TRUE(changed.SaveAs(Spec("changed.bcp")));
    EXPECT_EQ(ReadFile(Path("changed.bcp")), golden);
    EXPECT_EQ(XmllintDiagnostics(Path("changed.bcp")), "");

    // Never changed: no checksum and no save time.
    std::string neverChanged = golden;
    neverChanged.replace(neverChanged.find("2024-02-29T23:59:58Z"), 20, "");
    neverChanged.replace(neverChanged.find("-1010813254"), 11, "0");
    BarcodeProfile fresh;
    ASSERT_TRUE(fresh.SaveAs(Spec("fresh.bcp")));
    EXPECT_EQ(ReadFile(Path("fresh.bcp")), neverChanged);
    EXPECT_EQ(XmllintDiagnostics(Path("fresh.bcp")), "");

    BarcodeProfile loaded;
    ASSERT_TRUE(loaded.Load(Spec("changed.bcp")));
    EXPECT_EQ(loaded.GetProfileCheckSum(), -1010813254);
    EXPECT_STREQ(loaded.GetProfileSaveTime(), "2024-02-29T23:59:58Z");
}

struct CheckSumCase {
    const char* name;
    std::function<void(BarcodeProfile&)> configure;
    std::uint32_t checkSum;
};

void EnableEveryTest(BarcodeProfile& p) {
    for (BarcodeProfileBaseTest* test : p.GetTests()) {
        test->SetEnableTest(true);
    }
}

// CRC-32 vectors worked out independently of this code.
const CheckSumCase kCheckSumCases[] = {
    {"EveryTestDisabled", [](BarcodeProfile& p) { p.MarkModified(); }, 0xc3c036ba},
    {"EveryTestEnabledWithDefaults", EnableEveryTest, 0x4e3ddd89},
    {"TypeTestWithFixForEan13",
     [](BarcodeProfile& p) {
         p.typeTest.SetEnableTest(true);
         p.typeTest.SetEnableFix(true);
         p.typeTest.SetBarcodeType(FourCC("eanD"));
     },
     0x9f5f9aaa},
    // The pattern's last four bytes force the CRC to 0, which is stored as 1.
    {"ZeroIsStoredAsOne",
     [](BarcodeProfile& p) {
         p.codeTest.SetEnableTest(true);
         p.codeTest.SetBarcodeCode(
             "A\xAE"
             "\x65\x46\x86");
     },
     1},
};

TEST_F(ProfileFileTest, CheckSums) {
    for (const CheckSumCase& c : kCheckSumCases) {
        SCOPED_TRACE(c.name);
        BarcodeProfile profile;
        c.configure(profile);
        EXPECT_EQ(profile.GetProfileCheckSum(), 0);
        profile.ComputeCheckSum();
        EXPECT_EQ(static_cast<std::uint32_t>(profile.GetProfileCheckSum()), c.checkSum);
    }
}

// Every setting comes back from the file, and so does the checksum, also
// when the host runs with a decimal comma.
TEST_F(ProfileFileTest, EverySettingSurvivesTheFile) {
    const GermanNumericLocale locale;
    ASSERT_TRUE(locale.IsActive()) << "no German locale installed";
    BarcodeProfile saved;
    ChangeEverySetting(saved);
    ASSERT_TRUE(saved.SaveAs(Spec("all.bcp")));
    EXPECT_EQ(XmllintDiagnostics(Path("all.bcp")), "");
    const std::string text = ReadFile(Path("all.bcp"));
    EXPECT_NE(text.find("<BarWidthReduction>0.0352778</BarWidthReduction>"), std::string::npos)
        << text;
    EXPECT_NE(text.find("<BarcodeType>eanD</BarcodeType>"), std::string::npos) << text;

    BarcodeProfile loaded;
    ASSERT_TRUE(loaded.Load(Spec("all.bcp")));
    EXPECT_EQ(Snapshot(loaded), Snapshot(saved));
    EXPECT_FALSE(loaded.IsModified());
    EXPECT_EQ(LeafName(loaded.GetFileSpecification()), "all.bcp");
    const std::int32_t stored = loaded.GetProfileCheckSum();
    loaded.ComputeCheckSum();
    EXPECT_EQ(loaded.GetProfileCheckSum(), stored);
}

struct Step {
    const char* name;
    std::function<bool(BarcodeProfile&)> act;
    bool result;
    // The files the step leaves in the emptied folder.
    std::set<std::string> written;
    bool modified;
    const char* saveTime;
    const char* file;
};

// The clock moves on by a minute with every step.
TEST_F(ProfileFileTest, SaveAndSaveAs) {
    const auto saveAs = [this](const char* name) {
        return [spec = Spec(name)](BarcodeProfile& p) { return p.SaveAs(spec); };
    };
    const auto save = [](BarcodeProfile& p) { return p.Save(); };
    const Step steps[] = {
        {"NewProfileSavesNothing", save, true, {}, false, "", ""},
        {"ChangedWithoutFile",
         [](BarcodeProfile& p) {
             return p.countTest.SetNrOfBarcodesInDocument(2) == kSettingStored && !p.Save();
         },
         true,
         {},
         true,
         "",
         ""},
        {"SaveAsWritesAndAdopts",
         saveAs("a.bcp"),
         true,
         {"a.bcp"},
         false,
         "2024-03-01T10:02:00Z",
         "a.bcp"},
        {"UnchangedSaveWritesNothing", save, true, {}, false, "2024-03-01T10:02:00Z", "a.bcp"},
        {"RenameMarksModified",
         [](BarcodeProfile& p) { return p.SetProfileName("Renamed") == kSettingStored; },
         true,
         {},
         true,
         "",
         "a.bcp"},
        {"SaveWritesWithNewTime", save, true, {"a.bcp"}, true, "2024-03-01T10:05:00Z", "a.bcp"},
        {"SaveAgainWritesAgain", save, true, {"a.bcp"}, true, "2024-03-01T10:06:00Z", "a.bcp"},
        {"SaveAsOfChangedProfile",
         saveAs("b.bcp"),
         true,
         {"b.bcp"},
         false,
         "2024-03-01T10:07:00Z",
         "b.bcp"},
        {"SaveAfterSaveAsWritesNothing", save, true, {}, false, "2024-03-01T10:07:00Z", "b.bcp"},
        {"SaveAsOfUnchangedProfileKeepsItsTime",
         saveAs("c.bcp"),
         true,
         {"c.bcp"},
         false,
         "2024-03-01T10:07:00Z",
         "c.bcp"},
        {"SaveAsWithoutPath",
         [](BarcodeProfile& p) { return p.SaveAs(M7L_FileSpecificationNative()); },
         false,
         {},
         false,
         "2024-03-01T10:07:00Z",
         "c.bcp"},
    };
    BarcodeProfile profile;
    std::time_t now = kStepsStart;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        gNow = now;
        now += kSecondsPerMinute;
        RemoveFiles(folder_);
        EXPECT_EQ(step.act(profile), step.result);
        EXPECT_EQ(FilesIn(folder_), step.written);
        EXPECT_EQ(profile.IsModified(), step.modified);
        EXPECT_STREQ(profile.GetProfileSaveTime(), step.saveTime);
        EXPECT_EQ(LeafName(profile.GetFileSpecification()), step.file);
        // What was written is the profile as it now stands.
        for (const std::string& name : step.written) {
            BarcodeProfile reread;
            ASSERT_TRUE(reread.Load(Spec(name)));
            EXPECT_EQ(Snapshot(reread), Snapshot(profile));
        }
    }
}

// Lowers the process's limit of open files to the descriptors now open, so
// that it can open no further file, as when it has used them all up.
class NoFreeFileDescriptor {
public:
    NoFreeFileDescriptor() {
        ::getrlimit(RLIMIT_NOFILE, &previous_);
        const int lowestFree = ::open("/dev/null", O_RDONLY);
        ::close(lowestFree);
        rlimit limited = previous_;
        limited.rlim_cur = static_cast<rlim_t>(lowestFree);
        ::setrlimit(RLIMIT_NOFILE, &limited);
    }
    ~NoFreeFileDescriptor() { ::setrlimit(RLIMIT_NOFILE, &previous_); }
    NoFreeFileDescriptor(const NoFreeFileDescriptor&) = delete;
    NoFreeFileDescriptor& operator=(const NoFreeFileDescriptor&) = delete;

private:
    rlimit previous_{};
};

struct FailedSaveCase {
    const char* name;
    // Prepares the folder; the file the save goes to.
    std::function<std::string(const TempFolder&)> prepare;
    // Through Save of a profile loaded from the target, else through SaveAs.
    bool throughSave;
    // Gives the profile a value the file cannot hold.
    std::function<void(BarcodeProfile&)> spoilProfile = [](BarcodeProfile&) {};
    // The save runs when no file can be opened.
    bool noFreeFileDescriptor = false;
};

std::string OldFile(const TempFolder&) {
    return "a.bcp";
}

const FailedSaveCase kFailedSaveCases[] = {
    {"TargetFolderMissing", [](const TempFolder&) { return std::string("missing/x.bcp"); }, false},
    {"TemporaryFileCannotBeMade", OldFile, false, [](BarcodeProfile&) {}, true},
    {"TemporaryFileCannotBeMadeOnSave", OldFile, true, [](BarcodeProfile&) {}, true},
    {"ValueWithoutDecimalForm", OldFile, true,
     [](BarcodeProfile& p) {
         p.deviationTest.SetDeviation(std::numeric_limits<double>::quiet_NaN());
     }},
    {"NameNotUtf8", OldFile, true, [](BarcodeProfile& p) { p.SetProfileName("M\xFCller"); }},
    {"NameWithControlCharacter", OldFile, false,
     [](BarcodeProfile& p) { p.SetProfileName("Etikett\x07\x1B[0m"); }},
    {"NameWithCharacterXMLForbids", OldFile, true,
     [](BarcodeProfile& p) { p.SetProfileName("Etikett \xEF\xBF\xBE"); }},
    {"NameLongerThanTheFileHolds", OldFile, false,
     [](BarcodeProfile& p) { p.SetProfileName(std::string(kLongestTextBytes + 1, 'x').c_str()); }},
    {"TypeCodeCutInsideACharacter", OldFile, true,
     // "ab", the lead byte of a character and 0.
     [](BarcodeProfile& p) { p.typeTest.SetBarcodeType(FourCC("ab\xC3\xA4") & ~0xFF); }},
};

// A failed save keeps the old file and leaves the profile as it was.
TEST_F(ProfileFileTest, FailedSaveKeepsTheOldFile) {
    for (const FailedSaveCase& c : kFailedSaveCases) {
        SCOPED_TRACE(c.name);
        RemoveFiles(folder_);
        BarcodeProfile old;
        old.SetProfileName("Old");
        ASSERT_TRUE(old.SaveAs(Spec("a.bcp")));
        const std::string oldText = ReadFile(Path("a.bcp"));
        const std::string target = c.prepare(folder_);
        const std::set<std::string> files = FilesIn(folder_);

        BarcodeProfile profile;
        if (c.throughSave) {
            ASSERT_TRUE(profile.Load(Spec(target)));
        }
        ChangeEverySetting(profile);
        c.spoilProfile(profile);
        const std::vector<std::string> before = Snapshot(profile);
        const std::string file = LeafName(profile.GetFileSpecification());
        gNow += kSecondsPerMinute;
        std::optional<NoFreeFileDescriptor> noFreeFileDescriptor;
        if (c.noFreeFileDescriptor) {
            noFreeFileDescriptor.emplace();
        }
        EXPECT_FALSE(c.throughSave ? profile.Save() : profile.SaveAs(Spec(target)));
        noFreeFileDescriptor.reset();

        EXPECT_EQ(ReadFile(Path("a.bcp")), oldText);
        EXPECT_EQ(FilesIn(folder_), files);
        EXPECT_EQ(Snapshot(profile), before);
        EXPECT_STREQ(profile.GetProfileSaveTime(), "");
        EXPECT_EQ(profile.GetProfileCheckSum(), 0);
        EXPECT_TRUE(profile.IsModified());
        EXPECT_EQ(LeafName(profile.GetFileSpecification()), file);
    }
}

struct LoadFailureCase {
    const char* name;
    // Spoils the text of a valid profile file late in the file; nullopt for
    // no file at all.
    std::function<std::optional<std::string>(std::string)> spoil;
};

std::string Replaced(std::string text, const std::string& what, const std::string& by) {
    const std::size_t at = text.find(what);
    EXPECT_NE(at, std::string::npos) << what;
    return at == std::string::npos ? text : text.replace(at, what.size(), by);
}

// Longer than any string value the reader takes.
constexpr std::size_t kOverlongTextChars = 1500;

std::string ProfileNameElement(const std::string& text) {
    return "<ProfileName>" + text + "</ProfileName>";
}

const LoadFailureCase kLoadFailureCases[] = {
    {"MissingFile", [](std::string) -> std::optional<std::string> { return std::nullopt; }},
    {"WrongRoot",
     [](std::string text) -> std::optional<std::string> {
         text = Replaced(text, "<M7LBarcodeProfile>", "<M7LBarcodeProfiles>");
         return Replaced(text, "</M7LBarcodeProfile>", "</M7LBarcodeProfiles>");
     }},
    {"Truncated",
     [](std::string text) -> std::optional<std::string> {
         return text.substr(0, text.find("<OverprintOnly>"));
     }},
    {"IntegerOutOfRange",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "<NrOfBarcodesInDocument>9<",
                         "<NrOfBarcodesInDocument>99999999999<");
     }},
    {"RealNotFinite",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "<Deviation>0.5000000<", "<Deviation>nan<");
     }},
    {"RealOutOfRange",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "<Deviation>0.5000000<", "<Deviation>1e999<");
     }},
    {"OverlongText",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "</M7LBarcodeProfile>",
                         "<ProfileName>" + std::string(kOverlongTextChars, 'x') +
                             "</ProfileName>\n</M7LBarcodeProfile>");
     }},
    {"ValueWithChildren",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "<OverprintOnly>false<", "<OverprintOnly><x>1</x><");
     }},
    {"UnknownElementWithAttributes",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "</M7LBarcodeProfile>",
                         "<Extra kind=\"x\">1</Extra>\n</M7LBarcodeProfile>");
     }},
    {"SecondRootElement",
     [](std::string text) -> std::optional<std::string> {
         return text + "<M7LBarcodeProfile>\n</M7LBarcodeProfile>\n";
     }},
    {"TextAfterTheRoot",
     [](std::string text) -> std::optional<std::string> { return text + "trailing text\n"; }},
    {"NameNotUtf8",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, ProfileNameElement("Other"), ProfileNameElement("M\xFCller"));
     }},
    {"NameWithControlCharacter",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, ProfileNameElement("Other"), ProfileNameElement("Oth\x01er"));
     }},
    {"NameWithReferenceToControlCharacter",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, ProfileNameElement("Other"), ProfileNameElement("Oth&#x1;er"));
     }},
    {"EntityTheDocumentTypeDeclares",
     [](std::string text) -> std::optional<std::string> {
         text = Replaced(text, ".dtd\">", ".dtd\" [<!ENTITY e \"Injected\">]>");
         return Replaced(text, ProfileNameElement("Other"), ProfileNameElement("&e;"));
     }},
    {"AttributeNamedLikeAnElement",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "<M7LBarcodeProfile>",
                         "<M7LBarcodeProfile BarcodeProfileCountTest=\"1\" "
                         "BarcodeProfileTypeTest=\"2\">");
     }},
    {"TypeCodeCutInsideACharacter",
     [](std::string text) -> std::optional<std::string> {
         return Replaced(text, "<BarcodeType></BarcodeType>",
                         "<BarcodeType>abc\xC3\xA4</BarcodeType>");
     }},
};

int gFailureReports = 0;

int CountFailureReport(const char*, int, int, const char*, const char*, int, const char*) {
    ++gFailureReports;
    return 0;
}

// A file that cannot be read whole changes nothing, although the values
// before the fault differ from the profile's.
TEST_F(ProfileFileTest, FailedLoadChangesNothing) {
    BarcodeProfile other;
    other.SetProfileName("Other");
    other.countTest.SetNrOfBarcodesInDocument(9);
    other.deviationTest.SetDeviation(0.5);
    EnableEveryTest(other);
    ASSERT_TRUE(other.SaveAs(Spec("other.bcp")));
    const std::string valid = ReadFile(Path("other.bcp"));

    for (const LoadFailureCase& c : kLoadFailureCases) {
        SCOPED_TRACE(c.name);
        BarcodeProfile profile;
        ChangeEverySetting(profile);
        ASSERT_TRUE(profile.SaveAs(Spec("mine.bcp")));
        profile.magnificationTest.SetEnableTest(true);
        const std::vector<std::string> before = Snapshot(profile);

        std::filesystem::remove(Path("bad.bcp"));
        if (const std::optional<std::string> text = c.spoil(valid)) {
            WriteFile(Path("bad.bcp"), *text);
        }
        gFailureReports = 0;
        SetFailureHandler(&CountFailureReport);
        EXPECT_FALSE(profile.Load(Spec("bad.bcp")));
        SetFailureHandler(nullptr);
        // Bad content is bad input, never a fault of the program to report.
        EXPECT_EQ(gFailureReports, 0);
        EXPECT_EQ(Snapshot(profile), before);
        EXPECT_TRUE(profile.IsModified());
        EXPECT_EQ(LeafName(profile.GetFileSpecification()), "mine.bcp");
    }
}

struct RoundTripCase {
    const char* name;
    // Edits the text of a valid file whose profile name is "Original".
    std::function<std::string(std::string)> editFile;
    // Instead of a file, the setter gives the profile this name.
    std::optional<std::string> setterName;
    std::string expectedName;
};

std::string Repeated(const std::string& text, std::size_t times) {
    std::string repeated;
    for (std::size_t i = 0; i < times; ++i) {
        repeated += text;
    }
    return repeated;
}

std::function<std::string(std::string)> WithNameElement(const std::string& element) {
    return [element](std::string text) {
        return Replaced(text, ProfileNameElement("Original"), element);
    };
}

const std::string kFourByteCharacter = "\xF0\x9F\x93\xA6";

const RoundTripCase kRoundTripCases[] = {
    {"NameOf1019Characters", WithNameElement(ProfileNameElement(std::string(1019, 'x'))),
     std::nullopt, std::string(1019, 'x')},
    {"NameOfTheLongestText",
     WithNameElement(ProfileNameElement(std::string(kLongestTextBytes, 'x'))), std::nullopt,
     std::string(kLongestTextBytes, 'x')},
    {"NameOf250Ampersands", WithNameElement(ProfileNameElement(Repeated("&amp;", 250))),
     std::nullopt, std::string(250, '&')},
    {"NameOfTheLongestTextInQuotes",
     WithNameElement(ProfileNameElement(Repeated("&quot;", kLongestTextBytes))), std::nullopt,
     std::string(kLongestTextBytes, '"')},
    {"NameOfRawQuotesAndMarkup", WithNameElement(ProfileNameElement("\"a\" 'b' > c")), std::nullopt,
     "\"a\" 'b' > c"},
    {"NameByCharacterReferences",
     WithNameElement(ProfileNameElement("&#x4D;&#252;ller&#13;&#10;&apos;")), std::nullopt,
     "M\xC3\xBCller\r\n'"},
    {"NameWithLineEndsOfAnotherSystem",
     WithNameElement(ProfileNameElement("Zeile 1\r\nZeile 2\rZeile 3")), std::nullopt,
     "Zeile 1\nZeile 2\nZeile 3"},
    {"EmptyNameAsEmptyElement", WithNameElement("<ProfileName/>"), std::nullopt, ""},
    {"DocumentTypeWithInternalSubset",
     [](std::string text) {
         return Replaced(text, ".dtd\">",
                         ".dtd\" [\n"
                         "<!ENTITY e \"><ProfileName>Injected</ProfileName>\">\n"
                         "<!-- ]> <ProfileName>Injected</ProfileName> -->\n"
                         "]>");
     },
     std::nullopt, "Original"},
    {"SetterNameOf171Quotes", nullptr, std::string(171, '"'), std::string(171, '"')},
    {"SetterNameOf255Ampersands", nullptr, std::string(255, '&'), std::string(255, '&')},
    {"SetterNameOf255FourByteCharacters", nullptr, Repeated(kFourByteCharacter, 255),
     Repeated(kFourByteCharacter, 255)},
};

// Whatever loads saves again, whole and well-formed, and saving what was
// loaded from that file gives the same bytes.
TEST_F(ProfileFileTest, WhatLoadsSavesAgain) {
    BarcodeProfile original;
    ChangeEverySetting(original);
    original.SetProfileName("Original");
    ASSERT_TRUE(original.SaveAs(Spec("original.bcp")));
    const std::string valid = ReadFile(Path("original.bcp"));

    for (const RoundTripCase& c : kRoundTripCases) {
        SCOPED_TRACE(c.name);
        BarcodeProfile profile;
        if (c.setterName) {
            ChangeEverySetting(profile);
            EXPECT_EQ(profile.SetProfileName(c.setterName->c_str()), kSettingStored);
        } else {
            WriteFile(Path("edited.bcp"), c.editFile(valid));
            ASSERT_TRUE(profile.Load(Spec("edited.bcp")));
        }
        EXPECT_EQ(profile.GetProfileName(), c.expectedName);
        ASSERT_TRUE(profile.SaveAs(Spec("first.bcp")));
        EXPECT_EQ(XmllintDiagnostics(Path("first.bcp")), "");
        BarcodeProfile reread;
        ASSERT_TRUE(reread.Load(Spec("first.bcp")));
        EXPECT_EQ(Snapshot(reread), Snapshot(profile));
        ASSERT_TRUE(reread.SaveAs(Spec("second.bcp")));
        EXPECT_EQ(ReadFile(Path("second.bcp")), ReadFile(Path("first.bcp")));
    }
}

// Standard XML tools re-indent a profile file and write an element without
// content as "<Name/>"; the file still loads as the same profile.
TEST_F(ProfileFileTest, ReindentedFileLoadsTheSameProfile) {
    BarcodeProfile fresh;
    BarcodeProfile changed;
    ChangeEverySetting(changed);
    changed.SetProfileName("Zeile\r\n\"zwei\" & <drei>\t'\xC3\xBC'");
    changed.codeTest.SetBarcodeCode("");
    for (BarcodeProfile* profile : {&fresh, &changed}) {
        ASSERT_TRUE(profile->SaveAs(Spec("saved.bcp")));
        const XmllintResult formatted = RunXmllint("--format", Path("saved.bcp"));
        ASSERT_EQ(formatted.diagnostics, "");
        EXPECT_NE(formatted.output.find("/>"), std::string::npos) << formatted.output;
        WriteFile(Path("formatted.bcp"), formatted.output);
        BarcodeProfile loaded;
        ASSERT_TRUE(loaded.Load(Spec("formatted.bcp"))) << formatted.output;
        EXPECT_EQ(Snapshot(loaded), Snapshot(*profile));
    }
}

// Two processes saving one file over and over: whenever the file is read it
// is one whole profile of the two, never a mix, and every save reports the
// truth.
TEST_F(ProfileFileTest, TwoProcessesSavingOneFile) {
    constexpr int kSavesPerProcess = 300;
    const M7L_FileSpecificationNative shared = Spec("shared.bcp");
    BarcodeProfile first;
    first.SetProfileName("first");
    BarcodeProfile second;
    ChangeEverySetting(second);
    second.SetProfileName("second");
    ASSERT_TRUE(first.SaveAs(shared));
    ASSERT_TRUE(second.SaveAs(Spec("second.bcp")));
    std::vector<pid_t> savers;
    for (BarcodeProfile* profile : {&first, &second}) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            bool saved = true;
            for (int i = 0; i < kSavesPerProcess; ++i) {
                saved = profile->SaveAs(shared) && saved;
            }
            std::_Exit(saved ? 0 : 1);
        }
        savers.push_back(saver);
    }
    const std::vector<std::string> expected[] = {Snapshot(first), Snapshot(second)};
    int loads = 0;
    int failedLoads = 0;
    int mixed = 0;
    std::vector<int> exitStatuses;
    while (exitStatuses.size() < savers.size()) {
        BarcodeProfile loaded;
        ++loads;
        if (!loaded.Load(shared)) {
            ++failedLoads;
        } else if (Snapshot(loaded) != expected[0] && Snapshot(loaded) != expected[1]) {
            ++mixed;
        }
        for (const pid_t saver : savers) {
            int status = 0;
            if (::waitpid(saver, &status, WNOHANG) == saver) {
                exitStatuses.push_back(status);
            }
        }
    }
    for (const int status : exitStatuses) {
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "a save failed";
    }
    EXPECT_EQ(failedLoads, 0) << "of " << loads;
    EXPECT_EQ(mixed, 0) << "of " << loads;
    BarcodeProfile loaded;
    ASSERT_TRUE(loaded.Load(shared));
    EXPECT_TRUE(Snapshot(loaded) == expected[0] || Snapshot(loaded) == expected[1]);
    EXPECT_EQ(FilesIn(folder_), (std::set<std::string>{"shared.bcp", "second.bcp"}));
}

// Values the file does not hold keep theirs; order does not matter and
// unknown values are passed over.
TEST_F(ProfileFileTest, PartialFileInAnyOrder) {
    WriteFile(Path("partial.bcp"),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<M7LBarcodeProfile>\n"
              "<BarcodeProfileOverprintTest>\n"
              "<OverprintOnly>false</OverprintOnly>\n"
              "</BarcodeProfileOverprintTest>\n"
              "<Unknown>passed over</Unknown>\n"
              "<BarcodeProfileCountTest>\n"
              "<NrOfBarcodesInDocument>5</NrOfBarcodesInDocument>\n"
              "<EnableTest>true</EnableTest>\n"
              "</BarcodeProfileCountTest>\n"
              "<ProfileName>Partial</ProfileName>\n"
              "</M7LBarcodeProfile>\n");
    BarcodeProfile profile;
    ChangeEverySetting(profile);
    BarcodeProfile expected;
    ChangeEverySetting(expected);
    expected.overprintTest.SetOverprintOnly(false);
    expected.countTest.SetNrOfBarcodesInDocument(5);
    expected.countTest.SetEnableTest(true);
    expected.SetProfileName("Partial");

    ASSERT_TRUE(profile.Load(Spec("partial.bcp")));
    EXPECT_EQ(Snapshot(profile), Snapshot(expected));
    EXPECT_FALSE(profile.IsModified());
}

}  // namespace
}  // namespace BarcodeVettrin
