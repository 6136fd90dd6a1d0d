#include "M7LIO_StructuredIOXMLSave.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <clocale>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <ostream>
#include <string>
#include <vector>

#include "FileText.h"
#include "M7LIO_StructuredIOP.h"
#include "TempFolder.h"

namespace {

constexpr const char* kRootName = "M7LBarcodeProfile";
constexpr std::size_t kFileNameLimitBytes = NAME_MAX;
constexpr uid_t kNobodyId = 65534;
constexpr uid_t kUnchangedOwner = static_cast<uid_t>(-1);
constexpr const char* kDtdName = "M7LBarcodeProfile1_0";
constexpr std::int32_t kLocalDtdMode = 3;
constexpr const char* kHeader =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE M7LBarcodeProfile SYSTEM \"file:/C:/Mor7Lant/DTDs/M7LBarcodeProfile1_0.dtd\">\n";

// The text after the declaration and document type lines.
std::string Body(const std::string& document) {
    const std::size_t first = document.find('\n');
    const std::size_t second = document.find('\n', first + 1);
    return second == std::string::npos ? std::string() : document.substr(second + 1);
}

std::vector<std::string> FilesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    return names;
}

// A persistent class in the way the profile and its tests are: it opens its
// element, puts its values and lets its nested section produce itself.
class TestSection : public M7LIO_StructuredIOP {
public:
    bool Produce(M7LIO_StructuredIOR* receiver, const char* name) override {
        M7LIO_StructuredIOR* r = receiver->OpenElement(name, 0);
        if (r == nullptr) {
            return false;
        }
        const bool ok = r->PutInteger("Limit", 7);
        return r->CloseElement() != nullptr && ok;
    }
};

class TestSettings : public M7LIO_StructuredIOP {
public:
    bool Produce(M7LIO_StructuredIOR* receiver, const char* name) override {
        M7LIO_StructuredIOR* r = receiver->OpenElement(name, 0);
        if (r == nullptr) {
            return false;
        }
        static constexpr std::uint8_t kKey[] = {0x00, 0x0F, 0xF0, 0xFF};
        bool ok = r->PutString("Name", "<A & B> \"q\" 'a'");
        ok = r->PutInteger("Count", -42) && ok;
        ok = r->PutReal("Ratio", 0.15) && ok;
        ok = r->PutBoolean("Enabled", true) && ok;
        ok = r->PutBoolean("Fixed", false) && ok;
        ok = r->PutBinary("Key", kKey, sizeof kKey) && ok;
        ok = section_.Produce(r, "Section") && ok;
        M7LIO_StructuredIOR* marker = r->OpenElement("Marker", 0);
        ok = marker != nullptr && marker->CloseElement() != nullptr && ok;
        return r->CloseElement() != nullptr && ok;
    }

private:
    TestSection section_;
};

bool SaveSettings(const std::string& path) {
    M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), kRootName, kDtdName,
                                     kLocalDtdMode);
    writer.SetAttributeMode(false);
    writer.SetEmptyElementMode(true);
    TestSettings settings;
    const bool started = writer.StartDocument(kRootName, nullptr);
    const bool produced = settings.Produce(&writer, kRootName);
    return writer.FinishDocument() && started && produced;
}

constexpr const char* kSettingsDocument =
    "<M7LBarcodeProfile>\n"
    "<Name>&lt;A &amp; B&gt; &quot;q&quot; 'a'</Name>\n"
    "<Count>-42</Count>\n"
    "<Ratio>0.150000</Ratio>\n"
    "<Enabled>true</Enabled>\n"
    "<Fixed>false</Fixed>\n"
    "<Key>\n"
    "000ff0ff\n"
    "</Key>\n"
    "<Section>\n"
    "<Limit>7</Limit>\n"
    "</Section>\n"
    "<Marker/>\n"
    "</M7LBarcodeProfile>\n";

// Numbers are written the same whatever numeric locale the host set.
class XmlSaveLocaleTest : public testing::TestWithParam<std::vector<const char*>> {
protected:
    void TearDown() override { std::setlocale(LC_NUMERIC, "C"); }
};

TEST_P(XmlSaveLocaleTest, WritesTheSettingsDocumentExactly) {
    bool localeSet = false;
    for (const char* name : GetParam()) {
        if (std::setlocale(LC_NUMERIC, name) != nullptr) {
            localeSet = true;
            break;
        }
    }
    ASSERT_TRUE(localeSet) << "locale " << GetParam().front()
                           << " is not installed (scripts/install-deps.sh generates it)";
    TempFolder folder;
    const std::string path = folder / "settings.bcp";
    ASSERT_TRUE(SaveSettings(path));
    EXPECT_EQ(ReadFile(path), std::string(kHeader) + kSettingsDocument);
}

INSTANTIATE_TEST_SUITE_P(Locales, XmlSaveLocaleTest,
                         testing::Values(std::vector<const char*>{"C"},
                                         std::vector<const char*>{"de_DE.UTF-8", "de_DE.utf8",
                                                                  "de_DE", "German"}));

TEST(XmlSaveTest, DtdBaseModesNameTheWebFoldersOrTheLocalOne) {
    const std::string develop = M7LIO_StructuredIOXMLSave::SelectDtdBase(1);
    const std::string web = M7LIO_StructuredIOXMLSave::SelectDtdBase(2);
    ASSERT_GE(develop.size(), web.size());
    EXPECT_EQ(develop.rfind("http://", 0), 0u);
    EXPECT_TRUE(develop.ends_with("/Develop/dtd/"));
    EXPECT_EQ(develop.substr(0, develop.size() - std::string("Develop/dtd/").size()),
              web.substr(0, web.size() - std::string("dtd/").size()));
    EXPECT_TRUE(web.ends_with("/dtd/"));
    for (const std::int32_t mode : {0, 3, -1}) {
        EXPECT_STREQ(M7LIO_StructuredIOXMLSave::SelectDtdBase(mode), "file:/C:/Mor7Lant/DTDs/");
    }
}

struct EscapeCase {
    const char* text;
    std::size_t outputSize;
    const char* expected;
    bool complete;
};

// Escaping stops after the character that passes outputSize - 7 bytes, so
// the longest entity always fits with the terminator.
TEST(XmlSaveTest, EscapeTextReplacesMarkupWithinItsBuffer) {
    const EscapeCase cases[] = {
        {"<&>\"'", 64, "&lt;&amp;&gt;&quot;'", true},
        {"a\r\nb\tc", 64, "a&#13;\nb\tc", true},
        {"abc", 10, "abc", true},
        {"abcd", 10, "abcd", true},
        {"abcdef", 10, "abcd", false},
        {"a\"b", 10, "a&quot;", false},
        {"", 1, "", true},
    };
    for (const EscapeCase& c : cases) {
        SCOPED_TRACE(c.text);
        char output[64];
        EXPECT_EQ(M7LIO_StructuredIOXMLSave::EscapeText(c.text, output, c.outputSize), c.complete);
        EXPECT_STREQ(output, c.expected);
    }
}

struct LayoutCase {
    const char* description;
    bool attributeMode;
    bool emptyElementMode;
    std::function<void(M7LIO_StructuredIOR&)> produce;
    const char* expected;
};

std::function<void(M7LIO_StructuredIOR&)> ElementWith(
    std::function<void(M7LIO_StructuredIOR&)> content) {
    return [content](M7LIO_StructuredIOR& writer) {
        M7LIO_StructuredIOR* a = writer.OpenElement("A", 0);
        ASSERT_NE(a, nullptr);
        content(*a);
        a->CloseElement();
    };
}

TEST(XmlSaveTest, AttributeAndEmptyElementModesShapeTheLines) {
    const auto integer = [](M7LIO_StructuredIOR& r) { EXPECT_TRUE(r.PutInteger("I", 5)); };
    const auto string = [](M7LIO_StructuredIOR& r) { EXPECT_TRUE(r.PutString("S", "x")); };
    const LayoutCase cases[] = {
        {"attribute, empty element", true, true, ElementWith(integer), "<A\nI=\"5\"/>\n"},
        {"attribute, end tag", true, false, ElementWith(integer), "<A\nI=\"5\">\n</A>\n"},
        {"attribute before a child element", true, true, ElementWith([&](M7LIO_StructuredIOR& r) {
             integer(r);
             string(r);
         }),
         "<A\nI=\"5\">\n<S>x</S>\n</A>\n"},
        {"attribute after a child element falls back to an element", true, true,
         ElementWith([&](M7LIO_StructuredIOR& r) {
             string(r);
             integer(r);
         }),
         "<A>\n<S>x</S>\n<I>5</I>\n</A>\n"},
        {"every attribute kind", true, true, ElementWith([](M7LIO_StructuredIOR& r) {
             EXPECT_TRUE(r.PutAttributeString("T", "a\"b"));
             EXPECT_TRUE(r.PutReal("R", -0.5));
             EXPECT_TRUE(r.PutBoolean("B", true));
         }),
         "<A\nT=\"a&quot;b\"\nR=\"-0.500000\"\nB=\"true\"/>\n"},
        {"element mode", false, true, ElementWith(integer), "<A>\n<I>5</I>\n</A>\n"},
        {"no content, empty element", false, true, ElementWith([](M7LIO_StructuredIOR&) {}),
         "<A/>\n"},
        {"no content, end tag", false, false, ElementWith([](M7LIO_StructuredIOR&) {}),
         "<A>\n</A>\n"},
    };
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.description);
        TempFolder folder;
        const std::string path = folder / "layout.xml";
        {
            M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                             kLocalDtdMode);
            writer.SetAttributeMode(c.attributeMode);
            writer.SetEmptyElementMode(c.emptyElementMode);
            ASSERT_TRUE(writer.StartDocument("A", nullptr));
            c.produce(writer);
            ASSERT_TRUE(writer.FinishDocument());
        }
        EXPECT_EQ(Body(ReadFile(path)), c.expected);
    }
}

// Two digits per byte, a line feed after every 40th byte and after the last.
TEST(XmlSaveTest, BinaryValuesAreHexLinesOfFortyBytes) {
    struct HexCase {
        std::size_t byteCount;
        std::vector<std::size_t> lineDigits;
    };
    const HexCase cases[] = {
        {0, {}}, {1, {2}}, {40, {80}}, {41, {80, 2}}, {81, {80, 80, 2}},
    };
    for (const HexCase& c : cases) {
        SCOPED_TRACE(c.byteCount);
        TempFolder folder;
        const std::string path = folder / "hex.xml";
        const std::vector<std::uint8_t> bytes(c.byteCount, 0xAB);
        {
            M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                             kLocalDtdMode);
            ASSERT_TRUE(writer.StartDocument("A", nullptr));
            EXPECT_TRUE(writer.PutBinary("B", bytes.data(), bytes.size()));
            ASSERT_TRUE(writer.FinishDocument());
        }
        std::string expected = "<B>\n";
        for (const std::size_t digits : c.lineDigits) {
            for (std::size_t i = 0; i < digits / 2; ++i) {
                expected += "ab";
            }
            expected += "\n";
        }
        expected += "</B>\n";
        EXPECT_EQ(Body(ReadFile(path)), expected);
    }
}

TEST(XmlSaveTest, TargetThatCannotBeCreatedFailsTheWholeDocument) {
    TempFolder folder;
    const std::string missingFolderPath = folder / "missing/settings.bcp";
    const M7L_FileSpecificationNative targets[] = {
        M7L_FileSpecificationNative(missingFolderPath.c_str()),
        M7L_FileSpecificationNative(),
    };
    for (const M7L_FileSpecificationNative& target : targets) {
        M7LIO_StructuredIOXMLSave writer(target, kRootName, kDtdName, kLocalDtdMode);
        EXPECT_FALSE(writer.StartDocument(kRootName, nullptr));
        EXPECT_EQ(writer.OpenElement(kRootName, 0), nullptr);
        EXPECT_FALSE(writer.PutInteger("I", 1));
        EXPECT_FALSE(writer.FinishDocument());
    }
    EXPECT_TRUE(FilesIn(folder.Path()).empty());
}

TEST(XmlSaveTest, FinishedDocumentReplacesTheTargetAndAnAbandonedOneDoesNot) {
    for (const bool finish : {true, false}) {
        SCOPED_TRACE(finish ? "finished" : "abandoned");
        TempFolder folder;
        const std::string path = folder / "settings.bcp";
        WriteFile(path, "old");
        {
            M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                             kLocalDtdMode);
            ASSERT_TRUE(writer.StartDocument("A", nullptr));
            writer.PutInteger("I", 1);
            if (finish) {
                EXPECT_TRUE(writer.FinishDocument());
            }
        }
        EXPECT_EQ(ReadFile(path) == "old", !finish);
        EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"settings.bcp"});
    }
}

// The replacement is a new file; it must not change who may read the
// profile, nor replace a file its owner made read-only.
TEST(XmlSaveTest, ReplacedTargetKeepsItsPermissionsAndGroup) {
    TempFolder folder;
    const std::string path = folder / "settings.bcp";
    WriteFile(path, "old");
    constexpr auto kOwnerOnly =
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write;
    std::filesystem::permissions(path, kOwnerOnly);
    // Root may give the file any group, another user only one of its own.
    const gid_t group = ::geteuid() == 0 ? kNobodyId : ::getegid();
    ASSERT_EQ(::chown(path.c_str(), kUnchangedOwner, group), 0);
    M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                     kLocalDtdMode);
    ASSERT_TRUE(writer.StartDocument("A", nullptr));
    EXPECT_TRUE(writer.FinishDocument());
    EXPECT_EQ(std::filesystem::status(path).permissions(), kOwnerOnly);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_gid, group);
}

// A file or a symbolic link in the target's folder, as a save finds it.
struct FolderEntry {
    std::string name;
    // The file's content, or where the link leads.
    std::string content;
    bool link = false;
};

// Every file and link under the folder, by name relative to it.
std::map<std::string, FolderEntry> FolderEntries(const std::filesystem::path& folder) {
    std::map<std::string, FolderEntry> entries;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string name = entry.path().lexically_relative(folder).string();
        if (entry.is_symlink()) {
            entries[name] = {name, std::filesystem::read_symlink(entry.path()).string(), true};
        } else if (entry.is_regular_file()) {
            entries[name] = {name, ReadFile(entry.path().string())};
        }
    }
    return entries;
}

bool operator==(const FolderEntry& a, const FolderEntry& b) {
    return a.name == b.name && a.content == b.content && a.link == b.link;
}

void PrintTo(const FolderEntry& entry, std::ostream* out) {
    *out << entry.name << (entry.link ? " -> " : ": ") << entry.content;
}

struct SurroundingsCase {
    const char* description;
    std::string target;
    std::vector<FolderEntry> before;
    // Where the document goes: the target, or where its links lead.
    std::string written;
};

// A file name of the given length in bytes.
std::string NameOfBytes(std::size_t bytes, const std::string& filler = "n") {
    std::string name;
    while (name.size() + filler.size() + std::strlen(".bcp") <= bytes) {
        name += filler;
    }
    name.resize(bytes - std::strlen(".bcp"), 'n');
    return name + ".bcp";
}

// The save replaces the file the target names and touches nothing else:
// no file or link beside it, whatever its name, and links stay links. A
// target name up to the file system's limit saves.
TEST(XmlSaveTest, SaveTouchesNothingButTheFileTheTargetNames) {
    const std::string umlauts = NameOfBytes(kFileNameLimitBytes, "\xC3\xBC");
    const SurroundingsCase cases[] = {
        {"a stale file named like a temporary file",
         "old.bcp",
         {{"old.bcp", "old"}, {"old.bcp.tmp", "stale"}},
         "old.bcp"},
        {"a link named like a temporary file",
         "old.bcp",
         {{"old.bcp", "old"}, {"victim.txt", "victim"}, {"old.bcp.tmp", "victim.txt", true}},
         "old.bcp"},
        {"a new file beside a link named like its temporary file",
         "new.bcp",
         {{"victim.txt", "victim"}, {"new.bcp.tmp", "victim.txt", true}},
         "new.bcp"},
        {"a name of 252 bytes", NameOfBytes(252), {}, NameOfBytes(252)},
        {"a name of 253 bytes", NameOfBytes(253), {}, NameOfBytes(253)},
        {"a name of 254 bytes", NameOfBytes(254), {}, NameOfBytes(254)},
        {"an old file whose name has the longest length",
         NameOfBytes(kFileNameLimitBytes),
         {{NameOfBytes(kFileNameLimitBytes), "old"}},
         NameOfBytes(kFileNameLimitBytes)},
        {"the longest name of two-byte characters", umlauts, {}, umlauts},
        {"a link to the file",
         "link.bcp",
         {{"real.bcp", "old"}, {"link.bcp", "real.bcp", true}},
         "real.bcp"},
        {"a link into another folder",
         "link.bcp",
         {{"sub/real.bcp", "old"}, {"link.bcp", "sub/real.bcp", true}},
         "sub/real.bcp"},
        {"a link inside a folder",
         "sub/link.bcp",
         {{"sub/real.bcp", "old"}, {"sub/link.bcp", "real.bcp", true}},
         "sub/real.bcp"},
        {"a chain of links",
         "a.bcp",
         {{"c.bcp", "old"}, {"b.bcp", "c.bcp", true}, {"a.bcp", "b.bcp", true}},
         "c.bcp"},
        {"a link to a missing file", "link.bcp", {{"link.bcp", "new.bcp", true}}, "new.bcp"},
    };
    std::string document;
    {
        TempFolder plain;
        ASSERT_TRUE(SaveSettings(plain / "settings.bcp"));
        document = ReadFile(plain / "settings.bcp");
    }
    for (const SurroundingsCase& c : cases) {
        SCOPED_TRACE(c.description);
        TempFolder folder;
        std::map<std::string, FolderEntry> expected;
        for (const FolderEntry& entry : c.before) {
            const std::filesystem::path path = folder.Path() / entry.name;
            std::filesystem::create_directories(path.parent_path());
            if (entry.link) {
                std::filesystem::create_symlink(entry.content, path);
            } else {
                WriteFile(path.string(), entry.content);
            }
            expected[entry.name] = entry;
        }
        expected[c.written] = {c.written, document};
        EXPECT_TRUE(SaveSettings(folder / c.target));
        EXPECT_EQ(FolderEntries(folder.Path()), expected);
    }
}

// Killed at any moment, a process that saves over and over leaves the old
// file or a complete new one, and at most one temporary file, named after
// the target.
TEST(XmlSaveTest, KilledSaveLeavesAWholeFileAndOneTemporaryFile) {
    constexpr int kRounds = 20;
    constexpr useconds_t kDelayStepMicroseconds = 700;
    std::string document;
    {
        TempFolder plain;
        ASSERT_TRUE(SaveSettings(plain / "settings.bcp"));
        document = ReadFile(plain / "settings.bcp");
    }
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        TempFolder folder;
        const std::string path = folder / "settings.bcp";
        WriteFile(path, "old");
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (;;) {
                SaveSettings(path);
            }
        }
        ::usleep(kDelayStepMicroseconds * static_cast<useconds_t>(round));
        ::kill(saver, SIGKILL);
        ::waitpid(saver, nullptr, 0);
        const std::string text = ReadFile(path);
        EXPECT_TRUE(text == "old" || text == document) << text;
        const std::vector<std::string> names = FilesIn(folder.Path());
        EXPECT_LE(names.size(), 2u);
        for (const std::string& name : names) {
            EXPECT_TRUE(name.starts_with("settings.bcp")) << name;
        }
    }
}

// Root may write any file, so the refusal is checked in a child process
// that runs as an unprivileged user.
TEST(XmlSaveTest, ReadOnlyTargetIsNotReplaced) {
    TempFolder folder;
    std::filesystem::permissions(folder.Path(), std::filesystem::perms::all);
    const std::string path = folder / "settings.bcp";
    WriteFile(path, "old");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::group_read |
                                           std::filesystem::perms::others_read);
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgid(kNobodyId) != 0 || ::setuid(kNobodyId) != 0)) {
                std::_Exit(2);
            }
            M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                             kLocalDtdMode);
            const bool started = writer.StartDocument("A", nullptr);
            const bool finished = writer.FinishDocument();
            std::_Exit(!started && !finished && ReadFile(path) == "old" ? 0 : 1);
        },
        testing::ExitedWithCode(0), "");
}

struct RefusalCase {
    const char* description;
    // Runs inside the open root element; false when the writer refused.
    std::function<bool(M7LIO_StructuredIOR&)> act;
};

// What the writer cannot write so that it reads back whole is refused, and
// the refusal fails the save instead of leaving a damaged file behind.
TEST(XmlSaveTest, ValuesThatWouldNotReadBackAreRefusedAndFailTheSave) {
    const std::string longName(kM7LIO_XMLMaxNameChars + 1, 'n');
    const std::vector<std::uint8_t> tooManyBytes(kM7LIO_XMLMaxBinaryBytes + 1, 0x11);
    std::vector<std::uint8_t> incompressible(kM7LIO_XMLMaxBinaryBytes);
    for (std::size_t i = 0; i < incompressible.size(); ++i) {
        incompressible[i] = static_cast<std::uint8_t>(0x80 | i);
    }
    const RefusalCase cases[] = {
        {"value name over the limit",
         [&](M7LIO_StructuredIOR& r) { return r.PutInteger(longName.c_str(), 1); }},
        {"empty value name", [](M7LIO_StructuredIOR& r) { return r.PutBoolean("", true); }},
        {"value name the reader would read as an attribute",
         [](M7LIO_StructuredIOR& r) { return r.PutString("A B", "x"); }},
        {"element name the reader would skip as a declaration",
         [](M7LIO_StructuredIOR& r) { return r.OpenElement("!E", 0) != nullptr; }},
        {"element name over the limit",
         [&](M7LIO_StructuredIOR& r) { return r.OpenElement(longName.c_str(), 0) != nullptr; }},
        {"nesting over the limit",
         [](M7LIO_StructuredIOR& r) {
             M7LIO_StructuredIOR* inner = &r;
             for (std::size_t depth = 2; depth <= kM7LIO_XMLMaxDepthLevels; ++depth) {
                 inner = inner->OpenElement("E", 0);
                 EXPECT_NE(inner, nullptr) << depth;
                 if (inner == nullptr) {
                     return true;
                 }
             }
             return inner->OpenElement("E", 0) != nullptr;
         }},
        {"string over the bytes the reader takes",
         [](M7LIO_StructuredIOR& r) {
             return r.PutString("S", std::string(kM7LIO_XMLMaxStringBytes + 1, 'x').c_str());
         }},
        {"attribute string over the bytes the reader takes",
         [](M7LIO_StructuredIOR& r) {
             return r.PutAttributeString("T",
                                         std::string(kM7LIO_XMLMaxStringBytes + 1, '&').c_str());
         }},
        {"string that is not UTF-8",
         [](M7LIO_StructuredIOR& r) { return r.PutString("S", "M\xFCller"); }},
        {"string with an encoded surrogate",
         [](M7LIO_StructuredIOR& r) { return r.PutString("S", "\xED\xA0\x80"); }},
        {"string with a control character",
         [](M7LIO_StructuredIOR& r) { return r.PutString("S", "a\x01b"); }},
        {"string with a character XML forbids",
         [](M7LIO_StructuredIOR& r) { return r.PutString("S", "\xEF\xBF\xBF"); }},
        {"attribute string with a control character",
         [](M7LIO_StructuredIOR& r) { return r.PutAttributeString("T", "\x1B[0m"); }},
        {"wide string with a lone surrogate",
         [](M7LIO_StructuredIOR& r) {
             const char16_t text[] = {u'a', char16_t{0xD800}, u'b', 0};
             return r.PutWideString("W", text);
         }},
        {"wide string beyond the basic plane",
         [](M7LIO_StructuredIOR& r) { return r.PutWideString("W", u"\U0001F4E6"); }},
        {"wide string with a control character",
         [](M7LIO_StructuredIOR& r) { return r.PutWideString("W", u"a\u0007"); }},
        {"value name with a control character",
         [](M7LIO_StructuredIOR& r) { return r.PutInteger("I\x01", 1); }},
        {"value name starting with a digit",
         [](M7LIO_StructuredIOR& r) { return r.PutInteger("1I", 1); }},
        {"element name that is not UTF-8",
         [](M7LIO_StructuredIOR& r) { return r.OpenElement("E\xC3", 0) != nullptr; }},
        {"wide string over the units the reader takes",
         [](M7LIO_StructuredIOR& r) {
             return r.PutWideString("W", std::u16string(kM7LIO_XMLMaxWideUnits + 1, u'w').c_str());
         }},
        {"wide string whose UTF-8 form is over its buffer",
         [](M7LIO_StructuredIOR& r) {
             return r.PutWideString("W", std::u16string(kM7LIO_XMLMaxWideUnits, u'\u20AC').c_str());
         }},
        {"binary over the limit",
         [&](M7LIO_StructuredIOR& r) {
             return r.PutBinary("B", tooManyBytes.data(), tooManyBytes.size());
         }},
        {"scrambled input over the limit",
         [&](M7LIO_StructuredIOR& r) {
             return r.PutScrambledBinary("X", tooManyBytes.data(), tooManyBytes.size());
         }},
        {"scrambled form over the limit",
         [&](M7LIO_StructuredIOR& r) {
             return r.PutScrambledBinary("X", incompressible.data(), incompressible.size());
         }},
        {"not a number",
         [](M7LIO_StructuredIOR& r) {
             return r.PutReal("R", std::numeric_limits<double>::quiet_NaN());
         }},
        {"infinity",
         [](M7LIO_StructuredIOR& r) {
             return r.PutReal("R", std::numeric_limits<double>::infinity());
         }},
        {"element left open",
         [](M7LIO_StructuredIOR& r) {
             r.OpenElement("E", 0);
             return false;
         }},
    };
    for (const RefusalCase& c : cases) {
        SCOPED_TRACE(c.description);
        TempFolder folder;
        const std::string path = folder / "settings.bcp";
        WriteFile(path, "old");
        M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                         kLocalDtdMode);
        ASSERT_TRUE(writer.StartDocument("A", nullptr));
        M7LIO_StructuredIOR* root = writer.OpenElement("A", 0);
        ASSERT_NE(root, nullptr);
        EXPECT_FALSE(c.act(*root));
        root->CloseElement();
        EXPECT_FALSE(writer.FinishDocument());
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"settings.bcp"});
    }
}

// A file size limit makes the file system refuse bytes as a full disk
// would; without SIGXFSZ ignored the process would be killed instead.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limited = previous_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = SIG_DFL;
};

TEST(XmlSaveTest, WriteErrorsFailTheSaveAndKeepTheOldTarget) {
    constexpr rlim_t kFileLimitBytes = 64;
    constexpr int kFewValues = 3;
    constexpr int kManyValues = 2000;
    // A small document fails when it is flushed, a large one while writing.
    for (const int valueCount : {kFewValues, kManyValues}) {
        SCOPED_TRACE(valueCount);
        TempFolder folder;
        const std::string path = folder / "settings.bcp";
        WriteFile(path, "old");
        bool finished = true;
        {
            M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), "A", "A",
                                             kLocalDtdMode);
            const FileSizeLimit limit(kFileLimitBytes);
            writer.StartDocument("A", nullptr);
            M7LIO_StructuredIOR* root = writer.OpenElement("A", 0);
            for (int i = 0; root != nullptr && i < valueCount; ++i) {
                root->PutString("Value", "a value line long enough to pass the limit");
            }
            if (root != nullptr) {
                root->CloseElement();
            }
            finished = writer.FinishDocument();
        }
        EXPECT_FALSE(finished);
        EXPECT_EQ(ReadFile(path), "old");
        EXPECT_EQ(FilesIn(folder.Path()), std::vector<std::string>{"settings.bcp"});
    }
}

}  // namespace
