#pragma once

#include <array>
#include <cstdint>

#include "M7LSuitePointer.h"
#include "host/AdmSuites.h"
#include "host/AiSuites.h"
#include "host/HostErrors.h"
#include "host/HostSuites.h"
#include "host/SpSuites.h"

// The interface generation the table asks for; STRIVELO_CS2 selects the
// older one. Not inline: each translation unit has its own copy, so units
// built for different generations break no definition of the other.
#ifdef STRIVELO_CS2
constexpr host::Generation kSuiteGeneration = host::Generation::kCs2;
#else
constexpr host::Generation kSuiteGeneration = host::Generation::kCs3;
#endif

// Every suite of the table, in table order, by the name of its function table
// type without "Suite": AdmBasic is host::AdmBasicSuite, its pointer sAdmBasic.
#define M7L_DIALOG_MANAGER_SUITES(X) \
    X(AdmBasic)                      \
    X(AdmDialog)                     \
    X(AdmDialogGroup)                \
    X(AdmDrawer)                     \
    X(AdmEntry)                      \
    X(AdmIcon)                       \
    X(AdmItem)                       \
    X(AdmList)                       \
    X(AdmNotifier)                   \
    X(AdmTracker)

#define M7L_APPLICATION_SUITES(X) \
    X(AiArt)                      \
    X(AiBlendStyle)               \
    X(AiCustomColor)              \
    X(AiDocument)                 \
    X(AiDocumentView)             \
    X(AiFilePath)                 \
    X(AiLayer)                    \
    X(AiMenu)                     \
    X(AiNotifier)                 \
    X(AiPath)                     \
    X(AiPathStyle)                \
    X(AiPreference)               \
    X(AiRealMath)                 \
    X(AiRuntime)                  \
    X(AiTag)                      \
    X(AiTimer)                    \
    X(AiTool)                     \
    X(AiUnicodeString)            \
    X(AiUndo)                     \
    X(AiUser)                     \
    X(AiTextFrame)                \
    X(AiFont)

#define M7L_TEXT_ENGINE_SUITES(X)         \
    X(AteApplicationPaint)                \
    X(AteCompFont)                        \
    X(AteCompFontClass)                   \
    X(AteCompFontClassSet)                \
    X(AteCompFontComponent)               \
    X(AteCompFontSet)                     \
    X(AteGlyphRun)                        \
    X(AteGlyphRunsIterator)               \
    X(AteMojiKumi)                        \
    X(AteMojiKumiSet)                     \
    X(AteTextFrame)                       \
    X(AteTextFramesIterator)              \
    X(AteTextLine)                        \
    X(AteTextLinesIterator)               \
    X(AteTextResources)                   \
    X(AteApplicationTextResources)        \
    X(AteDocumentTextResources)           \
    X(AteVersionInfo)                     \
    X(AteArrayApplicationPaintRef)        \
    X(AteArrayReal)                       \
    X(AteArrayBool)                       \
    X(AteArrayInteger)                    \
    X(AteArrayLineCapType)                \
    X(AteArrayFigureStyle)                \
    X(AteArrayLineJoinType)               \
    X(AteArrayWariChuJustification)       \
    X(AteArrayStyleRunAlignment)          \
    X(AteArrayAutoKernType)               \
    X(AteArrayBaselineDirection)          \
    X(AteArrayLanguage)                   \
    X(AteArrayFontCapsOption)             \
    X(AteArrayFontBaselineOption)         \
    X(AteArrayFontOpenTypePositionOption) \
    X(AteArrayUnderlinePosition)          \
    X(AteArrayStrikethroughPosition)      \
    X(AteArrayParagraphJustification)     \
    X(AteArrayArrayReal)                  \
    X(AteArrayBurasagariType)             \
    X(AteArrayPreferredKinsokuOrder)      \
    X(AteArrayKinsokuRef)                 \
    X(AteArrayMojiKumiRef)                \
    X(AteArrayMojiKumiSetRef)             \
    X(AteArrayTabStopsRef)                \
    X(AteArrayLeadingType)                \
    X(AteArrayFontRef)                    \
    X(AteArrayGlyphID)                    \
    X(AteArrayRealPoint)                  \
    X(AteArrayRealMatrix)                 \
    X(AteCharFeatures)                    \
    X(AteCharInspector)                   \
    X(AteCharStyle)                       \
    X(AteCharStyles)                      \
    X(AteCharStylesIterator)              \
    X(AteFind)                            \
    X(AteFont)                            \
    X(AteGlyph)                           \
    X(AteGlyphs)                          \
    X(AteGlyphsIterator)                  \
    X(AteKinsoku)                         \
    X(AteKinsokuSet)                      \
    X(AteParaFeatures)                    \
    X(AteParagraph)                       \
    X(AteParagraphsIterator)              \
    X(AteParaInspector)                   \
    X(AteParaStyle)                       \
    X(AteParaStyles)                      \
    X(AteParaStylesIterator)              \
    X(AteSpell)                           \
    X(AteStories)                         \
    X(AteStory)                           \
    X(AteTabStop)                         \
    X(AteTabStops)                        \
    X(AteTabStopsIterator)                \
    X(AteTextRange)                       \
    X(AteTextRanges)                      \
    X(AteTextRangesIterator)              \
    X(AteTextRunsIterator)                \
    X(AteWordsIterator)

#define M7L_PLUGIN_SYSTEM_SUITES(X) \
    X(SpAccess)                     \
    X(SpBasic)                      \
    X(SpBlocks)                     \
    X(SpPlugins)                    \
    X(SpRuntime)                    \
    X(SpSuites)

#define M7L_SUITE_LIST(X)        \
    M7L_DIALOG_MANAGER_SUITES(X) \
    M7L_APPLICATION_SUITES(X)    \
    M7L_TEXT_ENGINE_SUITES(X)    \
    M7L_PLUGIN_SYSTEM_SUITES(X)

// The host's headers define the function tables of the suites that the
// plug-in calls; the others stay incomplete types, so every pointer is typed.
namespace host {
#define M7L_DECLARE_SUITE_TYPE(suite) struct suite##Suite;
M7L_SUITE_LIST(M7L_DECLARE_SUITE_TYPE)
#undef M7L_DECLARE_SUITE_TYPE
}  // namespace host

#define M7L_DECLARE_SUITE_POINTER(suite) extern M7LSuitePointer<host::suite##Suite> s##suite;
M7L_SUITE_LIST(M7L_DECLARE_SUITE_POINTER)
#undef M7L_DECLARE_SUITE_POINTER

struct M7LSuiteEntry {
    const char* name;
    std::int32_t version;
    const void** target;
};

extern const std::array<M7LSuiteEntry, host::kSuiteCount> gSuiteTable;

// Outstanding acquisitions of the whole table: the suites are held while it
// is above 0, so nested messages and the hold from start-up to shutdown only
// count.
extern std::uint16_t gSuiteNestingCounter;

// Both take the message's basic suite, since the table's own pointers may
// not be valid yet.
//
// At counter 0, acquires every suite; one that fails keeps a null pointer and
// its code is the result (the last one's), the others are still acquired.
// The counter goes up in every case.
host::Error AcquireSuites(const host::SpBasicSuite* basic);
// At counter 1, releases every suite acquired; one that fails does not stop
// the others, and the first failure is the result. The counter goes down
// unless it is 0 already, when nothing is held and nothing happens.
host::Error ReleaseSuites(const host::SpBasicSuite* basic);
