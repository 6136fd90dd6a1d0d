#include "M7LReplacedFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>

#include <sys/stat.h>

#include "FileText.h"
#include "TempFolder.h"

namespace {

// Writes text through a replaced file and commits it as complete or not.
bool Replace(const std::string& path, const std::string& text, bool complete) {
    M7LReplacedFile file;
    std::FILE* stream = file.Open(path.c_str());
    if (stream == nullptr) {
        return false;
    }
    std::fputs(text.c_str(), stream);
    return file.Commit(complete);
}

std::size_t EntryCount(const std::filesystem::path& folder) {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(folder),
                                                  std::filesystem::directory_iterator()));
}

}  // namespace

TEST(ReplacedFile, ReplacesWholeOrLeavesTheTargetAsItWas) {
    TempFolder folder;
    const std::string target = folder / "report.txt";
    WriteFile(target, "old");
    ::chmod(target.c_str(), 0640);

    EXPECT_FALSE(Replace(target, "half", false));
    EXPECT_EQ(ReadFile(target), "old");
    EXPECT_EQ(EntryCount(folder.Path()), 1u);

    {
        M7LReplacedFile abandoned;
        ASSERT_NE(abandoned.Open(target.c_str()), nullptr);
    }
    EXPECT_EQ(EntryCount(folder.Path()), 1u);

    EXPECT_TRUE(Replace(target, "new", true));
    EXPECT_EQ(ReadFile(target), "new");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0640u);
    EXPECT_EQ(EntryCount(folder.Path()), 1u);

    EXPECT_TRUE(Replace(folder / "new.txt", "made", true));
    EXPECT_EQ(ReadFile(folder / "new.txt"), "made");
}

TEST(ReplacedFile, KeepsALinkAndReplacesTheFileItLeadsTo) {
    TempFolder folder;
    WriteFile(folder / "real.txt", "old");
    std::filesystem::create_symlink("real.txt", folder / "link.txt");

    EXPECT_TRUE(Replace(folder / "link.txt", "new", true));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.txt"));
    EXPECT_EQ(ReadFile(folder / "real.txt"), "new");
}

TEST(ReplacedFile, RefusesWhatItCannotReplace) {
    TempFolder folder;
    M7LReplacedFile file;
    EXPECT_EQ(file.Open(nullptr), nullptr);
    EXPECT_EQ(file.Open(""), nullptr);
    EXPECT_EQ(file.Open((folder / "missing/report.txt").c_str()), nullptr);
    EXPECT_FALSE(file.Commit(true));
}
