#include <gtest/gtest.h>

#include <cstddef>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "FileText.h"
#include "TempFolder.h"
#include "ToolRun.h"

namespace {

// A symbol of every type of the barcode palette, and the type the reading
// shows it as among its readings (dual numbering is not in the bars).
struct Made {
    const char* type;
    const char* code;
    const char* readType;
};

const Made kEveryType[] = {
    {"ean8", "9638-5074", "ean8"},
    {"eanD", "4-006381-333931", "eanD"},
    {"c128", "AB123456", "c128"},
    {"upca", "0-36000-29145-2", "upca"},
    {"upce", "0-123453-1", "upce"},
    {"2of5", "1234", "2of5"},
    {"e128", "(01)12345678901231(17)140704", "e128"},
    {"3of9", "CODE39", "3of9"},
    {"itff", "10012345000017", "itff"},
    {"jan8", "4512-3450", "jan8"},
    {"janD", "4-512345-678906", "janD"},
    {"ples", "1234", "ples"},
    {"plec", "108", "plec"},
    {"msit", "12344", "msit"},
    {"msie", "123430", "msie"},
    {"msiq", "123448", "msiq"},
    {"coda", "A1234B", "coda"},
    {"codt", "A1234B", "codt"},
    {"isbn", "3-16-148410-X", "isbn"},
    {"isbe", "978-3-16-148410-0", "isbe"},
    {"isbd", "978-3-16-148410-0", "isbe"},
    {"BePh", "1234-566", "BePh"},
    {"issn", "0317-8471", "issn"},
    {"eCou", "9-912345-678909 (8101)1 23456 7890", "eCou"},
    {"uCou", "5-12345-67890-0 (8100)1 23456", "uCou"},
    {"ms7b", "1234565", "ms7b"},
};

// Rows of barcodes this far apart, in points, so that no drag across one
// touches another.
constexpr int kRowPitchPoints = 100;

std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

// Lines of the output that begin with the prefix, without it.
std::vector<std::string> Values(const std::string& output, const std::string& prefix) {
    std::vector<std::string> values;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        if (line.compare(0, prefix.size(), prefix) == 0) {
            values.push_back(line.substr(prefix.size()));
        }
    }
    return values;
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A profile of the check palette's file format: the count of barcodes and
// the bar width reduction (millimetres) tested, nothing fixed.
std::string Profile(std::size_t count, const char* reductionMm) {
    const auto test = [](const char* name, bool on, const std::string& values = "") {
        return std::string("<BarcodeProfile") + name + "Test>\n<EnableTest>" +
               (on ? "true" : "false") + "</EnableTest>\n<EnableFix>false</EnableFix>\n" + values +
               "</BarcodeProfile" + name + "Test>\n";
    };
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<M7LBarcodeProfile>\n"
           "<ProfileName>Every type</ProfileName>\n"
           "<ProfileSaveTime>2024-03-05T14:07:09Z</ProfileSaveTime>\n"
           "<ProfileCheckSum>0</ProfileCheckSum>\n" +
           test(
               "Count", true,
               "<NrOfBarcodesInDocument>" + std::to_string(count) + "</NrOfBarcodesInDocument>\n") +
           test("BarWidthReduction", true,
                std::string("<BarWidthReduction>") + reductionMm + "</BarWidthReduction>\n") +
           "</M7LBarcodeProfile>\n";
}

// The driver program run in a folder of its own, with preferences of its
// own; a run never shows a mistake the host caught.
class Driver : public ::testing::Test {
protected:
    ToolRun Run(const std::string& arguments) {
        ToolRun run = RunTool("cd " + Quoted(folder.Path().string()) + " && " +
                              Quoted(STRIVELO_HOST_PROGRAM) + " --prefs prefs " + arguments);
        EXPECT_EQ(run.errors.find("made a mistake"), std::string::npos) << run.errors;
        return run;
    }
    std::string Path(const std::string& name) const { return folder / name; }

    TempFolder folder;
};

TEST_F(Driver, MakesEveryTypeIntoOneDocumentReadsChecksAndChangesItsReduction) {
    std::vector<std::string> codes;
    for (std::size_t i = 0; i < std::size(kEveryType); ++i) {
        const Made& made = kEveryType[i];
        const std::string at = "20," + std::to_string(40 + kRowPitchPoints * static_cast<int>(i));
        const ToolRun run =
            Run(std::string("make every.svg --type ") + made.type + " --code " + Quoted(made.code) +
                " --at " + at + (i == 0 ? "" : " --into every.svg"));
        ASSERT_EQ(run.status, 0) << made.type << "\n" << run.errors;
        ASSERT_EQ(Values(run.output, "code: ").size(), 1u);
        codes.push_back(Values(run.output, "code: ")[0]);
    }

    ToolRun read = Run("read every.svg --all --next");
    ASSERT_EQ(read.status, 0) << read.errors;
    std::vector<std::string> lines;
    for (std::size_t at = read.output.find("line "); at != std::string::npos;) {
        const std::size_t next = read.output.find("\nline ", at);
        lines.push_back(read.output.substr(at, next == std::string::npos ? next : next - at));
        at = next == std::string::npos ? next : next + 1;
    }
    ASSERT_EQ(lines.size(), std::size(kEveryType));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string reading = std::string("type: ") + kEveryType[i].readType + " (";
        const std::size_t type = lines[i].find(reading);
        EXPECT_TRUE(type != std::string::npos &&
                    lines[i].find("\ncode: " + codes[i] + "\n", type) ==
                        lines[i].find("\ncode: ", type))
            << kEveryType[i].type << ":\n"
            << lines[i];
    }

    const std::size_t count = std::size(kEveryType);
    WriteFile(Path("every.bcp"), Profile(count, "0.0000000"));
    ToolRun check = Run("check every.svg --profile every.bcp --report every.html");
    EXPECT_EQ(check.status, 0) << check.output << check.errors;
    EXPECT_EQ(Values(check.output, "barcodes found: "), std::vector<std::string>{"26"});
    EXPECT_EQ(Values(check.output, "overall: "), std::vector<std::string>{"passed"});
    EXPECT_EQ(Count(check.output, ": passed\n"), count + 1) << check.output;
    EXPECT_NE(ReadFile(Path("every.html")).find("Every type"), std::string::npos);

    const ToolRun change = Run("change-bwr every.svg --bwr 0.02 changed.svg");
    ASSERT_EQ(change.status, 0) << change.errors;
    EXPECT_EQ(Values(change.output, "barcodes changed: "), std::vector<std::string>{"26"});

    check = Run("check changed.svg --profile every.bcp");
    EXPECT_EQ(check.status, 3) << check.output << check.errors;
    EXPECT_EQ(Count(check.output, ": failed\n"), count + 1) << check.output;
    WriteFile(Path("every.bcp"), Profile(count, "0.0200000"));
    check = Run("check changed.svg --profile every.bcp");
    EXPECT_EQ(check.status, 0) << check.output << check.errors;

    read = Run("read changed.svg");
    EXPECT_EQ(Values(read.output, "bar width reduction: "),
              std::vector<std::string>(count, "0.0200 mm"));
}

// Bad input of every kind: the plug-in's message or the driver's, a status
// that is not 0, and the file the command would write as it was.
TEST_F(Driver, BadInputSaysWhyAndWritesNothing) {
    ASSERT_EQ(Run("make good.svg --type eanD --code 4-006381-333931").status, 0);
    WriteFile(Path("bad.svg"), "<svg xmlns=\"http://www.w3.org/2000/svg\"><rect");
    WriteFile(Path("empty.svg"),
              "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"100pt\" height=\"100pt\">"
              "<rect x=\"10\" y=\"10\" width=\"20\" height=\"20\"/></svg>");
    WriteFile(Path("bad.bcp"), "<?xml version=\"1.0\"?>\n<M7LBarcodeProfile><ProfileName>");
    const std::string previous = "the previous content\n";

    const struct {
        const char* arguments;
        const char* message;
        int status;
    } cases[] = {
        {"make out.svg --type eanD --code ABC", "no barcode made of \"ABC\"", 1},
        {"make out.svg --type eanD --code 4006381333932",
         "changed the code \"4006381333932\" to \"4-006381-333931\"", 1},
        {"make out.svg --type c128 --code AB%1f", "changed the code \"AB%1f\" to \"AB%1F\"", 1},
        {"make out.svg --type eanD --code 4-006381-333931 --bwr 5", "Alert Illegal Params Dialog",
         1},
        {"make out.svg --type xxxx --code 1", "unknown type \"xxxx\"", 1},
        {"make out.svg --type eanD --code 4-006381-333931 --into missing.svg", "missing.svg", 1},
        {"make out.svg --type eanD --code 4-006381-333931 --into bad.svg", "bad.svg: ", 1},
        {"make out.svg --type eanD --code 4-006381-333931 --frob", "unknown option --frob", 2},
        {"make --type eanD --code 4-006381-333931", "make takes OUT.svg", 2},
        {"read empty.svg", "nothing to read in empty.svg", 1},
        {"read out.svg", "out.svg", 1},
        {"check good.svg --profile missing.bcp --report out.svg",
         "did not load the profile missing.bcp", 1},
        {"check good.svg --profile bad.bcp --report out.svg --fixed out.svg",
         "did not load the profile bad.bcp", 1},
        {"check bad.svg --report out.svg", "bad.svg: ", 1},
        {"check good.svg --report out.svg --format pdf", "--format takes", 1},
        {"change-bwr good.svg --bwr wide out.svg", "--bwr takes a number", 1},
        {"change-bwr good.svg --bwr nan out.svg",
         "--bwr takes a number of millimetres, not \"nan\"", 1},
        {"make out.svg --type eanD --code 4-006381-333931 --at inf,1", "--at takes X,Y", 1},
        {"change-bwr missing.svg --bwr 0.02 out.svg", "missing.svg", 1},
        {"fix-deviation bad.svg out.svg", "bad.svg: ", 1},
        {"make out.svg --type eanD --code 4-006381-333931 --at 100,100,7",
         "--at takes X,Y, not \"100,100,7\"", 1},
        {"read good.svg --line 0,100,300,100,9 --next",
         "--line takes X1,Y1,X2,Y2, not \"0,100,300,100,9\"", 1},
        {"types --all", "unknown option --all for types", 2},
        {"fix-deviation good.svg", "fix-deviation takes IN.svg OUT.svg, not 1 file name (", 2},
        {"--plugin", "--plugin needs a value (FILE)", 2},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.arguments);
        WriteFile(Path("out.svg"), previous);
        const ToolRun run = Run(bad.arguments);
        EXPECT_EQ(run.status, bad.status);
        EXPECT_NE(run.errors.find(bad.message), std::string::npos) << run.errors;
        EXPECT_EQ(ReadFile(Path("out.svg")), previous);
    }
}

// The palette's own spelling of a code, with the check digit it adds, is
// what the user asked for.
TEST_F(Driver, MakesACodeInThePalettesSpelling) {
    const ToolRun run = Run("make out.svg --type eanD --code 400638133393");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_NE(run.output.find("code: 4-006381-333931\n"), std::string::npos) << run.output;
}

// An option's value that reads like the help option is the value.
TEST_F(Driver, TakesACodeThatLooksLikeTheHelpOption) {
    const ToolRun run = Run("make out.svg --type c128 --code -h");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(Values(run.output, "code: "), std::vector<std::string>{"-h"}) << run.output;
}

// A barcode of loose stroked lines, as GNU barcode writes it: read once
// across its middle, and its bars are not dragged across one by one again.
TEST_F(Driver, ReadsABarcodeOfLooseLinesOnce) {
    ASSERT_EQ(RunTool("barcode -b 4006381333931 -e ean13 -S -o " + Quoted(Path("gnu.svg"))).status,
              0);
    const ToolRun run = Run("read gnu.svg");
    EXPECT_EQ(run.status, 0) << run.errors;
    EXPECT_EQ(Values(run.output, "code: "), std::vector<std::string>{"4-006381-333931"});
    // Only its digits are left to drag across.
    EXPECT_EQ(Count(run.output, "no barcode read"), 13u) << run.output;
}

// The preferences live in their file between runs; a file that is not
// the driver's stops the run and stays as it was.
TEST_F(Driver, KeepsItsPreferencesInTheirFile) {
    ASSERT_EQ(Run("check-free-run-is-not-a-command").status, 2);
    ASSERT_EQ(Run("make a.svg --type ean8 --code 9638-5074 --ocrb").status, 0);
    const std::string saved = ReadFile(Path("prefs"));
    EXPECT_NE(saved.find("boolean\tM7LBarcodeDialog\tUseOCRBFont\t1\n"), std::string::npos)
        << saved;
    EXPECT_NE(saved.find("string\tM7LBarcodeDialog\tBarcodeType\tean8\n"), std::string::npos);

    WriteFile(Path("prefs"), "not preferences\n");
    const ToolRun run = Run("read a.svg");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("prefs is not a preferences file"), std::string::npos) << run.errors;
    EXPECT_EQ(ReadFile(Path("prefs")), "not preferences\n");
}

TEST_F(Driver, HelpListsEveryCommandAndOption) {
    const ToolRun run = Run("--help");
    EXPECT_EQ(run.status, 0);
    for (const char* word : {"make OUT.svg",
                             "read IN.svg",
                             "check IN.svg",
                             "change-bwr IN.svg",
                             "fix-deviation IN.svg",
                             "types",
                             "--type",
                             "--code",
                             "--into",
                             "--at",
                             "--bwr",
                             "--mag",
                             "--height",
                             "--ratio",
                             "--bearer-bars",
                             "--end-bars",
                             "--qz-marks",
                             "--ocrb",
                             "--center-text",
                             "--text-scale",
                             "--no-erase-box",
                             "--outlines",
                             "--no-self-check",
                             "--allow-illegal",
                             "--line",
                             "--all",
                             "--next",
                             "--profile",
                             "--report",
                             "--format",
                             "--units",
                             "--fixed",
                             "--prefs"}) {
        EXPECT_NE(run.output.find(word), std::string::npos) << word;
    }
    const ToolRun types = Run("types");
    EXPECT_EQ(Values(types.output, "eanD  "), std::vector<std::string>{"EAN 13"});
    EXPECT_EQ(Count(types.output, "\n"), std::size(kEveryType));
}

}  // namespace
