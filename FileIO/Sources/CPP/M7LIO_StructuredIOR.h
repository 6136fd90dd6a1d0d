#pragma once

#include <cstddef>
#include <cstdint>

#include "M7LString.h"

// The kinds of named values a receiver takes; TypeOf and LookUpType answer
// with them and the reader picks the Put operation by them.
enum M7LIO_ValueType : int {
    kM7LIO_Unknown = 0,
    kM7LIO_Element = 1,
    kM7LIO_String = 2,
    kM7LIO_WideString = 3,
    kM7LIO_Integer = 4,
    kM7LIO_Real = 5,
    kM7LIO_Boolean = 6,
    kM7LIO_AttributeString = 7,
    kM7LIO_Binary = 8,
    kM7LIO_ScrambledBinary = 9,
};

// Receives a document of nested named elements and named values. Callers
// drive it through the non-virtual Start/Finish/Open/Close operations, which
// keep the depth and the delegation to child receivers.
class M7LIO_StructuredIOR {
public:
    virtual ~M7LIO_StructuredIOR() = default;

    virtual bool BeginDocument() = 0;
    virtual bool EndDocument() = 0;
    // The receiver for the element's content, or null on failure.
    virtual M7LIO_StructuredIOR* BeginElement(const char* name, int extra) = 0;
    virtual M7LIO_StructuredIOR* EndElement() = 0;
    virtual bool PutString(const char* name, const char* text) = 0;
    virtual bool PutWideString(const char* name, const char16_t* text) = 0;
    virtual bool PutInteger(const char* name, std::int32_t value) = 0;
    virtual bool PutReal(const char* name, double value) = 0;
    virtual bool PutBoolean(const char* name, bool value) = 0;
    virtual bool PutAttributeString(const char* name, const char* text) = 0;
    virtual bool PutBinary(const char* name, const std::uint8_t* bytes, std::size_t count) = 0;
    virtual bool PutScrambledBinary(const char* name, const std::uint8_t* bytes,
                                    std::size_t count) = 0;
    virtual int GetKindCode() const { return 2; }
    virtual int TypeOf(const char* /*name*/) const { return kM7LIO_Unknown; }

    bool StartDocument(const char* rootName, M7LIO_StructuredIOR* parent);
    bool FinishDocument();
    M7LIO_StructuredIOR* OpenElement(const char* name, int extra);
    M7LIO_StructuredIOR* CloseElement();
    int LookUpType(const char* name) const;

    std::int32_t GetDepth() const { return depth_; }
    M7LIO_StructuredIOR* GetParent() const { return parent_; }

protected:
    // Hands the element's content to child: the usual answer of a
    // BeginElement that delegates.
    M7LIO_StructuredIOR* DelegateElement(M7LIO_StructuredIOR* child, const char* name, int extra);

private:
    // A copy: callers pass transient buffers (the reader's tag name).
    M7LString rootName_;
    M7LIO_StructuredIOR* parent_ = nullptr;
    std::int32_t depth_ = 0;
};
