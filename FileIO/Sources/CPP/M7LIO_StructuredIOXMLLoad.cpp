#include "M7LIO_StructuredIOXMLLoad.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "M7LIO_ScrambledBinary.h"
#include "foundation/M7LFailure.h"
#include "foundation/M7LUtilities.h"

namespace {

constexpr const char* kUnknownTypeMessage = "case outside our defined types ?!";
constexpr const char* kUnknownTypeSource = "FileIO/Sources/CPP/M7LIO_StructuredIOXML";
constexpr int kUnknownTypeErrorNumber = 0;
constexpr int kUnknownElementTypeLine = 997;
constexpr int kUnknownAttributeTypeLine = 1188;

constexpr std::size_t kReadChunkBytes = 64 * 1024;
constexpr std::size_t kUnescapedStringBytes = kM7LIO_XMLMaxStringBytes + 1;
constexpr std::size_t kUnescapedWideBytes = kM7LIO_XMLMaxValueBytes + 1;
constexpr std::size_t kWideBufferUnits = kM7LIO_XMLMaxWideUnits + 1;

constexpr std::string_view kWhiteSpace = " \t\r\n";
constexpr std::string_view kAttributeNameStops = " \t\r\n=/>";

struct Entity {
    std::string_view text;
    char character;
};
constexpr Entity kEntities[] = {{"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&amp;", '&'}};

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

// A NUL byte is no XML text; refusing it up front lets every name and value
// travel as a C text without being cut short.
bool M7LIO_StructuredIOXMLLoad::ProduceFromText(M7LIO_StructuredIOR* receiver, const char* rootName,
                                                std::string_view document) {
    if (receiver == nullptr || document.size() > kMaxDocumentBytes ||
        document.find('\0') != std::string_view::npos) {
        return false;
    }
    receiver_ = receiver;
    input_ = document;
    position_ = 0;
    documentStarted_ = false;
    openElements_ = 0;
    const bool ok = Parse(rootName);
    receiver_ = nullptr;
    input_ = {};
    return ok;
}

bool M7LIO_StructuredIOXMLLoad::UnescapeText(std::string_view text, char* output,
                                             std::size_t outputSize) {
    if (outputSize == 0) {
        return false;
    }
    std::size_t length = 0;
    std::size_t i = 0;
    while (i < text.size() && length < outputSize - 1) {
        char c = text[i];
        std::size_t consumed = 1;
        if (c == '&') {
            for (const Entity& entity : kEntities) {
                if (text.substr(i, entity.text.size()) == entity.text) {
                    c = entity.character;
                    consumed = entity.text.size();
                    break;
                }
            }
        }
        output[length++] = c;
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
            ok = documentStarted_ && openElements_ == 0;
            break;
        }
        if (tag == TagEnd::kMalformed) {
            ok = false;
            break;
        }
        // End tags are not compared: any one closes the innermost element.
        if (name[0] == '/') {
            ok = FinishTag() != TagClose::kMalformed && openElements_ > 0 && CloseElement();
            if (!ok) {
                break;
            }
            continue;
        }
        // One root element only.
        if (documentStarted_ && openElements_ == 0) {
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
        // A scalar or an unknown name takes neither attributes nor "/>", and
        // its value holds no child elements.
        std::string_view value;
        ok = tag == TagEnd::kClosed && FinishTag() == TagClose::kClosed && ReadValue(value) &&
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

M7LIO_StructuredIOXMLLoad::TagEnd M7LIO_StructuredIOXMLLoad::NextTag(Name& name) {
    for (;;) {
        const std::size_t open = input_.find('<', position_);
        if (open == std::string_view::npos) {
            position_ = input_.size();
            return TagEnd::kEndOfInput;
        }
        position_ = open + 1;
        if (AtEnd()) {
            return TagEnd::kEndOfInput;
        }
        if (Peek() == '?') {
            SkipPast(">");
            continue;
        }
        if (Peek() == '!') {
            ++position_;
            if (input_.substr(position_, 2) == "--") {
                position_ += 2;
                SkipPast("-->");
            } else {
                SkipPast(">");
            }
            continue;
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
            return TagEnd::kEndOfInput;
        }
        const std::size_t length = position_ - start;
        if (length > kM7LIO_XMLMaxNameChars) {
            return TagEnd::kMalformed;
        }
        input_.copy(name.data(), length, start);
        name[length] = 0;
        while (!AtEnd() && (Peek() == '\n' || Peek() == '\r')) {
            ++position_;
        }
        return !AtEnd() && Peek() == '>' ? TagEnd::kClosed : TagEnd::kAttributesMayFollow;
    }
}

M7LIO_StructuredIOXMLLoad::TagClose M7LIO_StructuredIOXMLLoad::FinishTag() {
    bool slash = false;
    while (!AtEnd()) {
        const char c = input_[position_++];
        if (!slash) {
            if (c == '>') {
                return TagClose::kClosed;
            }
            slash = c == '/';
        } else if (c == '>') {
            return TagClose::kEmptyElement;
        } else if (!IsWhite(c)) {
            return TagClose::kMalformed;
        }
    }
    return TagClose::kMalformed;
}

// The value runs up to the next "<", which must start the end tag; the end
// tag's name is not compared.
bool M7LIO_StructuredIOXMLLoad::ReadValue(std::string_view& value) {
    const std::size_t open = input_.find('<', position_);
    if (open == std::string_view::npos || open + 1 >= input_.size() || input_[open + 1] != '/') {
        return false;
    }
    value = input_.substr(position_, open - position_);
    position_ = open + 1;
    const std::size_t close = input_.find('>', position_);
    if (close == std::string_view::npos) {
        return false;
    }
    position_ = close + 1;
    return true;
}

bool M7LIO_StructuredIOXMLLoad::ParseAttributes() {
    for (;;) {
        while (!AtEnd() && IsWhite(Peek())) {
            ++position_;
        }
        if (AtEnd() || Peek() == '/' || Peek() == '>') {
            return true;
        }
        Name name;
        if (!ReadName(name, kAttributeNameStops)) {
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
            } else {
                const std::size_t start = position_;
                while (!AtEnd() && !IsWhite(Peek()) && Peek() != '/' && Peek() != '>') {
                    ++position_;
                }
                value = input_.substr(start, position_ - start);
            }
        }
        if (type == kM7LIO_Unknown) {
            continue;
        }
        if (type >= kM7LIO_String && type <= kM7LIO_AttributeString) {
            if (!PutValue(type, name.data(), value, kUnknownAttributeTypeLine)) {
                return false;
            }
        } else {
            ReportUnknownType(kUnknownAttributeTypeLine);
        }
    }
}

bool M7LIO_StructuredIOXMLLoad::OpenElement(const char* name) {
    M7LIO_StructuredIOR* const next = receiver_->OpenElement(name, 0);
    if (next == nullptr) {
        return false;
    }
    receiver_ = next;
    ++openElements_;
    return true;
}

bool M7LIO_StructuredIOXMLLoad::CloseElement() {
    M7LIO_StructuredIOR* const next = receiver_->CloseElement();
    if (next == nullptr) {
        return false;
    }
    receiver_ = next;
    --openElements_;
    return true;
}

// Converts the value text for its type and puts it; the Put results are the
// receiver's business. A text that does not fit its buffer fails rather than
// arriving cut.
bool M7LIO_StructuredIOXMLLoad::PutValue(int type, const char* name, std::string_view value,
                                         int unknownTypeLine) {
    const bool hex = type == kM7LIO_Binary || type == kM7LIO_ScrambledBinary;
    if (!hex && value.size() > kM7LIO_XMLMaxValueBytes) {
        return false;
    }
    switch (type) {
        case kM7LIO_Unknown:
            return true;
        case kM7LIO_String:
        case kM7LIO_AttributeString: {
            char text[kUnescapedStringBytes];
            if (!UnescapeText(value, text, sizeof text)) {
                return false;
            }
            if (type == kM7LIO_String) {
                receiver_->PutString(name, text);
            } else {
                receiver_->PutAttributeString(name, text);
            }
            return true;
        }
        case kM7LIO_WideString: {
            char text[kUnescapedWideBytes];
            char16_t wide[kWideBufferUnits];
            if (!UnescapeText(value, text, sizeof text) ||
                Utf8ToUtf16(text, wide, kM7LIO_XMLMaxWideUnits) != 0) {
                return false;
            }
            receiver_->PutWideString(name, wide);
            return true;
        }
        case kM7LIO_Integer: {
            std::int32_t number = 0;
            if (!ParseInteger(value, number)) {
                return false;
            }
            receiver_->PutInteger(name, number);
            return true;
        }
        case kM7LIO_Real: {
            double number = 0;
            if (!ParseReal(value, number)) {
                return false;
            }
            receiver_->PutReal(name, number);
            return true;
        }
        case kM7LIO_Boolean:
            receiver_->PutBoolean(name, value == "true");
            return true;
        case kM7LIO_Binary: {
            std::uint8_t bytes[kM7LIO_XMLMaxBinaryBytes];
            std::size_t count = 0;
            if (!DecodeHex(value, bytes, count)) {
                return false;
            }
            receiver_->PutBinary(name, bytes, count);
            return true;
        }
        case kM7LIO_ScrambledBinary: {
            std::uint8_t scrambled[kM7LIO_XMLMaxBinaryBytes];
            std::uint8_t bytes[kM7LIO_XMLMaxBinaryBytes];
            std::size_t count = 0;
            if (!DecodeHex(value, scrambled, count) || count > kM7LIO_XMLMaxScrambledBytes) {
                return false;
            }
            const std::optional<std::size_t> restored =
                UnscrambleBinaryValue(scrambled, count, kM7LIO_XMLScrambleKey, bytes, sizeof bytes);
            if (!restored) {
                return false;
            }
            receiver_->PutScrambledBinary(name, bytes, *restored);
            return true;
        }
        default:
            ReportUnknownType(unknownTypeLine);
            return true;
    }
}

void M7LIO_StructuredIOXMLLoad::SkipPast(std::string_view terminator) {
    const std::size_t found = input_.find(terminator, position_);
    position_ = found == std::string_view::npos ? input_.size() : found + terminator.size();
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
