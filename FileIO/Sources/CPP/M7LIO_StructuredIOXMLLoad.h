#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "M7LIO_StructuredIOP.h"
#include "M7LIO_StructuredIOR.h"
#include "M7LIO_StructuredIOXML.h"
#include "M7L_FileSpecificationNative.h"

// A producer that reads an XML file of the form the XML writer makes and
// feeds it into a receiver, asking the receiver for the type of every name.
// It is a small tokenizer, not a general XML parser: it skips the
// declaration, the document type (never expanding anything it declares),
// comments and processing instructions, and knows only the predefined
// entities and character references.
//
// Reading is strict: input that is not well-formed in the ways that matter
// here (ill-formed UTF-8, characters XML forbids, unknown references, text
// outside the root element), and anything that would lose or misplace
// values (a truncated file, a value with children, an unknown element with
// content, a wrong root, an over-long name or value, a number out of range,
// a value the receiver refuses) fails the load quietly. Values received
// before the failure stay in the receiver; loading into a copy is the
// caller's business.
class M7LIO_StructuredIOXMLLoad : public M7LIO_StructuredIOP {
public:
    explicit M7LIO_StructuredIOXMLLoad(const M7L_FileSpecificationNative& source);

    // Reads the source into the receiver. A source that cannot be read (no
    // path, missing, larger than kMaxDocumentBytes) gives false with the
    // receiver untouched. When rootName is given, the document's root element
    // must carry that name.
    bool Produce(M7LIO_StructuredIOR* receiver, const char* rootName) override;
    // The same for a document already in memory.
    bool ProduceFromText(M7LIO_StructuredIOR* receiver, const char* rootName,
                         std::string_view document);

    // Copies text, replacing the five predefined entities and character
    // references by their characters; stops at any other "&" and after
    // outputSize - 1 bytes, and always terminates the output (outputSize > 0).
    // True when the whole text was copied.
    static bool UnescapeText(std::string_view text, char* output, std::size_t outputSize);

    static constexpr std::size_t kMaxDocumentBytes = 4 * 1024 * 1024;

private:
    enum class TagEnd { kEndOfInput, kAttributesMayFollow, kClosed, kMalformed };
    enum class TagClose { kMalformed, kEmptyElement, kClosed };
    // Room for an end tag's "/" before the name.
    using Name = std::array<char, kM7LIO_XMLMaxNameChars + 2>;

    TagEnd NextTag(Name& name);
    bool SkipComment();
    bool SkipDocumentType();
    // The character data before a tag: white space outside the root element.
    bool AcceptText(std::string_view text) const;
    TagClose FinishTag();
    bool ReadValue(std::string_view name, std::string_view& value);
    bool Parse(const char* rootName);
    bool ParseAttributes();
    bool OpenElement(const char* name);
    bool CloseElement();
    bool PutValue(int type, const char* name, std::string_view value, int unknownTypeLine);

    bool AtEnd() const { return position_ >= input_.size(); }
    char Peek() const { return input_[position_]; }
    bool SkipPast(std::string_view terminator);
    bool ReadName(Name& name, std::string_view stopCharacters);

    M7L_FileSpecificationNative source_;
    M7LIO_StructuredIOR* receiver_ = nullptr;
    // The document with its line ends read as XML reads them.
    std::string text_;
    std::string_view input_;
    std::size_t position_ = 0;
    bool documentStarted_ = false;
    bool documentTypeSeen_ = false;
    // The names of the open elements, the innermost last.
    std::vector<std::string> openElements_;
};
