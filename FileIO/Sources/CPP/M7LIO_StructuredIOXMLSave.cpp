#include "M7LIO_StructuredIOXMLSave.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <string_view>

#include "M7LIO_ScrambledBinary.h"
#include "M7LUtilities.h"

namespace {

constexpr std::int32_t kDtdBaseDevelopMode = 1;
constexpr std::int32_t kDtdBaseWebMode = 2;
constexpr const char* kDtdBaseDevelop = "http://dtd.strivelo.example/Develop/dtd/";
constexpr const char* kDtdBaseWeb = "http://dtd.strivelo.example/dtd/";
constexpr const char* kDtdBaseLocal = "file:/C:/Mor7Lant/DTDs/";

constexpr const char* kXmlDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>";
constexpr const char* kLineFeed = "\n";
constexpr std::size_t kHeaderBytes = 512;
constexpr std::size_t kWideUtf8Bytes = kM7LIO_XMLMaxWideBytes + 1;
// Escaping keeps room for the longest entity and the terminator in reserve.
constexpr std::size_t kEscapeReserveBytes = kM7LIO_XMLLongestEntityBytes + 1;
// All ten digits, a sign and the terminator.
constexpr std::size_t kIntegerTextBytes = std::numeric_limits<std::int32_t>::digits10 + 3;
// The largest double in fixed notation: its integral digits, a sign, the
// point, six decimals and the terminator.
constexpr int kRealDecimals = 6;
constexpr std::size_t kRealTextBytes =
    std::numeric_limits<double>::max_exponent10 + 1 + 2 + kRealDecimals + 1;
constexpr std::size_t kHexBytesPerLine = 40;
constexpr const char* kHexDigits = "0123456789abcdef";

const char* Replacement(char c) {
    switch (c) {
        case '&':
            return "&amp;";
        case '<':
            return "&lt;";
        case '>':
            return "&gt;";
        case '"':
            return "&quot;";
        // XML readers take a raw carriage return for a line end.
        case '\r':
            return "&#13;";
        default:
            return nullptr;
    }
}

// A name the reader takes back, and an XML name.
bool IsWritableName(const char* name) {
    return name != nullptr && std::strlen(name) <= kM7LIO_XMLMaxNameChars && IsXmlName(name);
}

std::size_t WideLength(const char16_t* text) {
    std::size_t n = 0;
    while (text[n] != 0) {
        ++n;
    }
    return n;
}

// Escapes a value of at most maxBytes well-formed XML characters, the
// longest the reader takes back; any such value fits whole.
bool EscapeValue(const char* text, std::size_t maxBytes, std::string& escaped) {
    const std::string_view value(text != nullptr ? text : "");
    if (value.size() > maxBytes || !IsXmlText(value)) {
        return false;
    }
    escaped.assign(kM7LIO_XMLLongestEntityBytes * maxBytes + kEscapeReserveBytes, '\0');
    const bool complete =
        M7LIO_StructuredIOXMLSave::EscapeText(value.data(), escaped.data(), escaped.size());
    escaped.resize(std::strlen(escaped.c_str()));
    return complete;
}

}  // namespace

M7LIO_StructuredIOXMLSave::M7LIO_StructuredIOXMLSave(const M7L_FileSpecificationNative& target,
                                                     const char* rootName, const char* dtdName,
                                                     std::int32_t dtdBaseMode)
    : dtdBaseMode_(dtdBaseMode),
      rootName_(rootName != nullptr ? rootName : ""),
      dtdName_(dtdName != nullptr ? dtdName : ""),
      target_(target) {}

M7LIO_StructuredIOXMLSave::~M7LIO_StructuredIOXMLSave() {
    AbandonFile();
}

void M7LIO_StructuredIOXMLSave::SetAttributeMode(bool on) {
    booleanAttribute_ = on;
    integerAttribute_ = on;
    realAttribute_ = on;
    attributeStringAttribute_ = on;
}

void M7LIO_StructuredIOXMLSave::SetEmptyElementMode(bool on) {
    emptyElementMode_ = on;
}

bool M7LIO_StructuredIOXMLSave::EscapeText(const char* text, char* output, std::size_t outputSize) {
    if (outputSize == 0) {
        return false;
    }
    const std::size_t last = outputSize - 1;
    const std::size_t stopAfter =
        outputSize > kEscapeReserveBytes ? outputSize - kEscapeReserveBytes : 0;
    std::size_t length = 0;
    const char* in = text != nullptr ? text : "";
    for (; *in != 0; ++in) {
        const char* replacement = Replacement(*in);
        const std::size_t n = replacement != nullptr ? std::strlen(replacement) : 1;
        // Only a buffer smaller than the reserve can get here.
        if (length + n > last) {
            break;
        }
        if (replacement != nullptr) {
            std::memcpy(output + length, replacement, n);
        } else {
            output[length] = *in;
        }
        length += n;
        if (length > stopAfter) {
            ++in;
            break;
        }
    }
    output[length] = 0;
    return *in == 0;
}

const char* M7LIO_StructuredIOXMLSave::SelectDtdBase(std::int32_t mode) {
    switch (mode) {
        case kDtdBaseDevelopMode:
            return kDtdBaseDevelop;
        case kDtdBaseWebMode:
            return kDtdBaseWeb;
        default:
            return kDtdBaseLocal;
    }
}

bool M7LIO_StructuredIOXMLSave::WriteXmlHeader(std::int32_t mode, const char* rootName,
                                               const char* dtdName, char* output,
                                               std::size_t outputSize) {
    const int length = std::snprintf(output, outputSize, "%s%s<!DOCTYPE %s SYSTEM \"%s%s.dtd\">%s",
                                     kXmlDeclaration, kLineFeed, rootName, SelectDtdBase(mode),
                                     dtdName, kLineFeed);
    return length >= 0 && static_cast<std::size_t>(length) < outputSize;
}

bool M7LIO_StructuredIOXMLSave::BeginDocument() {
    if (stream_ != nullptr) {
        return !spoilt_;
    }
    spoilt_ = true;
    openElements_ = 0;
    startTagOpen_ = false;
    if (!IsWritableName(rootName_.c_str()) || dtdName_.size() > kM7LIO_XMLMaxNameChars ||
        !IsXmlText(dtdName_) || dtdName_.find('"') != std::string::npos) {
        return false;
    }
    char header[kHeaderBytes];
    if (!WriteXmlHeader(dtdBaseMode_, rootName_.c_str(), dtdName_.c_str(), header, sizeof header)) {
        return false;
    }
    stream_ = file_.Open(target_.GetAnsiPath());
    if (stream_ == nullptr) {
        return false;
    }
    spoilt_ = false;
    Write(header);
    return !spoilt_;
}

// The temporary file replaces the target only when everything reached the
// disk; otherwise it goes and the target stays.
bool M7LIO_StructuredIOXMLSave::EndDocument() {
    if (stream_ == nullptr) {
        return false;
    }
    const bool ok = file_.Commit(!spoilt_ && openElements_ == 0);
    stream_ = nullptr;
    spoilt_ = !ok;
    return ok;
}

M7LIO_StructuredIOR* M7LIO_StructuredIOXMLSave::BeginElement(const char* name, int /*extra*/) {
    if (!CanWrite(name)) {
        return nullptr;
    }
    if (openElements_ == elementNames_.size()) {
        Refuse();
        return nullptr;
    }
    OpenTag(name, true);
    std::strcpy(elementNames_[openElements_++].data(), name);
    return this;
}

M7LIO_StructuredIOR* M7LIO_StructuredIOXMLSave::EndElement() {
    if (openElements_ == 0) {
        Refuse();
        return this;
    }
    CloseTag(elementNames_[--openElements_].data());
    return this;
}

bool M7LIO_StructuredIOXMLSave::PutString(const char* name, const char* text) {
    std::string escaped;
    if (!CanWrite(name) || !EscapeValue(text, kM7LIO_XMLMaxStringBytes, escaped)) {
        return Refuse();
    }
    return PutElementText(name, escaped.c_str());
}

// The reader takes back at most kM7LIO_XMLMaxWideUnits units, so longer
// texts are refused even when their UTF-8 form would fit. The conversion
// encodes each unit by itself, so a character beyond the basic plane gives
// no well-formed UTF-8 and is refused too.
bool M7LIO_StructuredIOXMLSave::PutWideString(const char* name, const char16_t* text) {
    const char16_t* wide = text != nullptr ? text : u"";
    char utf8[kWideUtf8Bytes];
    std::string escaped;
    if (!CanWrite(name) || WideLength(wide) > kM7LIO_XMLMaxWideUnits ||
        Utf16ToUtf8(wide, utf8, sizeof utf8) != 0 ||
        !EscapeValue(utf8, kM7LIO_XMLMaxWideBytes, escaped)) {
        return Refuse();
    }
    return PutElementText(name, escaped.c_str());
}

bool M7LIO_StructuredIOXMLSave::PutInteger(const char* name, std::int32_t value) {
    char text[kIntegerTextBytes];
    const std::to_chars_result r = std::to_chars(text, text + sizeof text - 1, value);
    if (!CanWrite(name) || r.ec != std::errc{}) {
        return Refuse();
    }
    *r.ptr = 0;
    return PutScalar(name, text, integerAttribute_);
}

// A value that is not finite has no decimal form the reader accepts.
bool M7LIO_StructuredIOXMLSave::PutReal(const char* name, double value) {
    char text[kRealTextBytes];
    if (!CanWrite(name) || !std::isfinite(value)) {
        return Refuse();
    }
    const std::to_chars_result r =
        std::to_chars(text, text + sizeof text - 1, value, std::chars_format::fixed, kRealDecimals);
    if (r.ec != std::errc{}) {
        return Refuse();
    }
    *r.ptr = 0;
    return PutScalar(name, text, realAttribute_);
}

bool M7LIO_StructuredIOXMLSave::PutBoolean(const char* name, bool value) {
    if (!CanWrite(name)) {
        return false;
    }
    return PutScalar(name, value ? "true" : "false", booleanAttribute_);
}

bool M7LIO_StructuredIOXMLSave::PutAttributeString(const char* name, const char* text) {
    std::string escaped;
    if (!CanWrite(name) || !EscapeValue(text, kM7LIO_XMLMaxStringBytes, escaped)) {
        return Refuse();
    }
    return PutScalar(name, escaped.c_str(), attributeStringAttribute_);
}

bool M7LIO_StructuredIOXMLSave::PutBinary(const char* name, const std::uint8_t* bytes,
                                          std::size_t count) {
    if (!CanWrite(name) || count > kM7LIO_XMLMaxBinaryBytes || (bytes == nullptr && count > 0)) {
        return Refuse();
    }
    return PutHexLines(name, bytes, count);
}

// The reader restores at most kM7LIO_XMLMaxBinaryBytes bytes from at most
// kM7LIO_XMLMaxScrambledBytes scrambled ones; both limits hold here.
bool M7LIO_StructuredIOXMLSave::PutScrambledBinary(const char* name, const std::uint8_t* bytes,
                                                   std::size_t count) {
    if (!CanWrite(name) || count > kM7LIO_XMLMaxBinaryBytes || (bytes == nullptr && count > 0)) {
        return Refuse();
    }
    std::uint8_t scrambled[kM7LIO_XMLMaxScrambledBytes];
    const std::optional<std::size_t> m =
        ScrambleBinaryValue(bytes, count, kM7LIO_XMLScrambleKey, scrambled, sizeof scrambled);
    if (!m) {
        return Refuse();
    }
    return PutHexLines(name, scrambled, *m);
}

int M7LIO_StructuredIOXMLSave::GetKindCode() const {
    return 3;
}

void M7LIO_StructuredIOXMLSave::OpenTag(const char* name, bool keepOpen) {
    if (startTagOpen_) {
        Write(">");
        Write(kLineFeed);
        startTagOpen_ = false;
    }
    Write("<");
    Write(name);
    if (keepOpen) {
        startTagOpen_ = true;
    } else {
        Write(">");
    }
}

void M7LIO_StructuredIOXMLSave::CloseTag(const char* name) {
    if (startTagOpen_) {
        startTagOpen_ = false;
        if (emptyElementMode_) {
            Write("/>");
            Write(kLineFeed);
            return;
        }
        Write(">");
        Write(kLineFeed);
    }
    Write("</");
    Write(name);
    Write(">");
    Write(kLineFeed);
}

bool M7LIO_StructuredIOXMLSave::AttributeStart(const char* name) {
    if (!startTagOpen_) {
        return false;
    }
    Write(kLineFeed);
    Write(name);
    Write("=\"");
    return true;
}

bool M7LIO_StructuredIOXMLSave::AttributeEnd() {
    if (!startTagOpen_) {
        return false;
    }
    Write("\"");
    return true;
}

bool M7LIO_StructuredIOXMLSave::PutScalar(const char* name, const char* valueText,
                                          bool asAttribute) {
    if (asAttribute && AttributeStart(name)) {
        Write(valueText);
        AttributeEnd();
        return !spoilt_;
    }
    return PutElementText(name, valueText);
}

bool M7LIO_StructuredIOXMLSave::PutElementText(const char* name, const char* valueText) {
    OpenTag(name, false);
    Write(valueText);
    CloseTag(name);
    return !spoilt_;
}

bool M7LIO_StructuredIOXMLSave::PutHexLines(const char* name, const std::uint8_t* bytes,
                                            std::size_t count) {
    OpenTag(name, false);
    Write(kLineFeed);
    char line[2 * kHexBytesPerLine + 1];
    std::size_t length = 0;
    for (std::size_t i = 0; i < count; ++i) {
        line[length++] = kHexDigits[bytes[i] >> 4];
        line[length++] = kHexDigits[bytes[i] & 0x0F];
        if ((i + 1) % kHexBytesPerLine == 0 || i + 1 == count) {
            line[length++] = '\n';
            Write(line, length);
            length = 0;
        }
    }
    CloseTag(name);
    return !spoilt_;
}

void M7LIO_StructuredIOXMLSave::Write(const char* text) {
    Write(text, std::strlen(text));
}

void M7LIO_StructuredIOXMLSave::Write(const char* bytes, std::size_t count) {
    if (stream_ == nullptr || spoilt_) {
        return;
    }
    if (std::fwrite(bytes, 1, count, stream_) != count) {
        spoilt_ = true;
    }
}

bool M7LIO_StructuredIOXMLSave::CanWrite(const char* name) {
    if (stream_ == nullptr || spoilt_ || !IsWritableName(name)) {
        return Refuse();
    }
    return true;
}

bool M7LIO_StructuredIOXMLSave::Refuse() {
    spoilt_ = true;
    return false;
}

void M7LIO_StructuredIOXMLSave::AbandonFile() {
    file_.Abandon();
    stream_ = nullptr;
}
