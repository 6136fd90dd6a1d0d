#include "M7L_FileSpecificationNative.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "M7LAnsiConversion.h"

namespace {

using Native = M7L_FileSpecificationNative;
constexpr M7LPathAlgebra::Style kStyle = M7LPathAlgebra::kPosixStyle;
constexpr char16_t kSeparator = kStyle.separator;
constexpr std::u16string_view kCurrentStep = u".";
constexpr std::u16string_view kParentStep = u"..";

enum class EntryKind { kMissing, kFile, kFolder };

std::optional<std::string> ToNarrow(std::u16string_view path, int capacity) {
    const std::u16string terminated(path);
    std::string narrow(static_cast<std::size_t>(capacity), '\0');
    if (WideToAnsi(terminated.c_str(), narrow.data(), capacity) != 0) {
        return std::nullopt;
    }
    narrow.resize(std::char_traits<char>::length(narrow.c_str()));
    return narrow;
}

std::optional<std::u16string> ToWide(const std::string& path, int capacity) {
    std::u16string wide(static_cast<std::size_t>(capacity), u'\0');
    if (AnsiToWide(path.c_str(), wide.data(), capacity) != 0) {
        return std::nullopt;
    }
    wide.resize(std::char_traits<char16_t>::length(wide.c_str()));
    return wide;
}

// Looks the path up exactly as written. Paths at the lookup limit or longer
// and paths that do not convert count as missing.
EntryKind LookUp(std::u16string_view path) {
    if (path.empty() || path.size() >= Native::kMaxLookupPathChars) {
        return EntryKind::kMissing;
    }
    const std::optional<std::string> narrow = ToNarrow(path, Native::kAnsiPathCapacityBytes);
    if (!narrow) {
        return EntryKind::kMissing;
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(*narrow, error);
    if (error || !std::filesystem::exists(status)) {
        return EntryKind::kMissing;
    }
    return std::filesystem::is_directory(status) ? EntryKind::kFolder : EntryKind::kFile;
}

// The absolute form of a relative path that exists, dot steps removed.
std::optional<std::u16string> AbsolutePath(std::u16string_view relative) {
    const std::optional<std::string> narrow = ToNarrow(relative, Native::kAnsiPathCapacityBytes);
    if (!narrow) {
        return std::nullopt;
    }
    std::error_code error;
    const std::string absolute = std::filesystem::absolute(*narrow, error).string();
    if (error || absolute.size() >= static_cast<std::size_t>(Native::kFullPathCapacityBytes)) {
        return std::nullopt;
    }
    const std::optional<std::u16string> wide = ToWide(absolute, Native::kFullPathCapacityBytes);
    if (!wide) {
        return std::nullopt;
    }
    return M7LPathAlgebra::RemoveDotSteps(*wide, kStyle);
}

bool CopyOut(std::u16string_view text, char16_t* buffer, int capacity) {
    if (buffer == nullptr || capacity <= 0) {
        return false;
    }
    if (text.size() >= static_cast<std::size_t>(capacity)) {
        buffer[0] = 0;
        return false;
    }
    text.copy(buffer, text.size());
    buffer[text.size()] = 0;
    return true;
}

// A single folder component: dot names would put steps back into the path.
bool IsFolderName(std::u16string_view name) {
    return !name.empty() && name != kCurrentStep && name != kParentStep &&
           name.find(kSeparator) == std::u16string_view::npos;
}

// One step of a relative path; a last component that is no dot step names
// the leaf.
bool TakeStep(Native& walk, const std::u16string& step, bool last, bool create) {
    if (step == kParentStep) {
        return walk.MoveUpOneFolder();
    }
    if (step.empty() || step == kCurrentStep) {
        return true;
    }
    return last ? walk.SetLeafName(step.c_str()) : walk.EnterSubfolder(step.c_str(), create);
}

}  // namespace

M7L_FileSpecificationNative::M7L_FileSpecificationNative() = default;

M7L_FileSpecificationNative::M7L_FileSpecificationNative(const M7L_FileSpecificationNative& other)
    : M7L_FileSpecification(other), path_(other.path_) {}

M7L_FileSpecificationNative::M7L_FileSpecificationNative(const char* path) {
    if (path != nullptr) {
        const std::optional<std::u16string> wide = ToWide(path, kArgumentCapacityUnits);
        if (wide) {
            path_.Assign(wide->c_str());
        }
    }
    Normalize();
}

M7L_FileSpecificationNative::M7L_FileSpecificationNative(const char16_t* path) : path_(path) {
    Normalize();
}

M7L_FileSpecificationNative& M7L_FileSpecificationNative::operator=(
    const M7L_FileSpecificationNative& other) {
    Assign(other);
    return *this;
}

M7L_FileSpecificationNative::~M7L_FileSpecificationNative() = default;

void M7L_FileSpecificationNative::Assign(const M7L_FileSpecificationNative& other) {
    if (this == &other) {
        return;
    }
    M7L_FileSpecification::operator=(other);
    path_ = other.path_;
    ansiPath_.Clear();
}

void M7L_FileSpecificationNative::Normalize() {
    if (!HasPath()) {
        return;
    }
    const std::u16string_view original = path_.CStr();
    // Dot steps go first: the platform would resolve "missing/../x" through
    // the missing folder and not find x.
    std::u16string work = M7LPathAlgebra::NormalizeLexically(original, kStyle);
    const std::u16string_view entry = M7LPathAlgebra::WithoutTrailingSeparator(work, kStyle);
    const EntryKind kind = LookUp(entry);
    if (kind != EntryKind::kMissing) {
        if (!M7LPathAlgebra::IsAbsolute(work, kStyle)) {
            std::optional<std::u16string> absolute = AbsolutePath(entry);
            if (!absolute) {
                return;
            }
            work = std::move(*absolute);
        }
        if (kind == EntryKind::kFolder && !M7LPathAlgebra::EndsWithSeparator(work, kSeparator)) {
            work += kSeparator;
        }
    }
    if (work != original) {
        path_.Assign(work.c_str());
    }
}

bool M7L_FileSpecificationNative::UpdateAnsiPath() const {
    std::optional<std::string> narrow;
    if (HasPath()) {
        narrow = ToNarrow(path_.CStr(), kAnsiPathCapacityBytes);
    }
    if (!narrow) {
        ansiPath_.Clear();
        return false;
    }
    ansiPath_.Assign(narrow->c_str());
    return ansiPath_.CStrOrNull() != nullptr;
}

const char* M7L_FileSpecificationNative::GetAnsiPath() const {
    return UpdateAnsiPath() ? ansiPath_.CStr() : nullptr;
}

bool M7L_FileSpecificationNative::RemoveFileName() {
    return SetFileName(u"");
}

bool M7L_FileSpecificationNative::SetFileName(const char16_t* name) {
    if (name == nullptr) {
        return false;
    }
    const std::u16string_view fileName(name);
    if (fileName.size() > MaxNameLength() ||
        fileName.find(kSeparator) != std::u16string_view::npos) {
        return false;
    }
    const std::u16string path =
        std::u16string(M7LPathAlgebra::FolderPath(path_.CStr(), kSeparator)) +
        std::u16string(fileName);
    path_.Assign(path.c_str());
    return true;
}

bool M7L_FileSpecificationNative::MoveUpOneFolder() {
    const std::optional<std::u16string> path =
        M7LPathAlgebra::MoveUpOneFolder(path_.CStr(), kSeparator);
    if (!path) {
        return false;
    }
    path_.Assign(path->c_str());
    return true;
}

bool M7L_FileSpecificationNative::StripToFolder() {
    return RemoveFileName();
}

bool M7L_FileSpecificationNative::EnterSubfolder(const char16_t* folderName, bool create) {
    if (folderName == nullptr || !IsFolderName(folderName)) {
        return false;
    }
    const std::u16string_view path = path_.CStr();
    const std::u16string folder =
        std::u16string(M7LPathAlgebra::FolderPath(path, kSeparator)) + folderName;
    switch (LookUp(folder)) {
        case EntryKind::kFile:
            return false;
        case EntryKind::kMissing: {
            if (!create || folder.size() > kMaxCreatedFolderPathChars) {
                return false;
            }
            const std::optional<std::string> narrow = ToNarrow(folder, kAnsiPathCapacityBytes);
            std::error_code error;
            if (!narrow || !std::filesystem::create_directory(*narrow, error)) {
                return false;
            }
            break;
        }
        case EntryKind::kFolder:
            break;
    }
    const std::u16string entered =
        folder + kSeparator + std::u16string(M7LPathAlgebra::FileName(path, kSeparator));
    path_.Assign(entered.c_str());
    return true;
}

bool M7L_FileSpecificationNative::EnterSiblingFolder(const char16_t* folderName, bool create) {
    M7L_FileSpecificationNative walk(*this);
    if (!walk.M7L_FileSpecification::EnterSiblingFolder(folderName, create)) {
        return false;
    }
    path_ = std::move(walk.path_);
    return true;
}

bool M7L_FileSpecificationNative::SetLeafName(const char16_t* name) {
    return SetFileName(name);
}

bool M7L_FileSpecificationNative::ResolveRelativePath(const char16_t* relativePath, bool create) {
    if (relativePath == nullptr) {
        return false;
    }
    M7L_FileSpecificationNative walk(*this);
    std::u16string_view rest(relativePath);
    for (;;) {
        const std::size_t end = rest.find(kSeparator);
        const bool last = end == std::u16string_view::npos;
        if (!TakeStep(walk, std::u16string(rest.substr(0, end)), last, create)) {
            return false;
        }
        if (last) {
            break;
        }
        rest.remove_prefix(end + 1);
    }
    path_ = std::move(walk.path_);
    return true;
}

bool M7L_FileSpecificationNative::HasPath() const {
    return path_.GetSize() >= 2;
}

bool M7L_FileSpecificationNative::Exists() const {
    if (!HasPath()) {
        return false;
    }
    const std::u16string_view path = path_.CStr();
    switch (LookUp(M7LPathAlgebra::WithoutTrailingSeparator(path, kStyle))) {
        case EntryKind::kFolder:
            return true;
        case EntryKind::kFile:
            return !M7LPathAlgebra::EndsWithSeparator(path, kSeparator);
        case EntryKind::kMissing:
            break;
    }
    return false;
}

bool M7L_FileSpecificationNative::IsFolder() {
    const std::u16string_view path = path_.CStr();
    if (LookUp(M7LPathAlgebra::WithoutTrailingSeparator(path, kStyle)) != EntryKind::kFolder) {
        return false;
    }
    if (!M7LPathAlgebra::EndsWithSeparator(path, kSeparator)) {
        const std::u16string folder = std::u16string(path) + kSeparator;
        path_.Assign(folder.c_str());
    }
    return true;
}

bool M7L_FileSpecificationNative::IsSupported() const {
    return true;
}

bool M7L_FileSpecificationNative::GetFileName(char16_t* buffer, int capacity) const {
    return CopyOut(M7LPathAlgebra::FileName(path_.CStr(), kSeparator), buffer, capacity);
}

bool M7L_FileSpecificationNative::GetFolderName(char16_t* buffer, int capacity) const {
    const std::optional<std::u16string_view> name =
        M7LPathAlgebra::FolderName(path_.CStr(), kSeparator);
    return CopyOut(name.value_or(u""), buffer, capacity) && name.has_value();
}

bool M7L_FileSpecificationNative::GetFolderPathWithoutDrive(char16_t* buffer, int capacity) const {
    const std::optional<std::u16string_view> folder =
        M7LPathAlgebra::FolderPathWithoutDrive(path_.CStr(), kSeparator);
    return CopyOut(folder.value_or(u""), buffer, capacity) && folder.has_value();
}

bool M7L_FileSpecificationNative::SetMaxNameLength(unsigned value) {
    return value <= kMaxNameLengthLimitChars && M7L_FileSpecification::SetMaxNameLength(value);
}

bool M7L_FileSpecificationNative::SetSecondLengthLimit(unsigned value) {
    return value <= kMaxNameLengthLimitChars && M7L_FileSpecification::SetSecondLengthLimit(value);
}
