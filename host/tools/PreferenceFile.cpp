#include "PreferenceFile.h"

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>
#include <vector>

#include "SvgWriter.h"

namespace standin {

namespace {

constexpr std::string_view kHeader = "strivelo-host preferences 1";
constexpr char kField = '\t';
constexpr char kEscape = '\\';
constexpr std::size_t kFieldCount = 4;
// Enough for the shortest text of a double that reads back exactly.
constexpr std::size_t kRealTextBytes = 32;

std::string Escape(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case kEscape:
                out += "\\\\";
                break;
            case kField:
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

// Splits a line into its unescaped fields; false on a stray escape.
bool SplitFields(std::string_view line, std::vector<std::string>& fields) {
    fields.assign(1, std::string());
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == kField) {
            fields.emplace_back();
        } else if (c != kEscape) {
            fields.back() += c;
        } else if (++i == line.size()) {
            return false;
        } else if (line[i] == kEscape) {
            fields.back() += kEscape;
        } else if (line[i] == 't') {
            fields.back() += kField;
        } else if (line[i] == 'n') {
            fields.back() += '\n';
        } else {
            return false;
        }
    }
    return true;
}

template <typename Number>
bool ParseWhole(std::string_view text, Number& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

std::string ValueText(const PreferenceValue& value) {
    switch (KindOf(value)) {
        case PreferenceKind::kBoolean:
            return std::get<bool>(value) ? "1" : "0";
        case PreferenceKind::kInteger:
            return std::to_string(std::get<std::int32_t>(value));
        case PreferenceKind::kReal: {
            char text[kRealTextBytes];
            const auto [end, error] =
                std::to_chars(text, text + sizeof text, std::get<double>(value));
            return error == std::errc{} ? std::string(text, end) : std::string("0");
        }
        case PreferenceKind::kString:
            return std::get<std::string>(value);
        case PreferenceKind::kPoint: {
            const host::Point point = std::get<host::Point>(value);
            std::string text = std::to_string(point.h);
            text += ' ';
            return text + std::to_string(point.v);
        }
        case PreferenceKind::kFileSpecification:
            return std::get<host::PlatformFileSpecification>(value).path;
    }
    return {};
}

std::optional<PreferenceValue> ParseValue(std::string_view kind, const std::string& text) {
    if (kind == Name(PreferenceKind::kBoolean) && (text == "0" || text == "1")) {
        return PreferenceValue(text == "1");
    }
    if (std::int32_t integer = 0;
        kind == Name(PreferenceKind::kInteger) && ParseWhole(text, integer)) {
        return PreferenceValue(integer);
    }
    if (double real = 0; kind == Name(PreferenceKind::kReal) && ParseWhole(text, real)) {
        return PreferenceValue(real);
    }
    if (kind == Name(PreferenceKind::kString)) {
        return PreferenceValue(text);
    }
    if (kind == Name(PreferenceKind::kPoint)) {
        const std::size_t blank = text.find(' ');
        host::Point point{};
        if (blank != std::string::npos &&
            ParseWhole(std::string_view(text).substr(0, blank), point.h) &&
            ParseWhole(std::string_view(text).substr(blank + 1), point.v)) {
            return PreferenceValue(point);
        }
    }
    if (host::PlatformFileSpecification record{};
        kind == Name(PreferenceKind::kFileSpecification) && text.size() < sizeof record.path &&
        text.find('\0') == std::string::npos) {
        std::memcpy(record.path, text.data(), text.size());
        return PreferenceValue(record);
    }
    return std::nullopt;
}

}  // namespace

std::string LoadPreferenceFile(const std::string& path, PreferenceStore& store) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return errno == ENOENT ? std::string()
                               : "cannot read " + path + ": " + std::strerror(errno);
    }
    std::string line;
    // An empty file holds no preferences yet.
    if (in.peek() == std::ifstream::traits_type::eof()) {
        store = PreferenceStore();
        return {};
    }
    if (!std::getline(in, line) || line != kHeader) {
        return path + " is not a preferences file of strivelo-host";
    }
    PreferenceStore read;
    std::vector<std::string> fields;
    for (std::size_t number = 2; std::getline(in, line); ++number) {
        std::optional<PreferenceValue> value;
        if (SplitFields(line, fields) && fields.size() == kFieldCount) {
            value = ParseValue(fields[0], fields[3]);
        }
        if (!value) {
            return path + ":" + std::to_string(number) + ": not a preference";
        }
        read.Put(fields[1], fields[2], std::move(*value));
    }
    if (in.bad()) {
        return "cannot read " + path;
    }
    store = std::move(read);
    return {};
}

std::string SavePreferenceFile(const std::string& path, const PreferenceStore& store) {
    std::string text(kHeader);
    text += '\n';
    for (const auto& [key, value] : store.All()) {
        text += Name(KindOf(value));
        text += kField;
        text += Escape(key.first);
        text += kField;
        text += Escape(key.second);
        text += kField;
        text += Escape(ValueText(value));
        text += '\n';
    }
    return ReplaceFile(path, text);
}

}  // namespace standin
