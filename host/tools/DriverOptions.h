#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace driver {

// A command line as the driver program takes it: the command, its files in
// order, and its options (a flag maps to "").
struct DriverOptions {
    std::string command;
    std::vector<std::string> files;
    std::map<std::string, std::string> values;
    bool help = false;

    bool Has(const std::string& option) const { return values.count(option) != 0; }
    std::string Value(const std::string& option, const std::string& fallback = {}) const;
};

// The command line read; on a mistake, why (and no options).
struct ParsedOptions {
    std::optional<DriverOptions> options;
    std::string error;
};

ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

// What --help prints: every command with its files and options.
std::string UsageText();

}  // namespace driver
