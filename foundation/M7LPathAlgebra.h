#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Pure text operations on UTF-16 paths, with the separator (and whether drive
// letters exist) as a parameter, so they work for any platform's path form
// and never touch a filesystem.
namespace M7LPathAlgebra {

struct Style {
    char16_t separator;
    bool driveLetters;
};

inline constexpr Style kPosixStyle{u'/', false};
inline constexpr Style kWindowsStyle{u'\\', true};

// How a name edit fits a result that exceeds the maximum name length.
inline constexpr int kFitByShorteningName = 1;
inline constexpr int kFitByShorteningAddition = 2;

// Length of the part that dot steps never climb above: "/" (posix), "X:\",
// "X:" or "\" (with drive letters); 0 for a relative path.
std::size_t RootLength(std::u16string_view path, Style style);
// Starts with the separator or, with drive letters, with "X:" and a separator.
bool IsAbsolute(std::u16string_view path, Style style);
bool EndsWithSeparator(std::u16string_view path, char16_t separator);
// The path without one trailing separator, unless that separator is the root.
std::u16string_view WithoutTrailingSeparator(std::u16string_view path, Style style);

// Removes "." steps and resolves ".." steps against the component before
// them. A leading "." or ".." of a relative path stays (it refers to the
// current folder), ".." never climbs above the root, and a last "." or ".."
// step leaves the path as a folder, with its trailing separator.
std::u16string RemoveDotSteps(std::u16string_view path, Style style);
// RemoveDotSteps, and with drive letters a bare "X:" becomes "X:\". A
// trailing separator is kept, so a folder stays a folder.
std::u16string NormalizeLexically(std::u16string_view path, Style style);

// The text after the last separator (the whole path without one).
std::u16string_view FileName(std::u16string_view path, char16_t separator);
// The text up to and including the last separator ("" without one).
std::u16string_view FolderPath(std::u16string_view path, char16_t separator);
// The innermost folder's name, between the last two separators.
std::optional<std::u16string_view> FolderName(std::u16string_view path, char16_t separator);
// From the first separator up to, not including, the last one.
std::optional<std::u16string_view> FolderPathWithoutDrive(std::u16string_view path,
                                                          char16_t separator);
// Removes the innermost folder and keeps the file name; needs two separators.
std::optional<std::u16string> MoveUpOneFolder(std::u16string_view path, char16_t separator);

// The file name with its extension replaced (see
// M7L_FileSpecification::ReplaceExtension), fitted into maxLength.
std::optional<std::u16string> ReplacedExtension(std::u16string_view name,
                                                std::u16string_view extension, bool add, int mode,
                                                std::size_t maxLength);
// name + text, fitted into maxLength.
std::optional<std::u16string> AppendedToName(std::u16string_view name, std::u16string_view text,
                                             int mode, std::size_t maxLength);

}  // namespace M7LPathAlgebra
