#pragma once

#include <string>

// Runs "xmllint <options> <path>": what it wrote to standard output, and in
// diagnostics what it wrote to standard error, or why it could not run or
// failed. Empty diagnostics mean the file parsed cleanly; a missing xmllint
// is a diagnostic, never a pass.
struct XmllintResult {
    std::string output;
    std::string diagnostics;
};
XmllintResult RunXmllint(const std::string& options, const std::string& path);
