#pragma once

#include <cstddef>

#include "M7LPathAlgebra.h"

// A path to a file or folder with the edits the system needs on it. The base
// builds the name edits on the primitive operations of a platform class.
//
// Every operation returning bool returns false on failure and then leaves the
// path unchanged. The 8-bit ("n") variants take UTF-8 text, convert it into at
// most kArgumentCapacityUnits UTF-16 units and call their UTF-16 twin; a text
// that does not convert fails the operation. Getters write a terminated text
// into the caller's buffer of capacity units (bytes for the 8-bit variants)
// including the terminator, and fail with an empty text when it does not fit.
//
// Modes of the name edits when the result exceeds the maximum name length:
// M7LPathAlgebra::kFitByShorteningName and kFitByShorteningAddition; any
// other mode fails.
class M7L_FileSpecification {
public:
    static constexpr unsigned kDefaultMaxNameLengthChars = 255;
    static constexpr unsigned kDefaultSecondLengthLimitChars = 248;
    static constexpr std::size_t kMaxExtensionLengthChars = 62;
    static constexpr int kArgumentCapacityUnits = 511;

    M7L_FileSpecification() = default;
    virtual ~M7L_FileSpecification() = default;

    // Gives name part + '.' + extension; the name part is the text before the
    // last '.' of the file name. A name without '.' fails unless add is set.
    virtual bool ReplaceExtension(const char16_t* extension, bool add, int mode);
    virtual bool ReplaceExtension(const char* extension, bool add, int mode);
    // Appends '.' + extension to the file name.
    virtual bool AddExtension(const char16_t* extension, int mode);
    virtual bool AddExtension(const char* extension, int mode);
    virtual bool RemoveFileName() = 0;
    virtual bool SetFileName(const char16_t* name) = 0;
    virtual bool SetFileName(const char* name);
    virtual bool AppendToName(const char16_t* text, int mode);
    virtual bool AppendToName(const char* text, int mode);
    // Removes the innermost folder and keeps the file name.
    virtual bool MoveUpOneFolder() = 0;
    virtual bool StripToFolder() = 0;
    virtual bool EnterSubfolder(const char16_t* folderName, bool create) = 0;
    virtual bool EnterSubfolder(const char* folderName, bool create);
    virtual bool EnterSiblingFolder(const char16_t* folderName, bool create);
    virtual bool EnterSiblingFolder(const char* folderName, bool create);
    virtual bool SetLeafName(const char16_t* name) = 0;
    virtual bool SetLeafName(const char* name);
    virtual bool ResolveRelativePath(const char16_t* relativePath, bool create) = 0;
    virtual bool ResolveRelativePath(const char* relativePath, bool create);
    virtual bool HasPath() const = 0;
    virtual bool Exists() const = 0;
    virtual bool IsFolder() = 0;
    virtual bool IsSupported() const = 0;
    virtual bool GetFileName(char* buffer, int capacity) const;
    virtual bool GetFileName(char16_t* buffer, int capacity) const = 0;
    virtual bool GetFolderName(char* buffer, int capacity) const;
    virtual bool GetFolderName(char16_t* buffer, int capacity) const = 0;
    virtual bool GetFolderPathWithoutDrive(char* buffer, int capacity) const;
    virtual bool GetFolderPathWithoutDrive(char16_t* buffer, int capacity) const = 0;
    virtual bool SetMaxNameLength(unsigned value);
    virtual bool SetSecondLengthLimit(unsigned value);

protected:
    M7L_FileSpecification(const M7L_FileSpecification&) = default;
    M7L_FileSpecification& operator=(const M7L_FileSpecification&) = default;

    unsigned MaxNameLength() const { return maxNameLength_; }

private:
    unsigned maxNameLength_ = kDefaultMaxNameLengthChars;
    // Stored and settable only; folder creation uses its own fixed limit.
    unsigned secondLengthLimit_ = kDefaultSecondLengthLimitChars;
};
