#include "M7LIO_StructuredIOXML.h"

#include "M7LAnsiConversion.h"

namespace {

constexpr const char* kReplacementCharacterUtf8 = "\xEF\xBF\xBD";

struct CharacterRange {
    char32_t first;
    char32_t last;
};

constexpr CharacterRange kXmlCharacters[] = {
    {0x9, 0xA}, {0xD, 0xD}, {0x20, 0xD7FF}, {0xE000, 0xFFFD}, {0x10000, 0x10FFFF},
};

constexpr CharacterRange kNameStartCharacters[] = {
    {':', ':'},       {'A', 'Z'},       {'_', '_'},       {'a', 'z'},
    {0xC0, 0xD6},     {0xD8, 0xF6},     {0xF8, 0x2FF},    {0x370, 0x37D},
    {0x37F, 0x1FFF},  {0x200C, 0x200D}, {0x2070, 0x218F}, {0x2C00, 0x2FEF},
    {0x3001, 0xD7FF}, {0xF900, 0xFDCF}, {0xFDF0, 0xFFFD}, {0x10000, 0xEFFFF},
};

// Beyond the start characters.
constexpr CharacterRange kNameCharacters[] = {
    {'-', '.'}, {'0', '9'}, {0xB7, 0xB7}, {0x300, 0x36F}, {0x203F, 0x2040},
};

template <std::size_t Count>
bool InRanges(char32_t character, const CharacterRange (&ranges)[Count]) {
    for (const CharacterRange& range : ranges) {
        if (character >= range.first && character <= range.last) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool IsXmlCharacter(char32_t character) {
    return InRanges(character, kXmlCharacters);
}

bool IsXmlText(std::string_view text) {
    while (!text.empty()) {
        char32_t character = 0;
        const int length = DecodeUtf8(text, character);
        if (length == 0 || !IsXmlCharacter(character)) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(length));
    }
    return true;
}

bool IsXmlName(std::string_view name) {
    bool first = true;
    while (!name.empty()) {
        char32_t character = 0;
        const int length = DecodeUtf8(name, character);
        if (length == 0 || !(InRanges(character, kNameStartCharacters) ||
                             (!first && InRanges(character, kNameCharacters)))) {
            return false;
        }
        name.remove_prefix(static_cast<std::size_t>(length));
        first = false;
    }
    return !first;
}

std::string ReplaceNonXmlCharacters(std::string_view text) {
    std::string replaced;
    replaced.reserve(text.size());
    while (!text.empty()) {
        char32_t character = 0;
        const int length = DecodeUtf8(text, character);
        if (length == 0) {
            replaced += kReplacementCharacterUtf8;
            text.remove_prefix(1);
            continue;
        }
        if (IsXmlCharacter(character)) {
            replaced += text.substr(0, static_cast<std::size_t>(length));
        } else {
            replaced += kReplacementCharacterUtf8;
        }
        text.remove_prefix(static_cast<std::size_t>(length));
    }
    return replaced;
}
