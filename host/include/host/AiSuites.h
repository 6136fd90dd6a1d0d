#pragma once

#include <cstddef>
#include <cstdint>

#include "host/HostErrors.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"

namespace host {

// A text that the host answers into the caller's buffer and that does not fit
// (with its NUL) fails with kErrorTextTooLong; a failing call leaves every
// result of the caller alone.

inline constexpr const char* kApplicationStartedNotifier = "AI Application Started Notifier";

inline constexpr const char* kMenuGroupToolPalettes = "Tool Palettes";
inline constexpr const char* kMenuGroupFilterUtilities = "Filter Utilities";

// The platform's file record: the path as a NUL-terminated text, the rest 0.
inline constexpr std::size_t kPlatformFileSpecificationBytes = 300;
struct PlatformFileSpecification {
    char path[kPlatformFileSpecificationBytes];
};

// "AI Document Suite": the current document. An unsaved document's file path
// is empty. Bringing its art up to date lays out its text.
struct AiDocumentSuite {
    Error (*GetDocumentFilePath)(FilePath path);
    Error (*BringArtUpToDate)();
};

// "AI File Path Suite": file path objects, made and disposed by the caller.
struct AiFilePathSuite {
    Error (*NewFilePath)(FilePath* path);
    Error (*DisposeFilePath)(FilePath path);
    bool (*IsEmpty)(FilePath path);
    Error (*GetPlatformPath)(FilePath path, char* text, std::size_t size);
};

// A font's metrics in em, in the host's order (positions 1 to 7).
struct FontMetrics {
    float leading;
    float capHeight;
    float xHeight;
    float underlineOffset;  // negative: below the baseline
    float ascent;
    float underlineThickness;
    float descent;  // negative: below the baseline

    friend constexpr bool operator==(const FontMetrics&, const FontMetrics&) = default;
};

// "AI Font Suite": typefaces by index, their styles by index as font keys,
// fonts by PostScript name (HostPolicies.h), their metrics and advances.
struct AiFontSuite {
    Error (*CountTypefaces)(std::int32_t* count);
    Error (*IndexTypefaceList)(std::int32_t index, Typeface* typeface);
    Error (*CountTypefaceStyles)(Typeface typeface, std::int32_t* count);
    Error (*IndexTypefaceStyleList)(Typeface typeface, std::int32_t index, Font* font);
    Error (*GetTypefaceName)(Font font, char* name, std::size_t size);
    Error (*GetStyleName)(Font font, char* name, std::size_t size);
    Error (*FindFont)(const char* postScriptName, std::int32_t technology, std::int32_t script,
                      bool substitute, Font* font);
    Error (*GetFontMetrics)(Font font, FontMetrics* metrics);
    // The advances in em of the one character in the UTF-8 text; a
    // character without a glyph answers kErrorNotFound.
    Error (*GetGlyphAdvance)(Font font, const char* character, float* horizontal, float* vertical);
    Error (*GetPostScriptName)(Font font, char* name, std::size_t size);
    // The text engine's reference to the font, released through "ATE Font
    // Suite".
    Error (*GetTextFont)(Font font, TextFont* textFont);
};

// "AI Layer Suite": the current document's layers in layer order, back to
// front; the current layer is where new art goes. Undo reverts visibility
// and locking too.
struct AiLayerSuite {
    Error (*CountLayers)(std::int32_t* count);
    Error (*GetNthLayer)(std::int32_t index, Layer* layer);
    Error (*DeselectArtOnLayer)(Layer layer);
    Error (*GetCurrentLayer)(Layer* layer);
    Error (*GetLayerVisible)(Layer layer, bool* visible);
    Error (*SetLayerVisible)(Layer layer, bool visible);
    Error (*GetLayerEditable)(Layer layer, bool* editable);
    Error (*SetLayerEditable)(Layer layer, bool editable);
};

struct MenuItemData {
    const char* groupName;
    const char* text;
};

// "AI Menu Suite".
struct AiMenuSuite {
    Error (*CountMenuGroups)(std::int32_t* count);
    Error (*GetNthMenuGroup)(std::int32_t index, MenuGroup* group);
    Error (*GetMenuGroupName)(MenuGroup group, char* name, std::size_t size);
    Error (*AddMenuItem)(PluginRef plugin, const char* name, const MenuItemData* data,
                         std::int32_t options, MenuItem* item);
    Error (*AddMenuGroupAsSubMenu)(const char* name, std::int32_t options, MenuItem item,
                                   MenuGroup* group);
    Error (*SetItemText)(MenuItem item, const char* text);
};

// "AI Notifier Suite": the host sends "AI Notifier"/"AI Notify" for each
// notification of the type.
struct AiNotifierSuite {
    Error (*AddNotifier)(PluginRef plugin, const char* name, const char* type, Notifier* notifier);
};

// "AI Preference Suite": typed values under (section, key). A read of an
// absent key, or of a key of another type, fails and leaves the value alone.
struct AiPreferenceSuite {
    Error (*GetBooleanPreference)(const char* section, const char* key, bool* value);
    Error (*PutBooleanPreference)(const char* section, const char* key, bool value);
    Error (*GetIntegerPreference)(const char* section, const char* key, std::int32_t* value);
    Error (*PutIntegerPreference)(const char* section, const char* key, std::int32_t value);
    Error (*GetStringPreference)(const char* section, const char* key, char* value,
                                 std::size_t size);
    Error (*PutStringPreference)(const char* section, const char* key, const char* value);
    Error (*GetPointPreference)(const char* section, const char* key, Point* value);
    Error (*PutPointPreference)(const char* section, const char* key, Point value);
    Error (*PutFileSpecificationPreference)(const char* section, const char* key,
                                            const PlatformFileSpecification* value);
    Error (*GetRealPreference)(const char* section, const char* key, double* value);
    Error (*PutRealPreference)(const char* section, const char* key, double value);
};

// A tool's group or toolset: a tool number, or a new one.
inline constexpr std::int32_t kToolNew = -2;

struct ToolData {
    const char* title;
    const char* tip;
    Icon icon;
    std::int32_t group;
    std::int32_t toolset;
};

// "AI Tool Suite".
struct AiToolSuite {
    Error (*GetToolNumberFromName)(const char* name, std::int32_t* number);
    Error (*AddTool)(PluginRef plugin, const char* name, const ToolData* data, std::int32_t options,
                     Tool* tool);
    Error (*SetSecondIcon)(Tool tool, Icon icon);
};

// A choice of files in a file dialog: "Text Files (*.txt)" and "*.txt", say.
struct FileFilter {
    const char* description;
    const char* pattern;
};

// "AI User Suite": the host's number texts and its standard file dialogs.
// A file dialog answers the chosen path, or kErrorCancel when the user
// cancels.
struct AiUserSuite {
    Error (*StringToNumber)(const char* text, float* value);
    Error (*NumberToString)(float value, std::int32_t decimals, char* text, std::size_t size);
    Error (*PutFileDialog)(const char* message, const FileFilter* filters, std::int32_t filterCount,
                           const char* defaultName, PlatformFileSpecification* chosen);
    Error (*GetFileDialog)(const char* message, const FileFilter* filters, std::int32_t filterCount,
                           const char* defaultName, PlatformFileSpecification* chosen);
};

}  // namespace host
