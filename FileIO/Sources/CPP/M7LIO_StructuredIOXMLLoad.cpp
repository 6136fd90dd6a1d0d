#include "M7LIO_StructuredIOXMLLoad.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "M7LAnsiConversion.h"
#include "M7LFailure.h"
#include "M7LIO_ScrambledBinary.h"
#include "M7LUtilities.h"

namespace {

constexpr const char* kUnknownTypeMessage = "case outside our defined types ?!";
constexpr const char* kUnknownTypeSource = "FileIO/Sources/CPP/M7LIO_StructuredIOXML";
constexpr int kUnknownTypeErrorNumber = 0;
constexpr int kUnknownElementTypeLine = 997;
constexpr int kUnknownAttributeTypeLine = 1188;

constexpr std::size_t kReadChunkBytes = 64 * 1024;
constexpr std::size_t kUnescapedStringBytes = kM7LIO_XMLMaxStringBytes + 1;
constexpr std::size_t kUnescapedWideBytes = kM7LIO_XMLMaxWideBytes + 1;
constexpr std::size_t kWideBufferUnits = kM7LIO_XMLMaxWideUnits + 1;

constexpr std::string_view kWhiteSpace = " \t\r\n";
constexpr std::string_view kAttributeNameStops = " \t\r\n=/>";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kCommentStart = "--";
constexpr std::string_view kSubsetCommentStart = "<!--";
constexpr std::string_view kDocumentTypeKeyword = "DOCTYPE";
constexpr std::string_view kProcessingInstructionStart = "<?";
constexpr std::string_view kProcessingInstructionEnd = "?>";
constexpr char32_t kLargestCodePoint = 0x10FFFF;
constexpr std::uint32_t kDecimalBase = 10;
constexpr std::uint32_t kHexadecimalBase = 16;

struct Entity {
    std::string_view name;
    char character;
};
constexpr Entity kEntities[] = {
    {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"amp", '&'}, {"apos", '\''},
};

bool IsWhite(char c) {
    return kWhiteSpace.find(c) != std::string_view::npos;
}

std::string_view SkipWhite(std::string_view text) {
    const std::size_t start = text.find_first_not_of(kWhiteSpace);
    return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

// from_chars takes no '+', which a hand-edited file may carry.
std::string_view NumberStart(std::string_view text) {
    text = SkipWhite(text);
    if (text.size() > 1 && text[0] == '+' && text[1] != '-') {
        text.remove_prefix(1);
    }
    return text;
}

// The decimal integer at the start of the text, in the "C" notation; no
// digits or a value outside 32 bits fails.
bool ParseInteger(std::string_view text, std::int32_t& value) {
    text = NumberStart(text);
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{};
}

// The decimal real at the start of the text; infinities, NaNs and values out
// of range fail, since no finite setting survives them.
bool ParseReal(std::string_view text, double& value) {
    text = NumberStart(text);
    const std::from_chars_result r =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    return r.ec == std::errc{} && std::isfinite(value);
}

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool IsAsciiAlphanumeric(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int DecimalDigitValue(char c) {
    return c >= '0' && c <= '9' ? c - '0' : -1;
}

// The number of a character reference ("#65" or "#x41"); false unless it
// names a character XML allows.
bool ReadCharacterNumber(std::string_view digits, char32_t& character) {
    std::uint32_t base = kDecimalBase;
    if (digits.starts_with('x')) {
        base = kHexadecimalBase;
        digits.remove_prefix(1);
    }
    if (digits.empty()) {
        return false;
    }
    std::uint32_t value = 0;
    for (const char c : digits) {
        const int digit = base == kHexadecimalBase ? HexDigitValue(c) : DecimalDigitValue(c);
        if (digit < 0) {
            return false;
        }
        value = value * base + static_cast<std::uint32_t>(digit);
        if (value > kLargestCodePoint) {
            return false;
        }
    }
    character = value;
    return IsXmlCharacter(character);
}

// The reference at the start of text: a predefined entity or a character
// reference. Its length with its character; 0 for anything else, so that
// nothing a document type declares is ever expanded. The reference's body
// ends at the first character that cannot be part of it, so a stray "&"
// costs no search through the rest of the text.
std::size_t ReadReference(std::string_view text, char32_t& character) {
    std::size_t end = 1;
    while (end < text.size() &&
           (IsAsciiAlphanumeric(text[end]) || (end == 1 && text[end] == '#'))) {
        ++end;
    }
    if (text.empty() || text[0] != '&' || end == text.size() || text[end] != ';') {
        return 0;
    }
    const std::string_view body = text.substr(1, end - 1);
    if (body.starts_with('#')) {
        return ReadCharacterNumber(body.substr(1), character) ? end + 1 : 0;
    }
    for (const Entity& entity : kEntities) {
        if (body == entity.name) {
            character = static_cast<unsigned char>(entity.character);
            return end + 1;
        }
    }
    return 0;
}

// Every "&" in the text starts a reference the reader knows.
bool HasOnlyKnownReferences(std::string_view text) {
    for (std::size_t at = text.find('&'); at != std::string_view::npos;) {
        char32_t character = 0;
        const std::size_t length = ReadReference(text.substr(at), character);
        if (length == 0) {
            return false;
        }
        at = text.find('&', at + length);
    }
    return true;
}

// XML reads a carriage return, alone or before a line feed, as a line feed.
std::string NormalizeLineEnds(std::string_view text) {
    std::string normalized;
    normalized.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r') {
            normalized += text[i];
            continue;
        }
        normalized += '\n';
        if (i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
    }
    return normalized;
}

bool IsKnownType(int type) {
    return type >= kM7LIO_Unknown && type <= kM7LIO_ScrambledBinary;
}

// Elements and hexadecimal values have no attribute form.
bool CanBeAttribute(int type) {
    return type != kM7LIO_Element && type != kM7LIO_Binary && type != kM7LIO_ScrambledBinary;
}

// Pairs of digits, high half first; other characters (line ends) are passed
// over and a final half byte is dropped. More than kM7LIO_XMLMaxBinaryBytes
// bytes fail.
bool DecodeHex(std::string_view text, std::uint8_t* bytes, std::size_t& count) {
    count = 0;
    int high = -1;
    for (const char c : text) {
        const int digit = HexDigitValue(c);
        if (digit < 0) {
            continue;
        }
        if (high < 0) {
            high = digit;
            continue;
        }
        if (count == kM7LIO_XMLMaxBinaryBytes) {
            return false;
        }
        bytes[count++] = static_cast<std::uint8_t>((high << 4) | digit);
        high = -1;
    }
    return true;
}

struct FileCloser {
    void operator()(std::FILE* stream) const { std::fclose(stream); }
};

void ReportUnknownType(int line) {
    ReportCantHappen(kUnknownTypeErrorNumber, kUnknownTypeMessage, kUnknownTypeSource, line);
}

}  // namespace

M7LIO_StructuredIOXMLLoad::M7LIO_StructuredIOXMLLoad(const M7L_FileSpecificationNative& source)
    : source_(source) {}

bool M7LIO_StructuredIOXMLLoad::Produce(M7LIO_StructuredIOR* receiver, const char* rootName) {
    const char* path = source_.GetAnsiPath();
    if (receiver == nullptr || path == nullptr || *path == 0) {
        return false;
    }
    const std::unique_ptr<std::FILE, FileCloser> stream(std::fopen(path, "r"));
    if (stream == nullptr) {
        return false;
    }
    std::string document;
    char chunk[kReadChunkBytes];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, stream.get());
        if (document.size() + n > kMaxDocumentBytes) {
            return false;
        }
        document.append(chunk, n);
        if (n < sizeof chunk) {
            break;
        }
    }
    if (std::ferror(stream.get()) != 0) {
        return false;
    }
    return ProduceFromText(receiver, rootName, document);
}

// Only characters XML allows: no NUL byte either, so that every name and
// value travels as a C text without being cut short.
bool M7LIO_StructuredIOXMLLoad::ProduceFromText(M7LIO_StructuredIOR* receiver, const char* rootName,
                                                std::string_view document) {
    if (receiver == nullptr || document.size() > kMaxDocumentBytes) {
        return false;
    }
    if (document.starts_with(kByteOrderMark)) {
        document.remove_prefix(kByteOrderMark.size());
    }
    if (!IsXmlText(document)) {
        return false;
    }
    text_ = NormalizeLineEnds(document);
    receiver_ = receiver;
    input_ = text_;
    position_ = 0;
    documentStarted_ = false;
    documentTypeSeen_ = false;
    openElements_.clear();
    const bool ok = Parse(rootName);
    receiver_ = nullptr;
    input_ = {};
    text_.clear();
    return ok;
}

bool M7LIO_StructuredIOXMLLoad::UnescapeText(std::string_view text, char* output,
                                             std::size_t outputSize) {
    if (outputSize == 0) {
        return false;
    }
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char sequence[kMaxUtf8SequenceBytes] = {text[i]};
        std::size_t consumed = 1;
        std::size_t bytes = 1;
        if (text[i] == '&') {
            char32_t character = 0;
            consumed = ReadReference(text.substr(i), character);
            if (consumed == 0) {
                break;
            }
            bytes = static_cast<std::size_t>(EncodeUtf8(character, sequence));
        }
        if (length + bytes > outputSize - 1) {
            break;
        }
        std::memcpy(output + length, sequence, bytes);
        length += bytes;
        i += consumed;
    }
    output[length] = 0;
    return i == text.size();
}

// Any error ends the walk; the document is complete only when its root
// element was opened and closed again.
bool M7LIO_StructuredIOXMLLoad::Parse(const char* rootName) {
    const bool checkRoot = rootName != nullptr && *rootName != 0;
    bool ok = true;
    for (;;) {
        Name name;
        const TagEnd tag = NextTag(name);
        if (tag == TagEnd::kEndOfInput) {
            ok = documentStarted_ && openElements_.empty();
            break;
        }
        if (tag == TagEnd::kMalformed) {
            ok = false;
            break;
        }
        // An end tag closes the innermost element, and only by its name: a
        // mismatched one would silently close the wrong element.
        if (name[0] == '/') {
            ok = FinishTag() == TagClose::kClosed && !openElements_.empty() &&
                 openElements_.back() == name.data() + 1 && CloseElement();
            if (!ok) {
                break;
            }
            continue;
        }
        // One root element only.
        if (!IsXmlName(name.data()) || (documentStarted_ && openElements_.empty())) {
            ok = false;
            break;
        }
        int type = kM7LIO_Element;
        if (!documentStarted_) {
            if (checkRoot && std::strcmp(name.data(), rootName) != 0) {
                ok = false;
                break;
            }
            receiver_->StartDocument(name.data(), nullptr);
            documentStarted_ = true;
        } else {
            type = receiver_->LookUpType(name.data());
        }
        if (type == kM7LIO_Element) {
            ok = OpenElement(name.data()) &&
                 (tag != TagEnd::kAttributesMayFollow || ParseAttributes());
            const TagClose close = ok ? FinishTag() : TagClose::kMalformed;
            ok = close != TagClose::kMalformed &&
                 (close != TagClose::kEmptyElement || CloseElement());
            if (!ok) {
                break;
            }
            continue;
        }
        // A scalar or an unknown name takes no attributes, its value holds
        // no child elements, and "<name/>" is an empty value.
        std::string_view value;
        const TagClose close = FinishTag();
        ok = (close == TagClose::kEmptyElement ||
              (close == TagClose::kClosed && ReadValue(name.data(), value))) &&
             PutValue(type, name.data(), value, kUnknownElementTypeLine);
        if (!ok) {
            break;
        }
    }
    if (documentStarted_) {
        receiver_->FinishDocument();
    }
    return ok;
}

// An unterminated comment, processing instruction, document type or tag
// is malformed: a truncated document must not read as a complete one.
M7LIO_StructuredIOXMLLoad::TagEnd M7LIO_StructuredIOXMLLoad::NextTag(Name& name) {
    for (;;) {
        const std::size_t open = input_.find('<', position_);
        const std::size_t textEnd = open == std::string_view::npos ? input_.size() : open;
        if (!AcceptText(input_.substr(position_, textEnd - position_))) {
            return TagEnd::kMalformed;
        }
        if (open == std::string_view::npos) {
            position_ = input_.size();
            return TagEnd::kEndOfInput;
        }
        position_ = open + 1;
        if (AtEnd()) {
            return TagEnd::kMalformed;
        }
        if (Peek() == '?') {
            if (!SkipPast(kProcessingInstructionEnd)) {
                return TagEnd::kMalformed;
            }
            continue;
        }
        if (Peek() == '!') {
            ++position_;
            const std::string_view rest = input_.substr(position_);
            if (rest.starts_with(kCommentStart)) {
                if (!SkipComment()) {
                    return TagEnd::kMalformed;
                }
                continue;
            }
            // One document type, before the root element.
            if (rest.starts_with(kDocumentTypeKeyword) && !documentStarted_ && !documentTypeSeen_) {
                documentTypeSeen_ = true;
                position_ += kDocumentTypeKeyword.size();
                if (!SkipDocumentType()) {
                    return TagEnd::kMalformed;
                }
                continue;
            }
            return TagEnd::kMalformed;
        }
        if (IsWhite(Peek()) || Peek() == '>') {
            return TagEnd::kMalformed;
        }
        // The first character always belongs to the name, so an end tag's
        // "/" stays in it.
        const std::size_t start = position_++;
        while (!AtEnd() && !IsWhite(Peek()) && Peek() != '>' && Peek() != '/') {
            ++position_;
        }
        if (AtEnd()) {
            return TagEnd::kMalformed;
        }
        const std::size_t length = position_ - start;
        if (length - (input_[start] == '/' ? 1 : 0) > kM7LIO_XMLMaxNameChars) {
            return TagEnd::kMalformed;
        }
        input_.copy(name.data(), length, start);
        name[length] = 0;
        while (!AtEnd() && Peek() == '\n') {
            ++position_;
        }
        return !AtEnd() && Peek() == '>' ? TagEnd::kClosed : TagEnd::kAttributesMayFollow;
    }
}

// From the "--" after "<!": a comment ends at the first "--", which must be
// followed by ">".
bool M7LIO_StructuredIOXMLLoad::SkipComment() {
    const std::size_t dashes = input_.find(kCommentStart, position_ + kCommentStart.size());
    if (dashes == std::string_view::npos || dashes + kCommentStart.size() >= input_.size() ||
        input_[dashes + kCommentStart.size()] != '>') {
        return false;
    }
    position_ = dashes + kCommentStart.size() + 1;
    return true;
}

// After "<!DOCTYPE": passes over the whole declaration, its quoted literals
// and an internal subset in brackets with the comments and processing
// instructions in it, wherever a ">" or "]" stands inside them.
bool M7LIO_StructuredIOXMLLoad::SkipDocumentType() {
    bool inSubset = false;
    while (!AtEnd()) {
        const char c = Peek();
        const std::string_view rest = input_.substr(position_);
        if (c == '"' || c == '\'') {
            const std::size_t close = input_.find(c, position_ + 1);
            if (close == std::string_view::npos) {
                return false;
            }
            position_ = close + 1;
        } else if (inSubset && rest.starts_with(kSubsetCommentStart)) {
            position_ += kSubsetCommentStart.size() - kCommentStart.size();
            if (!SkipComment()) {
                return false;
            }
        } else if (inSubset && rest.starts_with(kProcessingInstructionStart)) {
            position_ += kProcessingInstructionStart.size();
            if (!SkipPast(kProcessingInstructionEnd)) {
                return false;
            }
        } else {
            ++position_;
            if (c == '[' || c == ']') {
                inSubset = c == '[';
            } else if (c == '>' && !inSubset) {
                return true;
            }
        }
    }
    return false;
}

// Text between the elements inside the root is passed over, but its
// references must be known ones.
bool M7LIO_StructuredIOXMLLoad::AcceptText(std::string_view text) const {
    if (openElements_.empty()) {
        return text.find_first_not_of(kWhiteSpace) == std::string_view::npos;
    }
    return HasOnlyKnownReferences(text);
}

// Only white space may stand before the tag's end: ">", or "/>" for an
// empty element.
M7LIO_StructuredIOXMLLoad::TagClose M7LIO_StructuredIOXMLLoad::FinishTag() {
    while (!AtEnd() && IsWhite(Peek())) {
        ++position_;
    }
    if (AtEnd()) {
        return TagClose::kMalformed;
    }
    const char c = input_[position_++];
    if (c == '>') {
        return TagClose::kClosed;
    }
    if (c != '/') {
        return TagClose::kMalformed;
    }
    while (!AtEnd() && IsWhite(Peek())) {
        ++position_;
    }
    if (AtEnd() || input_[position_++] != '>') {
        return TagClose::kMalformed;
    }
    return TagClose::kEmptyElement;
}

// The value runs up to the next "<", which must start the value's own end
// tag.
bool M7LIO_StructuredIOXMLLoad::ReadValue(std::string_view name, std::string_view& value) {
    const std::size_t open = input_.find('<', position_);
    if (open == std::string_view::npos || open + 1 >= input_.size() || input_[open + 1] != '/') {
        return false;
    }
    value = input_.substr(position_, open - position_);
    position_ = open + 2;
    const std::size_t nameStart = position_;
    while (!AtEnd() && !IsWhite(Peek()) && Peek() != '>') {
        ++position_;
    }
    return input_.substr(nameStart, position_ - nameStart) == name &&
           FinishTag() == TagClose::kClosed;
}

// An attribute the receiver takes as an element or a hexadecimal value is
// the file's fault, not the receiver's: the load fails without a report.
bool M7LIO_StructuredIOXMLLoad::ParseAttributes() {
    for (;;) {
        while (!AtEnd() && IsWhite(Peek())) {
            ++position_;
        }
        if (AtEnd() || Peek() == '/' || Peek() == '>') {
            return true;
        }
        Name name;
        if (!ReadName(name, kAttributeNameStops) || !IsXmlName(name.data())) {
            return false;
        }
        const int type = receiver_->LookUpType(name.data());
        bool sawEquals = false;
        while (!AtEnd() && (IsWhite(Peek()) || Peek() == '=')) {
            sawEquals = sawEquals || Peek() == '=';
            ++position_;
        }
        std::string_view value;
        if (sawEquals && !AtEnd()) {
            if (Peek() == '"') {
                const std::size_t close = input_.find('"', position_ + 1);
                if (close == std::string_view::npos) {
                    return false;
                }
                value = input_.substr(position_ + 1, close - position_ - 1);
                position_ = close + 1;
                if (value.find('<') != std::string_view::npos) {
                    return false;
                }
            } else {
                const std::size_t start = position_;
                while (!AtEnd() && !IsWhite(Peek()) && Peek() != '/' && Peek() != '>') {
                    ++position_;
                }
                value = input_.substr(start, position_ - start);
            }
        }
        if (!IsKnownType(type)) {
            ReportUnknownType(kUnknownAttributeTypeLine);
            continue;
        }
        if (!CanBeAttribute(type) ||
            !PutValue(type, name.data(), value, kUnknownAttributeTypeLine)) {
            return false;
        }
    }
}

bool M7LIO_StructuredIOXMLLoad::OpenElement(const char* name) {
    M7LIO_StructuredIOR* const next = receiver_->OpenElement(name, 0);
    if (next == nullptr) {
        return false;
    }
    receiver_ = next;
    openElements_.emplace_back(name);
    return true;
}

bool M7LIO_StructuredIOXMLLoad::CloseElement() {
    M7LIO_StructuredIOR* const next = receiver_->CloseElement();
    if (next == nullptr) {
        return false;
    }
    receiver_ = next;
    openElements_.pop_back();
    return true;
}

// Converts the value text for its type and puts it. A text that does not
// fit its buffer fails rather than arriving cut, and so does a value the
// receiver refuses.
bool M7LIO_StructuredIOXMLLoad::PutValue(int type, const char* name, std::string_view value,
                                         int unknownTypeLine) {
    const bool hex = type == kM7LIO_Binary || type == kM7LIO_ScrambledBinary;
    if (!hex && value.size() > kM7LIO_XMLMaxValueBytes) {
        return false;
    }
    switch (type) {
        case kM7LIO_Unknown:
            return HasOnlyKnownReferences(value);
        case kM7LIO_String:
        case kM7LIO_AttributeString: {
            char text[kUnescapedStringBytes];
            if (!UnescapeText(value, text, sizeof text)) {
                return false;
            }
            return type == kM7LIO_String ? receiver_->PutString(name, text)
                                         : receiver_->PutAttributeString(name, text);
        }
        case kM7LIO_WideString: {
            char text[kUnescapedWideBytes];
            char16_t wide[kWideBufferUnits];
            return UnescapeText(value, text, sizeof text) &&
                   Utf8ToUtf16(text, wide, kM7LIO_XMLMaxWideUnits) == 0 &&
                   receiver_->PutWideString(name, wide);
        }
        case kM7LIO_Integer: {
            std::int32_t number = 0;
            return ParseInteger(value, number) && receiver_->PutInteger(name, number);
        }
        case kM7LIO_Real: {
            double number = 0;
            return ParseReal(value, number) && receiver_->PutReal(name, number);
        }
        case kM7LIO_Boolean:
            return receiver_->PutBoolean(name, value == "true");
        case kM7LIO_Binary: {
            std::uint8_t bytes[kM7LIO_XMLMaxBinaryBytes];
            std::size_t count = 0;
            return HasOnlyKnownReferences(value) && DecodeHex(value, bytes, count) &&
                   receiver_->PutBinary(name, bytes, count);
        }
        case kM7LIO_ScrambledBinary: {
            std::uint8_t scrambled[kM7LIO_XMLMaxBinaryBytes];
            std::uint8_t bytes[kM7LIO_XMLMaxBinaryBytes];
            std::size_t count = 0;
            if (!HasOnlyKnownReferences(value) || !DecodeHex(value, scrambled, count) ||
                count > kM7LIO_XMLMaxScrambledBytes) {
                return false;
            }
            const std::optional<std::size_t> restored =
                UnscrambleBinaryValue(scrambled, count, kM7LIO_XMLScrambleKey, bytes, sizeof bytes);
            return restored && receiver_->PutScrambledBinary(name, bytes, *restored);
        }
        default:
            ReportUnknownType(unknownTypeLine);
            return true;
    }
}

bool M7LIO_StructuredIOXMLLoad::SkipPast(std::string_view terminator) {
    const std::size_t found = input_.find(terminator, position_);
    position_ = found == std::string_view::npos ? input_.size() : found + terminator.size();
    return found != std::string_view::npos;
}

bool M7LIO_StructuredIOXMLLoad::ReadName(Name& name, std::string_view stopCharacters) {
    const std::size_t start = position_;
    while (!AtEnd() && stopCharacters.find(Peek()) == std::string_view::npos) {
        ++position_;
    }
    const std::size_t length = position_ - start;
    if (length == 0 || length > kM7LIO_XMLMaxNameChars) {
        return false;
    }
    input_.copy(name.data(), length, start);
    name[length] = 0;
    return true;
}
