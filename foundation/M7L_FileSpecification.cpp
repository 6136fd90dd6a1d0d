#include "M7L_FileSpecification.h"

#include <optional>
#include <string>

#include "M7LAnsiConversion.h"

namespace {

// Room for a file name read back for editing; names longer than this fail.
constexpr int kNameCapacityUnits = M7L_FileSpecification::kArgumentCapacityUnits;
constexpr int kFileNameCapacityUnits = 256;
constexpr int kFolderPathCapacityUnits = 512;

// An 8-bit argument as UTF-16, or nothing when it does not convert.
std::optional<std::u16string> Widen(const char* text) {
    std::u16string wide(M7L_FileSpecification::kArgumentCapacityUnits, u'\0');
    if (AnsiToWide(text, wide.data(), M7L_FileSpecification::kArgumentCapacityUnits) != 0) {
        return std::nullopt;
    }
    wide.resize(std::char_traits<char16_t>::length(wide.c_str()));
    return wide;
}

template <typename Getter>
bool GetNarrow(char* buffer, int capacity, int wideCapacity, Getter getWide) {
    std::u16string wide(static_cast<std::size_t>(wideCapacity), u'\0');
    if (!getWide(wide.data(), wideCapacity)) {
        if (buffer != nullptr && capacity > 0) {
            buffer[0] = 0;
        }
        return false;
    }
    return WideToAnsi(wide.c_str(), buffer, capacity) == 0;
}

}  // namespace

bool M7L_FileSpecification::ReplaceExtension(const char16_t* extension, bool add, int mode) {
    char16_t name[kNameCapacityUnits];
    if (extension == nullptr || !GetFileName(name, kNameCapacityUnits)) {
        return false;
    }
    const std::optional<std::u16string> result =
        M7LPathAlgebra::ReplacedExtension(name, extension, add, mode, maxNameLength_);
    return result && SetFileName(result->c_str());
}

bool M7L_FileSpecification::ReplaceExtension(const char* extension, bool add, int mode) {
    const std::optional<std::u16string> wide = Widen(extension);
    return wide && ReplaceExtension(wide->c_str(), add, mode);
}

bool M7L_FileSpecification::AddExtension(const char16_t* extension, int mode) {
    if (extension == nullptr ||
        std::char_traits<char16_t>::length(extension) > kMaxExtensionLengthChars) {
        return false;
    }
    std::u16string dotted(1, u'.');
    dotted += extension;
    return AppendToName(dotted.c_str(), mode);
}

bool M7L_FileSpecification::AddExtension(const char* extension, int mode) {
    const std::optional<std::u16string> wide = Widen(extension);
    return wide && AddExtension(wide->c_str(), mode);
}

bool M7L_FileSpecification::SetFileName(const char* name) {
    const std::optional<std::u16string> wide = Widen(name);
    return wide && SetFileName(wide->c_str());
}

bool M7L_FileSpecification::AppendToName(const char16_t* text, int mode) {
    char16_t name[kNameCapacityUnits];
    if (text == nullptr || !GetFileName(name, kNameCapacityUnits)) {
        return false;
    }
    const std::optional<std::u16string> result =
        M7LPathAlgebra::AppendedToName(name, text, mode, maxNameLength_);
    return result && SetFileName(result->c_str());
}

bool M7L_FileSpecification::AppendToName(const char* text, int mode) {
    const std::optional<std::u16string> wide = Widen(text);
    return wide && AppendToName(wide->c_str(), mode);
}

bool M7L_FileSpecification::EnterSubfolder(const char* folderName, bool create) {
    const std::optional<std::u16string> wide = Widen(folderName);
    return wide && EnterSubfolder(wide->c_str(), create);
}

bool M7L_FileSpecification::EnterSiblingFolder(const char16_t* folderName, bool create) {
    return MoveUpOneFolder() && EnterSubfolder(folderName, create);
}

bool M7L_FileSpecification::EnterSiblingFolder(const char* folderName, bool create) {
    const std::optional<std::u16string> wide = Widen(folderName);
    return wide && EnterSiblingFolder(wide->c_str(), create);
}

bool M7L_FileSpecification::SetLeafName(const char* name) {
    const std::optional<std::u16string> wide = Widen(name);
    return wide && SetLeafName(wide->c_str());
}

bool M7L_FileSpecification::ResolveRelativePath(const char* relativePath, bool create) {
    const std::optional<std::u16string> wide = Widen(relativePath);
    return wide && ResolveRelativePath(wide->c_str(), create);
}

bool M7L_FileSpecification::GetFileName(char* buffer, int capacity) const {
    return GetNarrow(buffer, capacity, kFileNameCapacityUnits,
                     [this](char16_t* wide, int n) { return GetFileName(wide, n); });
}

bool M7L_FileSpecification::GetFolderName(char* buffer, int capacity) const {
    return GetNarrow(buffer, capacity, kFileNameCapacityUnits,
                     [this](char16_t* wide, int n) { return GetFolderName(wide, n); });
}

bool M7L_FileSpecification::GetFolderPathWithoutDrive(char* buffer, int capacity) const {
    return GetNarrow(buffer, capacity, kFolderPathCapacityUnits,
                     [this](char16_t* wide, int n) { return GetFolderPathWithoutDrive(wide, n); });
}

bool M7L_FileSpecification::SetMaxNameLength(unsigned value) {
    maxNameLength_ = value;
    return true;
}

bool M7L_FileSpecification::SetSecondLengthLimit(unsigned value) {
    secondLengthLimit_ = value;
    return true;
}
