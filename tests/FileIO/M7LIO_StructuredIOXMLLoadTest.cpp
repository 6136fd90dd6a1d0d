#include "M7LIO_StructuredIOXMLLoad.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "M7LFailure.h"
#include "M7LIO_ScrambledBinary.h"
#include "M7LIO_StructuredIOXMLSave.h"
#include "RecordingReceiver.h"
#include "TempFolder.h"

namespace {

using Log = std::vector<std::string>;

constexpr const char* kRoot = "Root";
constexpr std::int32_t kLocalDtdMode = 3;

const RecordingReceiver::TypeTable kRootTypes = {
    {"S", kM7LIO_String},
    {"W", kM7LIO_WideString},
    {"I", kM7LIO_Integer},
    {"J", kM7LIO_Integer},
    {"R", kM7LIO_Real},
    {"B", kM7LIO_Boolean},
    {"F", kM7LIO_Boolean},
    {"T", kM7LIO_AttributeString},
    {"Bin", kM7LIO_Binary},
    {"X", kM7LIO_ScrambledBinary},
    {"Y", kM7LIO_ScrambledBinary},
    {"E", kM7LIO_Element},
    {"Child", kM7LIO_Element},
};
const RecordingReceiver::TypeTable kChildTypes = {
    {"C", kM7LIO_Integer}, {"D", kM7LIO_String}, {"Inner", kM7LIO_Element}};

// A root receiver that hands "Child" to a child receiver, as the profile
// hands each test element to its test.
class ReceiverFixture {
public:
    explicit ReceiverFixture(RecordingReceiver::TypeTable rootTypes = kRootTypes)
        : root(std::move(rootTypes)), child(kChildTypes, "child") {
        root.DelegateTo("Child", child);
    }

    // Loads the way a persistent class is loaded; the log starts with the
    // reader's calls.
    bool Load(std::string_view document) {
        root.StartDocument(kRoot, nullptr);
        root.ClearLog();
        M7LIO_StructuredIOXMLLoad reader{M7L_FileSpecificationNative()};
        return reader.ProduceFromText(&root, kRoot, document);
    }

    bool LoadFile(const M7L_FileSpecificationNative& source) {
        root.StartDocument(kRoot, nullptr);
        root.ClearLog();
        M7LIO_StructuredIOXMLLoad reader(source);
        return reader.Produce(&root, kRoot);
    }

    RecordingReceiver root;
    RecordingReceiver child;
};

std::vector<std::uint8_t> CountingBytes(std::size_t count) {
    std::vector<std::uint8_t> bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 1);
    }
    return bytes;
}

std::string Hex(const std::vector<std::uint8_t>& bytes) {
    return RecordingReceiver::Hex(bytes.data(), bytes.size());
}

// Every kind of value, a nested element, a delegated element with a nested
// element of its own and an element without content.
void ProduceEveryKind(M7LIO_StructuredIOR& writer) {
    const std::vector<std::uint8_t> binary = CountingBytes(41);
    const std::vector<std::uint8_t> shortSecret = CountingBytes(5);
    const std::vector<std::uint8_t> longSecret = CountingBytes(300);
    M7LIO_StructuredIOR* r = writer.OpenElement(kRoot, 0);
    ASSERT_NE(r, nullptr);
    EXPECT_TRUE(r->PutInteger("I", -2147483647 - 1));
    EXPECT_TRUE(r->PutInteger("J", 2147483647));
    EXPECT_TRUE(r->PutReal("R", 0.15));
    EXPECT_TRUE(r->PutBoolean("B", true));
    EXPECT_TRUE(r->PutBoolean("F", false));
    EXPECT_TRUE(r->PutAttributeString("T", "attr \"q\" & <x>"));
    EXPECT_TRUE(r->PutString("S", "<&>\"' text"));
    EXPECT_TRUE(r->PutWideString("W", u"Pr\u00fcfung \u20ac"));
    EXPECT_TRUE(r->PutBinary("Bin", binary.data(), binary.size()));
    EXPECT_TRUE(r->PutScrambledBinary("X", shortSecret.data(), shortSecret.size()));
    EXPECT_TRUE(r->PutScrambledBinary("Y", longSecret.data(), longSecret.size()));
    M7LIO_StructuredIOR* e = r->OpenElement("E", 0);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->PutInteger("I", 1));
    e->CloseElement();
    M7LIO_StructuredIOR* child = r->OpenElement("Child", 0);
    ASSERT_NE(child, nullptr);
    EXPECT_TRUE(child->PutInteger("C", 3));
    M7LIO_StructuredIOR* inner = child->OpenElement("Inner", 0);
    ASSERT_NE(inner, nullptr);
    EXPECT_TRUE(inner->PutString("D", "d"));
    inner->CloseElement();
    child->CloseElement();
    M7LIO_StructuredIOR* empty = r->OpenElement("E", 0);
    ASSERT_NE(empty, nullptr);
    empty->CloseElement();
    r->CloseElement();
}

Log EveryKindLog() {
    return {
        "BeginDocument",
        "BeginElement(Root)",
        "PutInteger(I, -2147483648)",
        "PutInteger(J, 2147483647)",
        "PutReal(R, 0.15)",
        "PutBoolean(B, true)",
        "PutBoolean(F, false)",
        "PutAttributeString(T, attr \"q\" & <x>)",
        "PutString(S, <&>\"' text)",
        "PutWideString(W, Pr\\u00fcfung \\u20ac)",
        "PutBinary(Bin, " + Hex(CountingBytes(41)) + ")",
        "PutScrambledBinary(X, " + Hex(CountingBytes(5)) + ")",
        "PutScrambledBinary(Y, " + Hex(CountingBytes(300)) + ")",
        "BeginElement(E)",
        "PutInteger(I, 1)",
        "EndElement",
        "BeginElement(Child)",
        "child: BeginDocument",
        "child: BeginElement(Child)",
        "child: PutInteger(C, 3)",
        "child: BeginElement(Inner)",
        "child: PutString(D, d)",
        "child: EndElement",
        "child: EndElement",
        "EndElement",
        "child: EndDocument",
        "BeginElement(E)",
        "EndElement",
        "EndElement",
        "EndDocument",
    };
}

// In attribute mode the integers, reals, booleans and attribute strings
// before the first child element become attributes of the root's start tag.
class XmlRoundTripTest : public testing::TestWithParam<bool> {};

TEST_P(XmlRoundTripTest, WhatTheWriterWritesReadsBackWhole) {
    TempFolder folder;
    const std::string path = folder / "every-kind.xml";
    {
        M7LIO_StructuredIOXMLSave writer(M7L_FileSpecificationNative(path.c_str()), kRoot, kRoot,
                                         kLocalDtdMode);
        writer.SetAttributeMode(GetParam());
        writer.SetEmptyElementMode(true);
        ASSERT_TRUE(writer.StartDocument(kRoot, nullptr));
        ProduceEveryKind(writer);
        ASSERT_TRUE(writer.FinishDocument());
    }
    ReceiverFixture receivers;
    EXPECT_TRUE(receivers.LoadFile(M7L_FileSpecificationNative(path.c_str())));
    EXPECT_EQ(receivers.root.Log(), EveryKindLog());
}

INSTANTIATE_TEST_SUITE_P(AttributeModes, XmlRoundTripTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool>& info) {
                             return info.param ? "Attributes" : "Elements";
                         });

// The writer's limits are the reader's: the largest values it accepts,
// also when every character needs escaping, read back unchanged.
TEST(XmlLoadTest, ValuesAtTheWritersLimitsReadBack) {
    const std::string longName(kM7LIO_XMLMaxNameChars, 'n');
    const std::string longElement(kM7LIO_XMLMaxNameChars, 'e');
    const std::string longString = std::string(1017, 's') + "\"";
    const std::string quotes(kM7LIO_XMLMaxStringBytes, '"');
    const std::string ampersands(kM7LIO_XMLMaxStringBytes, '&');
    const std::u16string longWide(kM7LIO_XMLMaxWideUnits, u'w');
    // Three bytes per euro sign: the longest UTF-8 form the reader takes.
    constexpr std::size_t kEuroSigns = kM7LIO_XMLMaxWideBytes / 3;
    const std::u16string widestWide = std::u16string(kEuroSigns, u'\u20AC') + u"&";
    std::string widestShown;
    for (std::size_t i = 0; i < kEuroSigns; ++i) {
        widestShown += "\\u20ac";
    }
    const std::vector<std::uint8_t> binary = CountingBytes(kM7LIO_XMLMaxBinaryBytes);
    const std::vector<std::uint8_t> zeros(kM7LIO_XMLMaxBinaryBytes, 0);
    std::string document;
    {
        TempFolder folder;
        const std::string path = folder / "limits.xml";
        M7LIO_StructuredIOXMLSave fileWriter(M7L_FileSpecificationNative(path.c_str()), kRoot,
                                             kRoot, kLocalDtdMode);
        ASSERT_TRUE(fileWriter.StartDocument(kRoot, nullptr));
        M7LIO_StructuredIOR* r = fileWriter.OpenElement(kRoot, 0);
        ASSERT_NE(r, nullptr);
        EXPECT_TRUE(r->PutInteger(longName.c_str(), 1));
        EXPECT_TRUE(r->PutString("S", longString.c_str()));
        EXPECT_TRUE(r->PutString("S", quotes.c_str()));
        EXPECT_TRUE(r->PutAttributeString("T", ampersands.c_str()));
        EXPECT_TRUE(r->PutWideString("W", longWide.c_str()));
        EXPECT_TRUE(r->PutWideString("W", widestWide.c_str()));
        M7LIO_StructuredIOR* element = r->OpenElement(longElement.c_str(), 0);
        ASSERT_NE(element, nullptr);
        element->CloseElement();
        EXPECT_TRUE(r->PutBinary("Bin", binary.data(), binary.size()));
        EXPECT_TRUE(r->PutScrambledBinary("X", zeros.data(), zeros.size()));
        r->CloseElement();
        ASSERT_TRUE(fileWriter.FinishDocument());
        std::ifstream in(path, std::ios::binary);
        document.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    RecordingReceiver::TypeTable types = kRootTypes;
    types[longName] = kM7LIO_Integer;
    types[longElement] = kM7LIO_Element;
    ReceiverFixture receivers(types);
    EXPECT_TRUE(receivers.Load(document));
    const Log expected = {
        "BeginDocument",
        "BeginElement(Root)",
        "PutInteger(" + longName + ", 1)",
        "PutString(S, " + longString + ")",
        "PutString(S, " + quotes + ")",
        "PutAttributeString(T, " + ampersands + ")",
        "PutWideString(W, " + std::string(kM7LIO_XMLMaxWideUnits, 'w') + ")",
        "PutWideString(W, " + widestShown + "&)",
        "BeginElement(" + longElement + ")",
        "EndElement",
        "PutBinary(Bin, " + Hex(binary) + ")",
        "PutScrambledBinary(X, " + Hex(zeros) + ")",
        "EndElement",
        "EndDocument",
    };
    EXPECT_EQ(receivers.root.Log(), expected);
}

struct DocumentCase {
    const char* description;
    std::string document;
    Log expected;
};

Log Wrapped(Log inner) {
    Log log = {"BeginDocument", "BeginElement(Root)"};
    log.insert(log.end(), inner.begin(), inner.end());
    log.push_back("EndElement");
    log.push_back("EndDocument");
    return log;
}

TEST(XmlLoadTest, ToleratesWhatTheWriterOrAnEditorMayWrite) {
    const std::string lowerHex =
        "0123456789abcdef0123456789abcdef0123456789abcdef"
        "0123456789abcdef0123456789abcdef\nab\n";
    std::string upperHex = lowerHex;
    for (char& c : upperHex) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const std::string hexBytes =
        "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdefab";
    const DocumentCase cases[] = {
        {"declaration, document type, comments and processing instructions are skipped",
         "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE Root SYSTEM \"x.dtd\">\n"
         "<!-- a > b -->\n<?pi data?>\n<Root>\n<!-- inner -->\n<I>5</I>\n</Root>\n<!-- end -->\n",
         Wrapped({"PutInteger(I, 5)"})},
        {"empty-element tags with and without a space", "<Root><E/><E /></Root>",
         Wrapped({"BeginElement(E)", "EndElement", "BeginElement(E)", "EndElement"})},
        {"a boolean is true only for exactly \"true\"",
         "<Root><B>True</B><B>true</B><B>1</B></Root>",
         Wrapped({"PutBoolean(B, false)", "PutBoolean(B, true)", "PutBoolean(B, false)"})},
        {"lower-case hex across lines", "<Root><Bin>\n" + lowerHex + "</Bin></Root>",
         Wrapped({"PutBinary(Bin, " + hexBytes + ")"})},
        {"upper-case hex across lines", "<Root><Bin>\n" + upperHex + "</Bin></Root>",
         Wrapped({"PutBinary(Bin, " + hexBytes + ")"})},
        {"CRLF line ends",
         "<?xml version=\"1.0\"?>\r\n<Root>\r\n<I>5</I>\r\n<E\r\nI=\"6\"/>\r\n</Root>\r\n",
         Wrapped({"PutInteger(I, 5)", "BeginElement(E)", "PutInteger(I, 6)", "EndElement"})},
        {"white space before the end of tags", "<Root ><E ></E ><I>5</I ></Root >",
         Wrapped({"BeginElement(E)", "EndElement", "PutInteger(I, 5)"})},
        {"an unknown scalar is skipped and later values still arrive",
         "<Root><U>x</U><I>5</I></Root>", Wrapped({"PutInteger(I, 5)"})},
        {"the root is opened once and its attributes follow BeginDocument",
         "<Root I=\"5\" T=plain U=\"skipped\"><S>x</S></Root>",
         Wrapped({"PutInteger(I, 5)", "PutAttributeString(T, plain)", "PutString(S, x)"})},
        {"numbers are read from the start of the text",
         "<Root><I> +12 apples</I><R>2.5e1x</R></Root>",
         Wrapped({"PutInteger(I, 12)", "PutReal(R, 25)"})},
        {"predefined entities and character references",
         "<Root><S>&amp;lt; &apos;&#65;&#x42;&#xe9;&#13;&#x1F600;</S></Root>",
         Wrapped({"PutString(S, &lt; 'AB\xC3\xA9\r\xF0\x9F\x98\x80)"})},
        {"line ends inside values read as line feeds", "<Root><S>a\r\nb\rc\nd</S></Root>",
         Wrapped({"PutString(S, a\nb\nc\nd)"})},
        {"empty-element tags of scalars read as empty values",
         "<Root><S/><T /><B/><Bin/><U/></Root>",
         Wrapped({"PutString(S, )", "PutAttributeString(T, )", "PutBoolean(B, false)",
                  "PutBinary(Bin, )"})},
        {"a document type is skipped whole, whatever its literals and subset hold",
         "<?xml version=\"1.0\"?>\n<!DOCTYPE Root SYSTEM \"a>b.dtd\" [\n"
         "<!ENTITY e \"<I>6</I>\">\n<!ATTLIST Root a CDATA '>]'>\n"
         "<!-- ]> <I>7</I> -->\n<?pi ]> <I>8</I> ?>\n]>\n<Root><I>5</I></Root>\n",
         Wrapped({"PutInteger(I, 5)"})},
        {"a byte order mark", "\xEF\xBB\xBF<Root><I>5</I></Root>", Wrapped({"PutInteger(I, 5)"})},
        {"an empty root element",
         "<Root/>",
         {"BeginDocument", "BeginElement(Root)", "EndElement", "EndDocument"}},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.description);
        ReceiverFixture receivers;
        EXPECT_TRUE(receivers.Load(c.document));
        EXPECT_EQ(receivers.root.Log(), c.expected);
    }
}

// A refused tag stops the parse; what arrived before it stays, and the
// receiver is finished.
TEST(XmlLoadTest, StrictFailuresStopAtTheOffendingTag) {
    const Log openedRoot = {"BeginDocument", "BeginElement(Root)", "EndDocument"};
    const DocumentCase cases[] = {
        {"an end tag before the first element", "</Root><Root></Root>", {}},
        {"an unknown element with attributes", "<Root><U a=\"1\"></U></Root>", openedRoot},
        {"a scalar with attributes", "<Root><I x=\"1\">5</I></Root>", openedRoot},
        {"an empty integer", "<Root><I/></Root>", openedRoot},
        {"a value holding a child", "<Root><I>5<J>6</J></I></Root>", openedRoot},
        {"a value after the failure does not arrive",
         "<Root><I>1</I><I x=\"1\">2</I><I>3</I>",
         {"BeginDocument", "BeginElement(Root)", "PutInteger(I, 1)", "EndDocument"}},
    };
    for (const DocumentCase& c : cases) {
        SCOPED_TRACE(c.description);
        ReceiverFixture receivers;
        EXPECT_FALSE(receivers.Load(c.document));
        EXPECT_EQ(receivers.root.Log(), c.expected);
    }
}

TEST(XmlLoadTest, SourceThatCannotBeReadLeavesTheReceiverUntouched) {
    TempFolder folder;
    const std::string missing = folder / "missing.bcp";
    const std::string oversized = folder / "oversized.bcp";
    {
        std::ofstream out(oversized, std::ios::binary);
        out << "<Root>" << std::string(M7LIO_StructuredIOXMLLoad::kMaxDocumentBytes, ' ')
            << "</Root>";
    }
    const M7L_FileSpecificationNative sources[] = {
        M7L_FileSpecificationNative(missing.c_str()),
        M7L_FileSpecificationNative(oversized.c_str()),
        M7L_FileSpecificationNative(),
        M7L_FileSpecificationNative(""),
        M7L_FileSpecificationNative(folder.Path().string().c_str()),
    };
    for (const M7L_FileSpecificationNative& source : sources) {
        ReceiverFixture receivers;
        EXPECT_FALSE(receivers.LoadFile(source));
        EXPECT_TRUE(receivers.root.Log().empty());
    }
}

TEST(XmlLoadTest, NullReceiverFromTheReceiverFailsTheParse) {
    ReceiverFixture receivers;
    receivers.root.RefuseElement("E");
    EXPECT_FALSE(receivers.Load("<Root><E><I>5</I></E></Root>"));
    EXPECT_EQ(receivers.root.Log(),
              (Log{"BeginDocument", "BeginElement(Root)", "BeginElement(E)", "EndDocument"}));
}

std::string HexText(const std::uint8_t* bytes, std::size_t count) {
    return RecordingReceiver::Hex(bytes, count);
}

int gFailureReports = 0;

int CountFailureReport(const char*, int, int, const char*, const char*, int, const char*) {
    ++gFailureReports;
    return 0;
}

// Input no writer makes fails cleanly: no crash, no overflow, no value cut
// short, and false so that nothing is adopted.
TEST(XmlLoadTest, HostileInputFails) {
    constexpr std::size_t kExpandingZeroBytes = 4000;
    const std::vector<std::uint8_t> zeros(kExpandingZeroBytes, 0);
    std::uint8_t expanding[kMaxScrambledInputBytes];
    const std::optional<std::size_t> expandingBytes = ScrambleBinaryValue(
        zeros.data(), zeros.size(), kM7LIO_XMLScrambleKey, expanding, sizeof expanding);
    ASSERT_TRUE(expandingBytes.has_value());
    const std::string longName(kM7LIO_XMLMaxNameChars + 1, 'n');
    const std::string longValue(kM7LIO_XMLMaxValueBytes + 1, 'v');
    const auto inRoot = [](const std::string& content) { return "<Root>" + content + "</Root>"; };
    const struct {
        const char* description;
        std::string document;
    } cases[] = {
        {"empty input", ""},
        {"no root element", "<?xml version=\"1.0\"?>\n<!-- nothing -->\n"},
        {"a NUL byte", inRoot(std::string("<S>a\0b</S>", 10))},
        {"an unknown element holding children", inRoot("<U><I>5</I></U>")},
        {"a wrong root", "<Other><I>5</I></Other>"},
        {"a second root", "<Root></Root><Root></Root>"},
        {"an end tag after the root", "<Root></Root></Root>"},
        {"an empty tag name", inRoot("< I>5</I>")},
        {"an element name over the limit", inRoot("<" + longName + ">1</x>")},
        {"an attribute name over the limit", inRoot("<E " + longName + "=\"1\"/>")},
        {"an attribute without a name", inRoot("<E =\"1\"/>")},
        {"a value over the limit", inRoot("<S>" + longValue + "</S>")},
        {"an unknown value over the limit", inRoot("<U>" + longValue + "</U>")},
        {"an attribute value over the limit", inRoot("<E T=\"" + longValue + "\"/>")},
        {"a string over its buffer", inRoot("<S>" + std::string(1024, 's') + "</S>")},
        {"a wide string over its buffer", inRoot("<W>" + std::string(1024, 'w') + "</W>")},
        {"a wide string that is not UTF-8", inRoot("<W>\xff</W>")},
        // Wide strings are converted unit by unit, which no character beyond
        // the basic plane survives.
        {"a wide string beyond the basic plane", inRoot("<W>\xF0\x9F\x98\x80</W>")},
        {"more than 1024 hex bytes", inRoot("<Bin>" + std::string(2050, 'a') + "</Bin>")},
        {"more than 1024 scrambled bytes", inRoot("<X>" + std::string(2050, 'a') + "</X>")},
        {"scrambled data that expands beyond its buffer",
         inRoot("<X>" + HexText(expanding, *expandingBytes) + "</X>")},
        {"an unterminated attribute value", inRoot("<E I=\"5/>")},
        {"an unterminated tag", "<Root><E I=\"5\""},
        {"an integer over 32 bits", inRoot("<I>99999999999</I>")},
        {"an integer under 32 bits", inRoot("<I>-2147483649</I>")},
        {"an integer without digits", inRoot("<I>x</I>")},
        {"an integer attribute without a value", inRoot("<E I/>")},
        {"a real that is not a number", inRoot("<R>nan</R>")},
        {"an infinite real", inRoot("<R>inf</R>")},
        {"a real out of range", inRoot("<R>1e999</R>")},
        {"a real attribute that is not a number", inRoot("<E R=\"NaN\"/>")},
        {"ill-formed UTF-8 in a value", inRoot("<S>a\xFF b</S>")},
        {"ill-formed UTF-8 in a name", inRoot("<\xC3>1</\xC3>")},
        {"an encoded surrogate", inRoot("<S>\xED\xA0\x80</S>")},
        {"a control character", inRoot("<S>a\x01</S>")},
        {"a control character in a comment", "<!-- \x1B --><Root/>"},
        {"a character XML forbids", inRoot("<S>\xEF\xBF\xBE</S>")},
        {"a reference to a control character", inRoot("<S>&#1;</S>")},
        {"a reference beyond Unicode", inRoot("<S>&#x110000;</S>")},
        {"a reference without digits", inRoot("<S>&#;&#x;</S>")},
        {"an undeclared entity", inRoot("<S>a &foo; b</S>")},
        {"a bare ampersand", inRoot("<S>a & b</S>")},
        {"an unterminated reference", inRoot("<S>&amp</S>")},
        {"an undeclared entity between elements", inRoot("&foo;<I>1</I>")},
        {"an undeclared entity in a value nobody takes", inRoot("<U>&foo;</U>")},
        {"an entity the document type declares",
         "<!DOCTYPE Root [<!ENTITY e \"x\">]><Root><S>&e;</S></Root>"},
        {"text after the root", "<Root/>\njunk\n"},
        {"text before the root", "junk<Root/>"},
        {"a document type inside the root", "<Root><!DOCTYPE Root></Root>"},
        {"a second document type", "<!DOCTYPE Root><!DOCTYPE Root><Root/>"},
        {"an unterminated document type", "<!DOCTYPE Root [ <Root/>"},
        {"an unterminated literal in the document type", "<!DOCTYPE Root SYSTEM \"x><Root/>"},
        {"an unterminated comment after the root", "<Root/><!-- x"},
        {"two hyphens inside a comment", "<!-- a -- b --><Root/>"},
        {"an unterminated processing instruction after the root", "<Root/><?pi"},
        {"a lone \"<\" after the root", "<Root/><"},
        {"an unterminated tag after the root", "<Root/><a"},
        {"a CDATA section", inRoot("<![CDATA[x]]>")},
        {"an attribute named like an element", "<Root E=\"1\"/>"},
        {"a binary attribute", "<Root Bin=\"00\"/>"},
        {"a scrambled attribute", "<Root X=\"00\"/>"},
        {"a \"<\" in an attribute value", "<Root T=\"a<b\"/>"},
        {"an attribute name that is no name", "<Root 1=\"1\"/>"},
        {"an end tag with an attribute", "<Root></Root a=\"1\">"},
        {"an end tag as an empty-element tag", "<Root></Root/>"},
        {"a value's end tag that is no name", inRoot("<I>5</ I>")},
        {"a value closed by another name", inRoot("<I>1</X>")},
        {"an element closed by another name", inRoot("<E></F>")},
        {"the root closed by another name", "<Root><E></E></Z>"},
        {"an element name that is no name", inRoot("<1E/>")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.description);
        ReceiverFixture receivers;
        gFailureReports = 0;
        SetFailureHandler(&CountFailureReport);
        EXPECT_FALSE(receivers.Load(c.document));
        SetFailureHandler(nullptr);
        // The program's own faults are reported; the file's are not.
        EXPECT_EQ(gFailureReports, 0);
    }
}

TEST(XmlLoadTest, EveryTruncationOfADocumentFails) {
    const std::string document =
        "<?xml version=\"1.0\"?>\n<Root>\n<I>5</I>\n<E\nI=\"6\"/>\n<Child>\n<C>3</C>\n</Child>\n"
        "<S>text</S>\n</Root>\n";
    const std::size_t complete = document.rfind('>') + 1;
    for (std::size_t length = 0; length < complete; ++length) {
        SCOPED_TRACE(document.substr(0, length));
        ReceiverFixture receivers;
        EXPECT_FALSE(receivers.Load(std::string_view(document).substr(0, length)));
    }
    ReceiverFixture receivers;
    EXPECT_TRUE(receivers.Load(std::string_view(document).substr(0, complete)));
}

struct ReportedFailure {
    int errorNumber;
    std::string message;
    std::string sourceFile;
    int line;
};
std::vector<ReportedFailure> gReported;

int RecordFailure(const char*, int, int errorNumber, const char* message, const char* sourceFile,
                  int line, const char*) {
    gReported.push_back({errorNumber, message, sourceFile, line});
    return 0;
}

// A type outside the known kinds is the receiver's fault, not the file's:
// it is reported and reading goes on.
TEST(XmlLoadTest, TypesOutsideTheKnownKindsAreReportedAndPassedOver) {
    RecordingReceiver::TypeTable types = kRootTypes;
    constexpr int kUndefinedType = 42;
    types["Odd"] = kUndefinedType;
    ReceiverFixture receivers(types);
    gReported.clear();
    SetFailureHandler(&RecordFailure);
    const bool loaded = receivers.Load("<Root Odd=\"y\" I=\"1\"><Odd>x</Odd><I>5</I></Root>");
    SetFailureHandler(nullptr);
    EXPECT_TRUE(loaded);
    EXPECT_EQ(receivers.root.Log(), Wrapped({"PutInteger(I, 1)", "PutInteger(I, 5)"}));
    ASSERT_EQ(gReported.size(), 2u);
    const int lines[] = {1188, 997};
    for (std::size_t i = 0; i < gReported.size(); ++i) {
        EXPECT_EQ(gReported[i].errorNumber, 0);
        EXPECT_EQ(gReported[i].message, "case outside our defined types ?!");
        EXPECT_EQ(gReported[i].sourceFile, "FileIO/Sources/CPP/M7LIO_StructuredIOXML");
        EXPECT_EQ(gReported[i].line, lines[i]);
    }
}

TEST(XmlLoadTest, UnescapeTextStopsAtItsBuffer) {
    char output[8];
    EXPECT_TRUE(M7LIO_StructuredIOXMLLoad::UnescapeText("&lt;&gt;&quot;&amp;", output, 8));
    EXPECT_STREQ(output, "<>\"&");
    EXPECT_TRUE(M7LIO_StructuredIOXMLLoad::UnescapeText("1234567", output, 8));
    EXPECT_STREQ(output, "1234567");
    EXPECT_FALSE(M7LIO_StructuredIOXMLLoad::UnescapeText("12345678", output, 8));
    EXPECT_STREQ(output, "1234567");
    // A character of several bytes is copied whole or not at all.
    EXPECT_FALSE(M7LIO_StructuredIOXMLLoad::UnescapeText("123456&#xe9;", output, 8));
    EXPECT_STREQ(output, "123456");
    EXPECT_FALSE(M7LIO_StructuredIOXMLLoad::UnescapeText("a&b;c", output, 8));
    EXPECT_STREQ(output, "a");
}

}  // namespace
