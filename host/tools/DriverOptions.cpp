#include "DriverOptions.h"

#include <algorithm>
#include <iterator>
#include <string_view>

namespace driver {

namespace {

struct CommandSpec {
    std::string_view name;
    std::size_t fileCount;
    std::string_view files;
    std::string_view summary;
};

constexpr CommandSpec kCommands[] = {
    {"make", 1, "OUT.svg",
     "makes a barcode with the barcode palette and the create tool and saves the document"},
    {"read", 1, "IN.svg", "reads barcodes with the measure tool and prints what the palette shows"},
    {"check", 1, "IN.svg", "checks every barcode with the check palette and prints its rows"},
    {"change-bwr", 2, "IN.svg OUT.svg",
     "changes the bar width reduction of every barcode of the document"},
    {"fix-deviation", 2, "IN.svg OUT.svg", "corrects the bar deviation of every barcode"},
    {"types", 0, "", "lists the type codes with their names"},
};

// An option: its name, what its value looks like ("" for a flag), the
// commands that take it ("" for every command) and what it does.
struct OptionSpec {
    std::string_view name;
    std::string_view value;
    std::string_view commands;
    std::string_view help;
};

constexpr OptionSpec kOptions[] = {
    {"--type", "CODE", "make", "the symbology's type code (see types); required"},
    {"--code", "TEXT", "make", "the code to encode; required"},
    {"--into", "IN.svg", "make", "adds the barcode to this document instead of a new one"},
    {"--layer", "NAME", "make", "draws on this layer, made on top when the document has none"},
    {"--at", "X,Y", "make",
     "where the create tool clicks, in points from the bottom left (default 72,72)"},
    {"--bwr", "MM", "make", "bar width reduction in millimetres (default 0)"},
    {"--mag", "PCT", "make", "magnification in percent (default 100)"},
    {"--height", "MM", "make", "bar height in millimetres"},
    {"--ratio", "R", "make", "wide to narrow ratio, for the types that have one"},
    {"--bearer-bars", "", "make", "adds bearer bars"},
    {"--end-bars", "", "make", "adds end bars to the bearer bars"},
    {"--qz-marks", "", "make", "adds quiet zone marks"},
    {"--ocrb", "", "make", "sets the human-readable text in OCR-B"},
    {"--center-text", "", "make", "centres the human-readable text"},
    {"--text-scale", "PCT", "make",
     "scales the human-readable text where the type offers it (default: the last run's)"},
    {"--no-erase-box", "", "make", "draws no white background"},
    {"--outlines", "", "make", "turns the text into outlines"},
    {"--no-self-check", "", "make", "does not read the new barcode back"},
    {"--allow-illegal", "", "make", "allows values outside the symbology's limits"},
    {"--line", "X1,Y1,X2,Y2", "read", "drags the measure tool along this line (points)"},
    {"--all", "", "read",
     "drags across the middle of each piece of art on a layer whose bars no earlier drag read "
     "(default)"},
    {"--next", "", "read", "also shows the other possible readings of each barcode"},
    {"--profile", "P.bcp", "check", "loads this profile into the check palette"},
    {"--report", "FILE", "check", "writes the check's report to this file"},
    {"--format", "txt|html|xml", "check", "the report's format (default: from FILE's ending)"},
    {"--units", "mm|cm|in|pt|mil", "check", "the report's length units (default mm)"},
    {"--fixed", "OUT.svg", "check", "saves the document with the profile's fixes applied"},
    {"--bwr", "MM", "change-bwr", "the new bar width reduction in millimetres; required"},
    {"--plugin", "FILE", "", "the plug-in library to load (default: the one built or installed)"},
    {"--prefs", "FILE", "", "the preferences file (default: $XDG_CONFIG_HOME/strivelo-host/prefs)"},
};

// Options of every command are taken by any; command "" takes only those.
bool Takes(const OptionSpec& option, std::string_view command) {
    return option.commands.empty() || option.commands == command;
}

const OptionSpec* FindOption(std::string_view name, std::string_view command) {
    const auto found = std::find_if(
        std::begin(kOptions), std::end(kOptions),
        [&](const OptionSpec& option) { return option.name == name && Takes(option, command); });
    return found != std::end(kOptions) ? found : nullptr;
}

// The help's option lines: the option, with its value, and what it does
// from a column of its own.
constexpr std::string_view kCommandOptionIndent = "      ";
constexpr std::string_view kCommonOptionIndent = "  ";
constexpr std::size_t kHelpColumnChars = 30;

std::string OptionLine(const OptionSpec& option, std::string_view indent) {
    std::string line(indent);
    line += option.name;
    if (!option.value.empty()) {
        line += ' ';
        line += option.value;
    }
    line.resize(std::max(line.size() + 1, kHelpColumnChars), ' ');
    line += option.help;
    line += '\n';
    return line;
}

const CommandSpec* FindCommand(std::string_view name) {
    const auto found =
        std::find_if(std::begin(kCommands), std::end(kCommands),
                     [&](const CommandSpec& command) { return command.name == name; });
    return found != std::end(kCommands) ? found : nullptr;
}

// Whether --help or -h stands anywhere but as an option's value (a code
// may well be "-h").
bool AsksForHelp(const std::vector<std::string>& arguments) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--help" || arguments[i] == "-h") {
            return true;
        }
        const auto option =
            std::find_if(std::begin(kOptions), std::end(kOptions),
                         [&](const OptionSpec& spec) { return spec.name == arguments[i]; });
        if (option != std::end(kOptions) && !option->value.empty()) {
            ++i;
        }
    }
    return false;
}

}  // namespace

std::string DriverOptions::Value(const std::string& option, const std::string& fallback) const {
    const auto found = values.find(option);
    return found != values.end() ? found->second : fallback;
}

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    DriverOptions options;
    const auto fail = [](std::string why) { return ParsedOptions{std::nullopt, std::move(why)}; };
    if (AsksForHelp(arguments)) {
        options.help = true;
        return {options, {}};
    }
    // Options of every command may come before the command.
    std::size_t first = 0;
    while (first < arguments.size()) {
        const OptionSpec* option = FindOption(arguments[first], "");
        if (option == nullptr) {
            break;
        }
        if (first + 1 == arguments.size()) {
            return fail(arguments[first] + " needs a value (" + std::string(option->value) + ")");
        }
        first += 2;
    }
    if (first >= arguments.size()) {
        return fail("no command given");
    }
    options.command = arguments[first];
    const CommandSpec* command = FindCommand(options.command);
    if (command == nullptr) {
        return fail("unknown command \"" + options.command + "\"");
    }
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (i == first) {
            continue;
        }
        if (argument.size() < 2 || argument.compare(0, 2, "--") != 0) {
            options.files.push_back(argument);
            continue;
        }
        const OptionSpec* option = FindOption(argument, options.command);
        if (option == nullptr) {
            return fail("unknown option " + argument + " for " + options.command);
        }
        if (options.Has(argument)) {
            return fail(argument + " is given twice");
        }
        if (option->value.empty()) {
            options.values[argument] = "";
        } else if (i + 1 == arguments.size()) {
            return fail(argument + " needs a value (" + std::string(option->value) + ")");
        } else {
            options.values[argument] = arguments[++i];
        }
    }
    if (options.files.size() != command->fileCount) {
        return fail(
            options.command + " takes " +
            (command->fileCount == 0 ? std::string("no files") : std::string(command->files)) +
            ", not " + std::to_string(options.files.size()) +
            (options.files.size() == 1 ? " file name" : " file names"));
    }
    return {options, {}};
}

std::string UsageText() {
    std::string text =
        "strivelo-host: runs the Strivelo plug-in in a stand-in host, headless, and uses it as\n"
        "a user does: its palettes, tools, menus and dialogs.\n\n"
        "usage: strivelo-host COMMAND FILES [OPTIONS]\n";
    for (const CommandSpec& command : kCommands) {
        text += "\n  strivelo-host ";
        text += command.name;
        if (!command.files.empty()) {
            text += ' ';
            text += command.files;
        }
        text += "\n      ";
        text += command.summary;
        text += '\n';
        for (const OptionSpec& option : kOptions) {
            if (option.commands == command.name) {
                text += OptionLine(option, kCommandOptionIndent);
            }
        }
    }
    text += "\nOptions of every command:\n";
    for (const OptionSpec& option : kOptions) {
        if (option.commands.empty()) {
            text += OptionLine(option, kCommonOptionIndent);
        }
    }
    text +=
        "  --help                      prints this text\n\n"
        "Alerts, beeps and the texts of the plug-in's dialogs go to standard error; the plug-in's\n"
        "dialogs are answered with their default button. Output files are written whole or not\n"
        "at all. Exit status: 0 done; 1 the job was refused, by the plug-in or a file, or for a\n"
        "bad option value or a missing required option (nothing written); 2 the command line is\n"
        "not understood (an unknown command or option, an option without its value, the wrong\n"
        "count of files); 3 the check found barcodes that fail the profile.\n";
    return text;
}

}  // namespace driver
