#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "M7LIO_StructuredIOR.h"
#include "M7LIO_StructuredIOXML.h"
#include "M7LReplacedFile.h"
#include "M7L_FileSpecificationNative.h"

// A receiver that writes the document it receives as an XML file: the
// declaration and document type lines, then one element per line. Scalars
// become child elements, or attributes of the open start tag where the
// attribute mode allows.
//
// The document goes to a new temporary file beside the target, which
// replaces the target only when EndDocument has written, flushed and closed
// it without error. A target that is a symbolic link keeps the link: the
// file it leads to is replaced, with its mode and, where the process may set
// it, its group. Anything the writer cannot write faithfully (over-long
// names and texts, nesting too deep, a failed write) fails its operation and
// spoils the document, so a failed save leaves the old target as it was.
class M7LIO_StructuredIOXMLSave : public M7LIO_StructuredIOR {
public:
    M7LIO_StructuredIOXMLSave(const M7L_FileSpecificationNative& target, const char* rootName,
                              const char* dtdName, std::int32_t dtdBaseMode);
    // Abandons a document that EndDocument did not finish: the temporary file
    // is removed and the target stays as it was.
    ~M7LIO_StructuredIOXMLSave() override;

    M7LIO_StructuredIOXMLSave(const M7LIO_StructuredIOXMLSave&) = delete;
    M7LIO_StructuredIOXMLSave& operator=(const M7LIO_StructuredIOXMLSave&) = delete;

    // Sets the attribute flags of booleans, integers, reals and attribute
    // strings at once; all are on at construction.
    void SetAttributeMode(bool on);
    // An element without content becomes one "<name/>" tag.
    void SetEmptyElementMode(bool on);

    // Copies text, replacing & < > and the double quote by their entities and
    // a carriage return by a character reference.
    // Stops after the first character that takes the output beyond
    // outputSize - 7 bytes and always terminates the output (outputSize > 0).
    // True when the whole text was copied.
    static bool EscapeText(const char* text, char* output, std::size_t outputSize);

    // The folder of the document type's system identifier, ending in "/".
    static const char* SelectDtdBase(std::int32_t mode);
    // The declaration and document type lines; false when they do not fit
    // into outputSize bytes with the terminator.
    static bool WriteXmlHeader(std::int32_t mode, const char* rootName, const char* dtdName,
                               char* output, std::size_t outputSize);

    bool BeginDocument() override;
    bool EndDocument() override;
    M7LIO_StructuredIOR* BeginElement(const char* name, int extra) override;
    M7LIO_StructuredIOR* EndElement() override;
    bool PutString(const char* name, const char* text) override;
    bool PutWideString(const char* name, const char16_t* text) override;
    bool PutInteger(const char* name, std::int32_t value) override;
    bool PutReal(const char* name, double value) override;
    bool PutBoolean(const char* name, bool value) override;
    bool PutAttributeString(const char* name, const char* text) override;
    bool PutBinary(const char* name, const std::uint8_t* bytes, std::size_t count) override;
    bool PutScrambledBinary(const char* name, const std::uint8_t* bytes,
                            std::size_t count) override;
    int GetKindCode() const override;

private:
    using Name = std::array<char, kM7LIO_XMLMaxNameChars + 1>;

    void OpenTag(const char* name, bool keepOpen);
    void CloseTag(const char* name);
    bool AttributeStart(const char* name);
    bool AttributeEnd();
    // A value as an attribute of the open start tag, else as an element.
    bool PutScalar(const char* name, const char* valueText, bool asAttribute);
    bool PutElementText(const char* name, const char* valueText);
    bool PutHexLines(const char* name, const std::uint8_t* bytes, std::size_t count);

    void Write(const char* text);
    void Write(const char* bytes, std::size_t count);
    // False, and the document spoilt, when there is no file or the name
    // cannot be written.
    bool CanWrite(const char* name);
    bool Refuse();
    void AbandonFile();

    std::int32_t dtdBaseMode_;
    std::string rootName_;
    std::string dtdName_;
    M7L_FileSpecificationNative target_;
    M7LReplacedFile file_;
    // The open document's stream, from file_.
    std::FILE* stream_ = nullptr;
    // Set by any failed write or refused value of the open document.
    bool spoilt_ = false;
    std::array<Name, kM7LIO_XMLMaxDepthLevels> elementNames_{};
    std::size_t openElements_ = 0;
    bool booleanAttribute_ = true;
    bool integerAttribute_ = true;
    bool realAttribute_ = true;
    bool attributeStringAttribute_ = true;
    bool startTagOpen_ = false;
    bool emptyElementMode_ = false;
};
