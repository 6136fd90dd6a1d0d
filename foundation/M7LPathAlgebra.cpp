#include "M7LPathAlgebra.h"

#include <vector>

namespace M7LPathAlgebra {

namespace {

constexpr std::u16string_view kCurrentStep = u".";
constexpr std::u16string_view kParentStep = u"..";
constexpr std::size_t kDriveRootLength = 2;

bool IsAsciiLetter(char16_t c) {
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

bool HasDrive(std::u16string_view path, Style style) {
    return style.driveLetters && path.size() >= kDriveRootLength && IsAsciiLetter(path[0]) &&
           path[1] == u':';
}

std::vector<std::u16string_view> Split(std::u16string_view text, char16_t separator) {
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::u16string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

// name + addition; when that is too long, the mode says which of the two is
// cut so that the result has exactly maxLength.
std::optional<std::u16string> Fit(std::u16string_view name, std::u16string_view addition, int mode,
                                  std::size_t maxLength) {
    if (name.size() + addition.size() <= maxLength) {
        return std::u16string(name) + std::u16string(addition);
    }
    if (mode == kFitByShorteningName && addition.size() <= maxLength) {
        return std::u16string(name.substr(0, maxLength - addition.size())) +
               std::u16string(addition);
    }
    if (mode == kFitByShorteningAddition && name.size() <= maxLength) {
        return std::u16string(name) + std::u16string(addition.substr(0, maxLength - name.size()));
    }
    return std::nullopt;
}

}  // namespace

std::size_t RootLength(std::u16string_view path, Style style) {
    if (HasDrive(path, style)) {
        const bool rooted =
            path.size() > kDriveRootLength && path[kDriveRootLength] == style.separator;
        return rooted ? kDriveRootLength + 1 : kDriveRootLength;
    }
    return !path.empty() && path[0] == style.separator ? 1 : 0;
}

bool IsAbsolute(std::u16string_view path, Style style) {
    const std::size_t root = RootLength(path, style);
    return root > 0 && path[root - 1] == style.separator;
}

bool EndsWithSeparator(std::u16string_view path, char16_t separator) {
    return !path.empty() && path.back() == separator;
}

std::u16string_view WithoutTrailingSeparator(std::u16string_view path, Style style) {
    if (EndsWithSeparator(path, style.separator) && path.size() > RootLength(path, style)) {
        path.remove_suffix(1);
    }
    return path;
}

std::u16string RemoveDotSteps(std::u16string_view path, Style style) {
    const std::size_t root = RootLength(path, style);
    const bool rooted = IsAbsolute(path, style);
    const std::vector<std::u16string_view> parts = Split(path.substr(root), style.separator);

    std::vector<std::u16string_view> kept;
    bool endsAsFolder = false;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::u16string_view part = parts[i];
        // Only a component behind a separator is a step; a leading "." or ".."
        // of a relative path means the current folder and must stay.
        const bool isStep = (i > 0 || rooted) && (part == kCurrentStep || part == kParentStep);
        if (!isStep) {
            kept.push_back(part);
            continue;
        }
        if (i + 1 == parts.size()) {
            endsAsFolder = true;
        }
        if (part == kCurrentStep) {
            continue;
        }
        if (!kept.empty() && kept.back() != kParentStep && kept.back() != kCurrentStep) {
            kept.pop_back();
        } else if (!(kept.empty() && rooted)) {
            kept.push_back(part);
        }
    }
    if (endsAsFolder && !kept.empty() && !kept.back().empty()) {
        kept.push_back(u"");
    }

    std::u16string result(path.substr(0, root));
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) {
            result += style.separator;
        }
        result += kept[i];
    }
    if (result.empty() && !path.empty()) {
        result = {u'.', style.separator};
    }
    return result;
}

std::u16string NormalizeLexically(std::u16string_view path, Style style) {
    const std::u16string_view stripped = WithoutTrailingSeparator(path, style);
    std::u16string work = RemoveDotSteps(stripped, style);
    const bool bareDrive = HasDrive(work, style) && work.size() == kDriveRootLength;
    if (work == stripped && !bareDrive) {
        return std::u16string(path);
    }
    if (bareDrive ||
        (stripped.size() != path.size() && !EndsWithSeparator(work, style.separator))) {
        work += style.separator;
    }
    return work;
}

std::u16string_view FileName(std::u16string_view path, char16_t separator) {
    const std::size_t last = path.rfind(separator);
    return last == std::u16string_view::npos ? path : path.substr(last + 1);
}

std::u16string_view FolderPath(std::u16string_view path, char16_t separator) {
    const std::size_t last = path.rfind(separator);
    return last == std::u16string_view::npos ? std::u16string_view() : path.substr(0, last + 1);
}

std::optional<std::u16string_view> FolderName(std::u16string_view path, char16_t separator) {
    const std::size_t last = path.rfind(separator);
    if (last == std::u16string_view::npos || last == 0) {
        return std::nullopt;
    }
    const std::size_t previous = path.rfind(separator, last - 1);
    if (previous == std::u16string_view::npos) {
        return std::nullopt;
    }
    return path.substr(previous + 1, last - previous - 1);
}

std::optional<std::u16string_view> FolderPathWithoutDrive(std::u16string_view path,
                                                          char16_t separator) {
    const std::size_t first = path.find(separator);
    if (first == std::u16string_view::npos) {
        return std::nullopt;
    }
    return path.substr(first, path.rfind(separator) - first);
}

std::optional<std::u16string> MoveUpOneFolder(std::u16string_view path, char16_t separator) {
    const std::optional<std::u16string_view> folder = FolderName(path, separator);
    if (!folder) {
        return std::nullopt;
    }
    const std::size_t folderStart = static_cast<std::size_t>(folder->data() - path.data());
    return std::u16string(path.substr(0, folderStart)) +
           std::u16string(path.substr(folderStart + folder->size() + 1));
}

std::optional<std::u16string> ReplacedExtension(std::u16string_view name,
                                                std::u16string_view extension, bool add, int mode,
                                                std::size_t maxLength) {
    const std::size_t dot = name.rfind(u'.');
    if (dot == std::u16string_view::npos && !add) {
        return std::nullopt;
    }
    const std::u16string namePart(name.substr(0, dot));
    // The dot survives either way of shortening, so the result keeps an
    // extension.
    if (mode == kFitByShorteningAddition) {
        return Fit(namePart + u'.', extension, mode, maxLength);
    }
    return Fit(namePart, u"." + std::u16string(extension), mode, maxLength);
}

std::optional<std::u16string> AppendedToName(std::u16string_view name, std::u16string_view text,
                                             int mode, std::size_t maxLength) {
    return Fit(name, text, mode, maxLength);
}

}  // namespace M7LPathAlgebra
