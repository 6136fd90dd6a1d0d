#pragma once

#include <cstddef>

#include "M7LString.h"
#include "M7L_FileSpecification.h"

// A file specification of this platform: a UTF-16 path with '/' separators,
// a folder written with a trailing '/', and a cached UTF-8 form for the file
// functions. The path of an existing entry is absolute after normalisation.
//
// Entries are looked up exactly as written (no wildcards, case-sensitive),
// after dot steps have been removed lexically, and only for paths shorter
// than kMaxLookupPathChars; a longer path counts as not existing.
class M7L_FileSpecificationNative : public M7L_FileSpecification {
public:
    static constexpr std::size_t kMaxLookupPathChars = 260;
    static constexpr std::size_t kMaxCreatedFolderPathChars = 248;
    static constexpr unsigned kMaxNameLengthLimitChars = 255;
    static constexpr int kAnsiPathCapacityBytes = 1024;
    static constexpr int kFullPathCapacityBytes = 512;

    // No path.
    M7L_FileSpecificationNative();
    // The path and limits of other, without normalising.
    M7L_FileSpecificationNative(const M7L_FileSpecificationNative& other);
    // The path, normalised. A null path, or an 8-bit path that does not
    // convert into kArgumentCapacityUnits, gives a specification without a
    // path.
    M7L_FileSpecificationNative(const char* path);
    M7L_FileSpecificationNative(const char16_t* path);
    M7L_FileSpecificationNative& operator=(const M7L_FileSpecificationNative& other);
    ~M7L_FileSpecificationNative() override;

    // Copies the path and both limits.
    void Assign(const M7L_FileSpecificationNative& other);
    // Removes dot steps, makes the path of an existing entry absolute and gives
    // an existing folder its trailing '/'. A trailing '/' is kept. When any step
    // fails the path stays as it was.
    void Normalize();
    // Refreshes the UTF-8 form; false (and no form) when there is no path or it
    // does not convert into kAnsiPathCapacityBytes.
    bool UpdateAnsiPath() const;
    // The refreshed UTF-8 form, valid until the next change or call. Null
    // exactly when UpdateAnsiPath fails, so a specification without a path
    // never reaches a file function as "".
    const char* GetAnsiPath() const;

    using M7L_FileSpecification::EnterSiblingFolder;
    using M7L_FileSpecification::EnterSubfolder;
    using M7L_FileSpecification::GetFileName;
    using M7L_FileSpecification::GetFolderName;
    using M7L_FileSpecification::GetFolderPathWithoutDrive;
    using M7L_FileSpecification::ResolveRelativePath;
    using M7L_FileSpecification::SetFileName;
    using M7L_FileSpecification::SetLeafName;

    bool RemoveFileName() override;
    // Replaces the text after the last '/' (the whole path without one). The
    // name must fit the maximum name length and hold no '/'.
    bool SetFileName(const char16_t* name) override;
    // Fails with fewer than two '/'.
    bool MoveUpOneFolder() override;
    bool StripToFolder() override;
    // Enters folderName in the current folder, creating it when create is set
    // and the new folder path has at most kMaxCreatedFolderPathChars; an
    // existing entry of that name must be a folder. Keeps the file name.
    bool EnterSubfolder(const char16_t* folderName, bool create) override;
    // Moves up one folder and enters folderName there, in one step.
    bool EnterSiblingFolder(const char16_t* folderName, bool create) override;
    bool SetLeafName(const char16_t* name) override;
    // Walks the '/'-separated steps (".." up, "." and empty steps nothing,
    // other names EnterSubfolder) and sets a last component as leaf name.
    // Works on a copy: a failing step leaves the path unchanged, although
    // folders created by earlier steps stay.
    bool ResolveRelativePath(const char16_t* relativePath, bool create) override;
    bool HasPath() const override;
    // False for an empty or over-long path; a path written as a folder exists
    // only as a folder.
    bool Exists() const override;
    // True for an existing folder, which then gets its trailing '/'.
    bool IsFolder() override;
    bool IsSupported() const override;
    // The text after the last '/' (empty for a folder path).
    bool GetFileName(char16_t* buffer, int capacity) const override;
    // The text between the last two '/'; fails with fewer than two.
    bool GetFolderName(char16_t* buffer, int capacity) const override;
    // The text from the first '/' up to, not including, the last one.
    bool GetFolderPathWithoutDrive(char16_t* buffer, int capacity) const override;
    // Both refuse values over kMaxNameLengthLimitChars.
    bool SetMaxNameLength(unsigned value) override;
    bool SetSecondLengthLimit(unsigned value) override;

private:
    M7LWideString path_;
    mutable M7LString ansiPath_;
};
