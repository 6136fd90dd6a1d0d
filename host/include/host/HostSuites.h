#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace host {

// The two interface generations the plug-in is built for; the older one asks
// for some suites at a lower version, with the same function table here.
enum class Generation { kCs3, kCs2 };

struct SuiteVersions {
    const char* name;
    std::int32_t cs3;
    std::int32_t cs2;

    constexpr std::int32_t In(Generation generation) const {
        return generation == Generation::kCs3 ? cs3 : cs2;
    }
};

inline constexpr SuiteVersions kAdmBasicSuite{"ADM Basic Suite", 8, 8};
inline constexpr SuiteVersions kAdmDialogSuite{"ADM Dialog Suite", 10, 9};
inline constexpr SuiteVersions kAdmDialogGroupSuite{"ADM Dialog Group Suite", 1, 1};
inline constexpr SuiteVersions kAdmDrawerSuite{"ADM Drawer Suite", 6, 3};
inline constexpr SuiteVersions kAdmEntrySuite{"ADM Entry Suite", 2, 2};
inline constexpr SuiteVersions kAdmIconSuite{"ADM Icon Suite", 2, 2};
inline constexpr SuiteVersions kAdmItemSuite{"ADM Item Suite", 7, 7};
inline constexpr SuiteVersions kAdmListSuite{"ADM List Suite", 1, 1};
inline constexpr SuiteVersions kAdmNotifierSuite{"ADM Notifier Suite", 2, 2};
inline constexpr SuiteVersions kAdmTrackerSuite{"ADM Tracker Suite", 2, 1};

inline constexpr SuiteVersions kAiArtSuite{"AI Art Suite", 13, 12};
inline constexpr SuiteVersions kAiBlendStyleSuite{"AI Blend Style Suite", 3, 3};
inline constexpr SuiteVersions kAiCustomColorSuite{"AI Custom Color Suite", 6, 6};
inline constexpr SuiteVersions kAiDocumentSuite{"AI Document Suite", 10, 9};
inline constexpr SuiteVersions kAiDocumentViewSuite{"AI Document View Suite", 9, 8};
inline constexpr SuiteVersions kAiFilePathSuite{"AI File Path Suite", 2, 1};
inline constexpr SuiteVersions kAiLayerSuite{"AI Layer Suite", 11, 11};
inline constexpr SuiteVersions kAiMenuSuite{"AI Menu Suite", 8, 8};
inline constexpr SuiteVersions kAiNotifierSuite{"AI Notifier Suite", 2, 2};
inline constexpr SuiteVersions kAiPathSuite{"AI Path Suite", 7, 6};
inline constexpr SuiteVersions kAiPathStyleSuite{"AI Path Style Suite", 9, 8};
inline constexpr SuiteVersions kAiPreferenceSuite{"AI Preference Suite", 4, 4};
inline constexpr SuiteVersions kAiRealMathSuite{"AI Real Math Suite", 1, 1};
inline constexpr SuiteVersions kAiRuntimeSuite{"AI Runtime Suite", 9, 8};
inline constexpr SuiteVersions kAiTagSuite{"AI Tag Suite", 2, 2};
inline constexpr SuiteVersions kAiTimerSuite{"AI Timer Suite", 3, 3};
inline constexpr SuiteVersions kAiToolSuite{"AI Tool Suite", 10, 9};
inline constexpr SuiteVersions kAiUnicodeStringSuite{"AI Unicode String Suite", 6, 5};
inline constexpr SuiteVersions kAiUndoSuite{"AI Undo Suite", 4, 4};
inline constexpr SuiteVersions kAiUserSuite{"AI User Suite", 8, 7};
inline constexpr SuiteVersions kAiTextFrameSuite{"AI Text Frame Suite", 1, 1};
inline constexpr SuiteVersions kAiFontSuite{"AI Font Suite", 3, 2};

inline constexpr SuiteVersions kSpAccessSuite{"SP Access Suite", 3, 3};
inline constexpr SuiteVersions kSpBasicSuite{"SP Basic Suite", 4, 4};
inline constexpr SuiteVersions kSpBlocksSuite{"SP Blocks Suite", 2, 2};
inline constexpr SuiteVersions kSpPluginsSuite{"SP Plug-ins Suite", 4, 4};
inline constexpr SuiteVersions kSpRuntimeSuite{"SP Runtime Suite", 5, 5};
inline constexpr SuiteVersions kSpSuitesSuite{"SP Suites Suite", 2, 2};

// The text engine's suites, all at version 1 in both generations.
inline constexpr std::int32_t kTextEngineSuiteVersion = 1;
inline constexpr SuiteVersions kAteCharFeaturesSuite{
    "ATE CharFeatures Suite", kTextEngineSuiteVersion, kTextEngineSuiteVersion};
inline constexpr SuiteVersions kAteFontSuite{"ATE Font Suite", kTextEngineSuiteVersion,
                                             kTextEngineSuiteVersion};
inline constexpr SuiteVersions kAteTextRangeSuite{"ATE TextRange Suite", kTextEngineSuiteVersion,
                                                  kTextEngineSuiteVersion};
inline constexpr std::array<const char*, 78> kTextEngineSuiteNames{
    "ATE ApplicationPaint Suite",
    "ATE CompFont Suite",
    "ATE CompFontClass Suite",
    "ATE CompFontClassSet Suite",
    "ATE CompFontComponent Suite",
    "ATE CompFontSet Suite",
    "ATE GlyphRun Suite",
    "ATE GlyphRunsIterator Suite",
    "ATE MojiKumi Suite",
    "ATE MojiKumiSet Suite",
    "ATE TextFrame Suite",
    "ATE TextFramesIterator Suite",
    "ATE TextLine Suite",
    "ATE TextLinesIterator Suite",
    "ATE TextResources Suite",
    "ATE ApplicationTextResources Suite",
    "ATE DocumentTextResources Suite",
    "ATE VersionInfo Suite",
    "ATE ArrayApplicationPaintRef Suite",
    "ATE ArrayReal Suite",
    "ATE ArrayBool Suite",
    "ATE ArrayInteger Suite",
    "ATE ArrayLineCapType Suite",
    "ATE ArrayFigureStyle Suite",
    "ATE ArrayLineJoinType Suite",
    "ATE ArrayWariChuJustification Suite",
    "ATE ArrayStyleRunAlignment Suite",
    "ATE ArrayAutoKernType Suite",
    "ATE ArrayBaselineDirection Suite",
    "ATE ArrayLanguage Suite",
    "ATE ArrayFontCapsOption Suite",
    "ATE ArrayFontBaselineOption Suite",
    "ATE ArrayFontOpenTypePositionOption Suite",
    "ATE ArrayUnderlinePosition Suite",
    "ATE ArrayStrikethroughPosition Suite",
    "ATE ArrayParagraphJustification Suite",
    "ATE ArrayArrayReal Suite",
    "ATE ArrayBurasagariType Suite",
    "ATE ArrayPreferredKinsokuOrder Suite",
    "ATE ArrayKinsokuRef Suite",
    "ATE ArrayMojiKumiRef Suite",
    "ATE ArrayMojiKumiSetRef Suite",
    "ATE ArrayTabStopsRef Suite",
    "ATE ArrayLeadingType Suite",
    "ATE ArrayFontRef Suite",
    "ATE ArrayGlyphID Suite",
    "ATE ArrayRealPoint Suite",
    "ATE ArrayRealMatrix Suite",
    "ATE CharFeatures Suite",
    "ATE CharInspector Suite",
    "ATE CharStyle Suite",
    "ATE CharStyles Suite",
    "ATE CharStylesIterator Suite",
    "ATE Find Suite",
    "ATE Font Suite",
    "ATE Glyph Suite",
    "ATE Glyphs Suite",
    "ATE GlyphsIterator Suite",
    "ATE Kinsoku Suite",
    "ATE KinsokuSet Suite",
    "ATE ParaFeatures Suite",
    "ATE Paragraph Suite",
    "ATE ParagraphsIterator Suite",
    "ATE ParaInspector Suite",
    "ATE ParaStyle Suite",
    "ATE ParaStyles Suite",
    "ATE ParaStylesIterator Suite",
    "ATE Spell Suite",
    "ATE Stories Suite",
    "ATE Story Suite",
    "ATE TabStop Suite",
    "ATE TabStops Suite",
    "ATE TabStopsIterator Suite",
    "ATE TextRange Suite",
    "ATE TextRanges Suite",
    "ATE TextRangesIterator Suite",
    "ATE TextRunsIterator Suite",
    "ATE WordsIterator Suite",
};

inline constexpr std::array<SuiteVersions, 32> kDialogAndApplicationSuites{
    kAdmBasicSuite,      kAdmDialogSuite,    kAdmDialogGroupSuite, kAdmDrawerSuite,
    kAdmEntrySuite,      kAdmIconSuite,      kAdmItemSuite,        kAdmListSuite,
    kAdmNotifierSuite,   kAdmTrackerSuite,   kAiArtSuite,          kAiBlendStyleSuite,
    kAiCustomColorSuite, kAiDocumentSuite,   kAiDocumentViewSuite, kAiFilePathSuite,
    kAiLayerSuite,       kAiMenuSuite,       kAiNotifierSuite,     kAiPathSuite,
    kAiPathStyleSuite,   kAiPreferenceSuite, kAiRealMathSuite,     kAiRuntimeSuite,
    kAiTagSuite,         kAiTimerSuite,      kAiToolSuite,         kAiUnicodeStringSuite,
    kAiUndoSuite,        kAiUserSuite,       kAiTextFrameSuite,    kAiFontSuite,
};

inline constexpr std::array<SuiteVersions, 6> kPluginSystemSuites{
    kSpAccessSuite, kSpBasicSuite, kSpBlocksSuite, kSpPluginsSuite, kSpRuntimeSuite, kSpSuitesSuite,
};

inline constexpr std::size_t kSuiteCount =
    kDialogAndApplicationSuites.size() + kTextEngineSuiteNames.size() + kPluginSystemSuites.size();

// Every suite of the plug-in's suite table, in its order: dialog manager and
// application suites, text engine suites, plug-in system suites.
inline constexpr std::array<SuiteVersions, kSuiteCount> kSuiteTable = [] {
    std::array<SuiteVersions, kSuiteCount> table{};
    std::size_t row = 0;
    for (const SuiteVersions& suite : kDialogAndApplicationSuites) {
        table[row++] = suite;
    }
    for (const char* name : kTextEngineSuiteNames) {
        table[row++] = {name, kTextEngineSuiteVersion, kTextEngineSuiteVersion};
    }
    for (const SuiteVersions& suite : kPluginSystemSuites) {
        table[row++] = suite;
    }
    return table;
}();

}  // namespace host
