#include "M7L_FileSpecificationNative.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "TempFolder.h"

namespace {

namespace fs = std::filesystem;
using Spec = M7L_FileSpecificationNative;

constexpr int kNameBufferBytes = 256;

std::string PathOf(const Spec& spec) {
    const char* path = spec.GetAnsiPath();
    return path != nullptr ? path : "<null>";
}

class FileSpecificationNativeTest : public testing::Test {
protected:
    FileSpecificationNativeTest() {
        fs::create_directory(temp_.Path() / "dir");
        fs::create_directory(temp_.Path() / "dir" / "sub");
        fs::create_directory(temp_.Path() / "other");
        Touch("f.txt");
        Touch("dir/plain");
    }

    void Touch(const std::string& relative) const { std::ofstream(In(relative)).put('x'); }
    std::string In(const std::string& relative) const { return temp_ / relative; }

    TempFolder temp_;
};

TEST_F(FileSpecificationNativeTest, ConstructionNormalizesAgainstTheFilesystem) {
    struct Case {
        const char* input;
        const char* expected;
    };
    const Case cases[] = {
        {"dir", "dir/"},
        {"dir/", "dir/"},
        {"dir/../f.txt", "f.txt"},
        {"missing/../f.txt", "f.txt"},
        {"missing.txt", "missing.txt"},
        {"missing", "missing"},
        {"out/./new/", "out/new/"},
        {"f*.txt", "f*.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input);
        const Spec spec(In(c.input).c_str());
        EXPECT_EQ(PathOf(spec), In(c.expected));
        const std::u16string wide = fs::path(In(c.input)).u16string();
        EXPECT_EQ(PathOf(Spec(wide.c_str())), In(c.expected));
    }
    EXPECT_FALSE(Spec(In("f*.txt").c_str()).Exists());
    EXPECT_TRUE(Spec(In("f.txt").c_str()).Exists());
}

TEST_F(FileSpecificationNativeTest, FoundRelativePathBecomesAbsolute) {
    const fs::path previous = fs::current_path();
    fs::current_path(temp_.Path() / "dir");
    const Spec file("../dir/sub/../../f.txt");
    const Spec folder("sub");
    const Spec missing("nothing.txt");
    const fs::path here = fs::current_path();
    fs::current_path(previous);

    EXPECT_EQ(PathOf(file), (here.parent_path() / "f.txt").string());
    EXPECT_EQ(PathOf(folder), (here / "sub").string() + "/");
    EXPECT_EQ(PathOf(missing), "nothing.txt");
}

TEST_F(FileSpecificationNativeTest, UnusablePathsGiveNoPath) {
    const std::string overLong(Spec::kArgumentCapacityUnits, 'a');
    const Spec specs[] = {Spec(), Spec(static_cast<const char*>(nullptr)), Spec(""),
                          Spec("bad\xC0\xAF"), Spec(overLong.c_str())};
    for (const Spec& spec : specs) {
        EXPECT_FALSE(spec.HasPath());
        EXPECT_EQ(spec.GetAnsiPath(), nullptr);
        EXPECT_FALSE(spec.Exists());
    }
}

TEST_F(FileSpecificationNativeTest, EnterSubfolderCreatesOnlyWhenAsked) {
    struct Case {
        const char* folder;
        bool create;
        bool succeeds;
        const char* expected;
    };
    const Case cases[] = {
        {"new", false, false, "dir/report.txt"},  {"new", true, true, "dir/new/report.txt"},
        {"plain", true, false, "dir/report.txt"}, {"sub", false, true, "dir/sub/report.txt"},
        {"..", false, false, "dir/report.txt"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder);
        Spec spec(In("dir/report.txt").c_str());
        EXPECT_EQ(spec.EnterSubfolder(c.folder, c.create), c.succeeds);
        EXPECT_EQ(PathOf(spec), In(c.expected));
    }
    EXPECT_TRUE(fs::is_directory(In("dir/new")));
}

TEST_F(FileSpecificationNativeTest, FailedWalksLeaveThePathUnchanged) {
    Spec spec(In("dir/sub/report.txt").c_str());
    const std::string before = PathOf(spec);

    EXPECT_FALSE(spec.ResolveRelativePath("../../other/missing/x.txt", false));
    EXPECT_EQ(PathOf(spec), before);
    // The first step creates a folder before the walk meets the file "plain".
    EXPECT_FALSE(spec.ResolveRelativePath("made/../../plain/x.txt", true));
    EXPECT_EQ(PathOf(spec), before);
    EXPECT_FALSE(spec.EnterSiblingFolder("missing", false));
    EXPECT_EQ(PathOf(spec), before);

    EXPECT_TRUE(spec.ResolveRelativePath("./../../other/x.txt", false));
    EXPECT_EQ(PathOf(spec), In("other/x.txt"));
    EXPECT_TRUE(spec.ResolveRelativePath("a/b/", true));
    EXPECT_EQ(PathOf(spec), In("other/a/b/x.txt"));
    EXPECT_TRUE(spec.EnterSiblingFolder("c", true));
    EXPECT_EQ(PathOf(spec), In("other/a/c/x.txt"));
}

TEST_F(FileSpecificationNativeTest, NameEditsWorkOnTheFileNameOnly) {
    Spec spec(In("dir/report").c_str());
    EXPECT_FALSE(spec.ReplaceExtension("xml", false, 0));
    EXPECT_TRUE(spec.ReplaceExtension(u"xml", true, 0));
    EXPECT_EQ(PathOf(spec), In("dir/report.xml"));

    const std::string longest(Spec::kMaxExtensionLengthChars, 'e');
    EXPECT_FALSE(spec.AddExtension((longest + "e").c_str(), 0));
    EXPECT_FALSE(spec.SetFileName("x/y"));
    EXPECT_FALSE(spec.SetFileName("bad\xC0\xAF"));
    EXPECT_EQ(PathOf(spec), In("dir/report.xml"));
    EXPECT_TRUE(spec.AddExtension(longest.c_str(), 0));
    EXPECT_EQ(PathOf(spec), In("dir/report.xml." + longest));

    char name[kNameBufferBytes];
    EXPECT_FALSE(spec.GetFileName(name, 4));
    EXPECT_STREQ(name, "");
    EXPECT_TRUE(spec.RemoveFileName());
    EXPECT_TRUE(spec.GetFileName(name, kNameBufferBytes));
    EXPECT_STREQ(name, "");
    EXPECT_TRUE(spec.GetFolderName(name, kNameBufferBytes));
    EXPECT_STREQ(name, "dir");
}

TEST_F(FileSpecificationNativeTest, LimitsAreCappedAndCopied) {
    Spec spec(In("f.txt").c_str());
    EXPECT_TRUE(spec.SetMaxNameLength(5));
    EXPECT_FALSE(spec.SetMaxNameLength(Spec::kMaxNameLengthLimitChars + 1));
    EXPECT_FALSE(spec.SetSecondLengthLimit(Spec::kMaxNameLengthLimitChars + 1));
    EXPECT_TRUE(spec.SetSecondLengthLimit(Spec::kMaxNameLengthLimitChars));
    EXPECT_FALSE(spec.SetFileName("123456"));

    Spec copy;
    copy.Assign(spec);
    EXPECT_EQ(PathOf(copy), In("f.txt"));
    EXPECT_FALSE(copy.SetFileName("123456"));
    EXPECT_TRUE(copy.SetMaxNameLength(Spec::kMaxNameLengthLimitChars));
    EXPECT_TRUE(copy.SetFileName("123456"));
    EXPECT_EQ(PathOf(spec), In("f.txt"));
}

// The lookup limit counts the whole path; the entries exist in both cases.
TEST_F(FileSpecificationNativeTest, PathsAtTheLookupLimitDoNotExist) {
    const std::size_t folderLength = Spec::kMaxLookupPathChars - 20 - In("").size();
    const std::string folder = In(std::string(folderLength, 'd'));
    ASSERT_TRUE(fs::create_directory(folder));
    const std::size_t fileLength = Spec::kMaxLookupPathChars - 1 - folder.size() - 1;
    const std::string below = folder + "/" + std::string(fileLength, 'f');
    const std::string atLimit = below + "f";
    std::ofstream(below).put('x');
    std::ofstream(atLimit).put('x');
    ASSERT_TRUE(fs::exists(atLimit));

    EXPECT_TRUE(Spec(below.c_str()).Exists());
    EXPECT_FALSE(Spec(atLimit.c_str()).Exists());
}

TEST_F(FileSpecificationNativeTest, ExistsAndIsFolderRespectTheFolderForm) {
    EXPECT_FALSE(Spec(In("f.txt/").c_str()).Exists());
    Spec folder;
    folder.Assign(Spec(In("dir").c_str()));
    EXPECT_TRUE(folder.Exists());

    Spec unnormalized(In("dir/missing").c_str());
    EXPECT_TRUE(unnormalized.SetFileName("sub"));
    EXPECT_TRUE(unnormalized.Exists());
    EXPECT_EQ(PathOf(unnormalized), In("dir/sub"));
    EXPECT_TRUE(unnormalized.IsFolder());
    EXPECT_EQ(PathOf(unnormalized), In("dir/sub/"));
    EXPECT_FALSE(Spec(In("f.txt").c_str()).IsFolder());
}

}  // namespace
