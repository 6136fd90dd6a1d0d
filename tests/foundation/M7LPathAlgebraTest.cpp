#include "M7LPathAlgebra.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using M7LPathAlgebra::kFitByShorteningAddition;
using M7LPathAlgebra::kFitByShorteningName;
using M7LPathAlgebra::kPosixStyle;
using M7LPathAlgebra::kWindowsStyle;
using M7LPathAlgebra::Style;

constexpr std::size_t kDefaultMaxNameLength = 255;
constexpr std::size_t kShortMaxNameLength = 10;
constexpr int kNoFitMode = 0;

const char* StyleName(Style style) {
    return style.driveLetters ? "windows" : "posix";
}

struct NormalizeCase {
    Style style;
    std::u16string input;
    std::u16string expected;
};

TEST(PathAlgebraTest, NormalizeRemovesDotStepsWithinTheRoot) {
    const NormalizeCase cases[] = {
        {kWindowsStyle, u"C:\\Temp\\..\\x.txt", u"C:\\x.txt"},
        {kWindowsStyle, u"C:", u"C:\\"},
        {kWindowsStyle, u"C:\\a\\.\\.\\b", u"C:\\a\\b"},
        {kWindowsStyle, u"C:\\..\\x", u"C:\\x"},
        {kWindowsStyle, u"\\..\\x", u"\\x"},
        {kWindowsStyle, u"C:\\out\\.\\new\\", u"C:\\out\\new\\"},
        {kWindowsStyle, u"C:\\a\\b\\..", u"C:\\a\\"},
        {kWindowsStyle, u"a\\..\\..\\b", u"..\\b"},
        {kWindowsStyle, u"..\\x", u"..\\x"},
        {kWindowsStyle, u"C:\\Temp\\", u"C:\\Temp\\"},
        {kPosixStyle, u"/Temp/../x.txt", u"/x.txt"},
        {kPosixStyle, u"C:", u"C:"},
        {kPosixStyle, u"/a/././b", u"/a/b"},
        {kPosixStyle, u"/../x", u"/x"},
        {kPosixStyle, u"C:/../x", u"x"},
        {kPosixStyle, u"/out/./new/", u"/out/new/"},
        {kPosixStyle, u"/a/b/..", u"/a/"},
        {kPosixStyle, u"a/../../b", u"../b"},
        {kPosixStyle, u"./../x", u"./../x"},
        {kPosixStyle, u"a/..", u"./"},
        {kPosixStyle, u"/", u"/"},
        {kPosixStyle, u"", u""},
    };
    for (const NormalizeCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.input) + " " + StyleName(c.style));
        EXPECT_EQ(M7LPathAlgebra::NormalizeLexically(c.input, c.style), c.expected);
    }
}

struct FolderCase {
    Style style;
    std::u16string path;
    std::optional<std::u16string> movedUp;
    std::optional<std::u16string> folderName;
    std::optional<std::u16string> withoutDrive;
};

TEST(PathAlgebraTest, FolderWalkNeedsTwoSeparators) {
    const FolderCase cases[] = {
        {kWindowsStyle, u"C:\\a\\b\\f.txt", u"C:\\a\\f.txt", u"b", u"\\a\\b"},
        {kWindowsStyle, u"C:\\a\\", u"C:\\", u"a", u"\\a"},
        {kWindowsStyle, u"C:\\f.txt", std::nullopt, std::nullopt, u""},
        {kWindowsStyle, u"f.txt", std::nullopt, std::nullopt, std::nullopt},
        {kPosixStyle, u"/a/b/f.txt", u"/a/f.txt", u"b", u"/a/b"},
        {kPosixStyle, u"/a/", u"/", u"a", u"/a"},
        {kPosixStyle, u"/f.txt", std::nullopt, std::nullopt, u""},
    };
    for (const FolderCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.path));
        const char16_t separator = c.style.separator;
        EXPECT_EQ(M7LPathAlgebra::MoveUpOneFolder(c.path, separator), c.movedUp);
        EXPECT_EQ(M7LPathAlgebra::FolderName(c.path, separator), c.folderName);
        EXPECT_EQ(M7LPathAlgebra::FolderPathWithoutDrive(c.path, separator), c.withoutDrive);
    }
}

struct ExtensionCase {
    std::u16string name;
    std::u16string extension;
    bool add;
    int mode;
    std::size_t maxLength;
    std::optional<std::u16string> expected;
};

TEST(PathAlgebraTest, ReplacedExtensionUsesTheLastDotAndFitsTheLimit) {
    const ExtensionCase cases[] = {
        {u"report", u"xml", false, kNoFitMode, kDefaultMaxNameLength, std::nullopt},
        {u"report", u"xml", true, kNoFitMode, kDefaultMaxNameLength, u"report.xml"},
        {u"a.b.txt", u"html", false, kNoFitMode, kDefaultMaxNameLength, u"a.b.html"},
        {u".bcp", u"xml", false, kNoFitMode, kDefaultMaxNameLength, u".xml"},
        {u"abcdefgh.txt", u"html", false, kFitByShorteningName, kShortMaxNameLength, u"abcde.html"},
        {u"abcdefgh.txt", u"html", false, kFitByShorteningAddition, kShortMaxNameLength,
         u"abcdefgh.h"},
        {u"abcdefgh.txt", u"html", false, kNoFitMode, kShortMaxNameLength, std::nullopt},
        {u"a.txt", u"verylongext", false, kFitByShorteningName, kShortMaxNameLength, std::nullopt},
        {u"abcdefghijk.txt", u"h", false, kFitByShorteningAddition, kShortMaxNameLength,
         std::nullopt},
    };
    for (const ExtensionCase& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name) + " mode " + std::to_string(c.mode));
        EXPECT_EQ(
            M7LPathAlgebra::ReplacedExtension(c.name, c.extension, c.add, c.mode, c.maxLength),
            c.expected);
    }
}

TEST(PathAlgebraTest, AppendedToNameFitsTheLimit) {
    struct Case {
        std::u16string name;
        int mode;
        std::optional<std::u16string> expected;
    };
    const Case cases[] = {
        {u"abcdefgh", kFitByShorteningName, u"abcde_copy"},
        {u"abcdefgh", kFitByShorteningAddition, u"abcdefgh_c"},
        {u"abcdefgh", kNoFitMode, std::nullopt},
        {u"abcde", kNoFitMode, u"abcde_copy"},
        {u"abcdefghijk", kFitByShorteningAddition, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.name) + " mode " + std::to_string(c.mode));
        EXPECT_EQ(M7LPathAlgebra::AppendedToName(c.name, u"_copy", c.mode, kShortMaxNameLength),
                  c.expected);
    }
}

}  // namespace
