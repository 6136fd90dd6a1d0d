#pragma once

#include <string>

#include "Preferences.h"

namespace standin {

// The driver program's preferences between runs: the store as a text file,
// one value a line ("kind<TAB>section<TAB>key<TAB>value", tabs, line breaks
// and backslashes escaped). A file that is not there, or empty, is an empty store.
// Empty, or why the file could not be read (the store is then left alone).
std::string LoadPreferenceFile(const std::string& path, PreferenceStore& store);
// Written through a temporary file renamed over the old one. Empty, or why
// the file was not written.
std::string SavePreferenceFile(const std::string& path, const PreferenceStore& store);

}  // namespace standin
