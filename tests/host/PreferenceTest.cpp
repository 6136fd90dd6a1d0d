#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "RuntimeScene.h"
#include "host/AiSuites.h"
#include "host/HostMessages.h"

namespace {

using runtimetest::RuntimeScene;
using standin::PreferenceKind;

constexpr const char* kSection = "M7LCheckDialog";
constexpr const char* kKey = "ReportNamePrefix";
constexpr std::size_t kStringBytes = 256;

const host::AiPreferenceSuite& Preferences(RuntimeScene& scene) {
    return scene.Acquire<host::AiPreferenceSuite>(host::kAiPreferenceSuite);
}

// One getter of the suite, reading into a value that starts as a sentinel;
// it reports whether the sentinel survived.
struct Getter {
    PreferenceKind kind;
    std::function<host::Error(const host::AiPreferenceSuite&, bool* untouched)> read;
};

const Getter kGetters[] = {
    {PreferenceKind::kBoolean,
     [](const host::AiPreferenceSuite& p, bool* untouched) {
         bool value = true;
         const host::Error error = p.GetBooleanPreference(kSection, kKey, &value);
         *untouched = value;
         return error;
     }},
    {PreferenceKind::kInteger,
     [](const host::AiPreferenceSuite& p, bool* untouched) {
         std::int32_t value = -77;
         const host::Error error = p.GetIntegerPreference(kSection, kKey, &value);
         *untouched = value == -77;
         return error;
     }},
    {PreferenceKind::kReal,
     [](const host::AiPreferenceSuite& p, bool* untouched) {
         double value = -7.5;
         const host::Error error = p.GetRealPreference(kSection, kKey, &value);
         *untouched = value == -7.5;
         return error;
     }},
    {PreferenceKind::kString,
     [](const host::AiPreferenceSuite& p, bool* untouched) {
         char value[kStringBytes] = "sentinel";
         const host::Error error = p.GetStringPreference(kSection, kKey, value, sizeof value);
         *untouched = std::strcmp(value, "sentinel") == 0;
         return error;
     }},
    {PreferenceKind::kPoint,
     [](const host::AiPreferenceSuite& p, bool* untouched) {
         host::Point value{-9, -9};
         const host::Error error = p.GetPointPreference(kSection, kKey, &value);
         *untouched = value.h == -9 && value.v == -9;
         return error;
     }},
};

host::PlatformFileSpecification Record(const char* path) {
    host::PlatformFileSpecification record{};
    std::strcpy(record.path, path);
    return record;
}

struct Stored {
    PreferenceKind kind;
    std::function<host::Error(const host::AiPreferenceSuite&)> put;
    // Whether the store holds what was put.
    std::function<bool(const standin::PreferenceStore&)> holds;
};

const Stored kPuts[] = {
    {PreferenceKind::kBoolean,
     [](const host::AiPreferenceSuite& p) { return p.PutBooleanPreference(kSection, kKey, false); },
     [](const standin::PreferenceStore& s) { return s.Get<bool>(kSection, kKey) == false; }},
    {PreferenceKind::kInteger,
     [](const host::AiPreferenceSuite& p) { return p.PutIntegerPreference(kSection, kKey, 66049); },
     [](const standin::PreferenceStore& s) {
         return s.Get<std::int32_t>(kSection, kKey) == 66049;
     }},
    {PreferenceKind::kReal,
     [](const host::AiPreferenceSuite& p) { return p.PutRealPreference(kSection, kKey, 100.25); },
     [](const standin::PreferenceStore& s) { return s.Get<double>(kSection, kKey) == 100.25; }},
    {PreferenceKind::kString,
     [](const host::AiPreferenceSuite& p) {
         return p.PutStringPreference(kSection, kKey, "VettrinReport");
     },
     [](const standin::PreferenceStore& s) {
         return s.Get<std::string>(kSection, kKey) == "VettrinReport";
     }},
    {PreferenceKind::kPoint,
     [](const host::AiPreferenceSuite& p) {
         return p.PutPointPreference(kSection, kKey, {300, 469});
     },
     [](const standin::PreferenceStore& s) {
         const auto point = s.Get<host::Point>(kSection, kKey);
         return point && point->h == 300 && point->v == 469;
     }},
    {PreferenceKind::kFileSpecification,
     [](const host::AiPreferenceSuite& p) {
         const host::PlatformFileSpecification record = Record("/profiles/default.bcp");
         return p.PutFileSpecificationPreference(kSection, kKey, &record);
     },
     [](const standin::PreferenceStore& s) {
         const auto record = s.Get<host::PlatformFileSpecification>(kSection, kKey);
         return record && std::string(record->path) == "/profiles/default.bcp";
     }},
};

// Every kind written is read back by its own getter and by no other: a read
// of another kind, like one of an absent key, fails and changes nothing.
TEST(Preferences, ReadBackOnlyAsTheKindStored) {
    for (const Stored& put : kPuts) {
        SCOPED_TRACE(Name(put.kind));
        RuntimeScene scene;
        const auto& preferences = Preferences(scene);
        for (const Getter& get : kGetters) {
            bool untouched = false;
            EXPECT_EQ(get.read(preferences, &untouched), host::kErrorNotFound);
            EXPECT_TRUE(untouched) << Name(get.kind);
        }
        ASSERT_EQ(put.put(preferences), host::kNoError);
        EXPECT_TRUE(put.holds(scene.host.Preferences().Store()));
        for (const Getter& get : kGetters) {
            SCOPED_TRACE(Name(get.kind));
            bool untouched = false;
            const host::Error error = get.read(preferences, &untouched);
            EXPECT_EQ(error, get.kind == put.kind ? host::kNoError : host::kErrorWrongKind);
            EXPECT_EQ(untouched, get.kind != put.kind);
        }
        const std::vector<standin::PreferenceAccess>& log = scene.host.Preferences().Log();
        ASSERT_EQ(log.size(), 2 * std::size(kGetters) + 1);
        EXPECT_TRUE(log[std::size(kGetters)].write);
        EXPECT_EQ(log[std::size(kGetters)].kind, put.kind);
        EXPECT_EQ(log.back().key, kKey);
        scene.ExpectBalancedAndClean();
    }
}

TEST(Preferences, ReplaceAValueOfAnotherKind) {
    RuntimeScene scene;
    const auto& preferences = Preferences(scene);
    ASSERT_EQ(preferences.PutIntegerPreference(kSection, kKey, 1), host::kNoError);
    ASSERT_EQ(preferences.PutBooleanPreference(kSection, kKey, true), host::kNoError);
    bool value = false;
    EXPECT_EQ(preferences.GetBooleanPreference(kSection, kKey, &value), host::kNoError);
    EXPECT_TRUE(value);
    EXPECT_EQ(scene.host.Preferences().Store().Size(), 1u);
    scene.ExpectBalancedAndClean();
}

TEST(Preferences, KeepSectionsApart) {
    RuntimeScene scene;
    const auto& preferences = Preferences(scene);
    ASSERT_EQ(preferences.PutBooleanPreference("M7LBarcodeDialog", "UPCBeforeEAN", true), 0);
    ASSERT_EQ(preferences.PutBooleanPreference(kSection, "UPCBeforeEAN", false), 0);
    bool value = true;
    EXPECT_EQ(preferences.GetBooleanPreference(kSection, "UPCBeforeEAN", &value), 0);
    EXPECT_FALSE(value);
    EXPECT_EQ(preferences.GetBooleanPreference("M7LBarcodeDialog", "upcbeforeean", &value),
              host::kErrorNotFound);
    scene.ExpectBalancedAndClean();
}

// A file record is the path, its NUL and zeros; anything else is refused.
TEST(Preferences, RefuseFileRecordsThatAreNotZeroFilled) {
    struct Case {
        const char* what;
        std::function<void(host::PlatformFileSpecification&)> spoil;
    };
    const Case cases[] = {
        {"bytes after the NUL", [](host::PlatformFileSpecification& r) { r.path[200] = 'x'; }},
        {"no NUL at all",
         [](host::PlatformFileSpecification& r) { std::memset(r.path, 'x', sizeof r.path); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        host::PlatformFileSpecification record = Record("/profiles/default.bcp");
        c.spoil(record);
        EXPECT_EQ(
            Preferences(scene).PutFileSpecificationPreference(kSection, "ProfileSpec", &record),
            host::kErrorBadArgument);
        EXPECT_EQ(scene.host.Preferences().Store().Find(kSection, "ProfileSpec"), nullptr);
        EXPECT_EQ(scene.host.Core().GetViolations().Count(standin::ViolationKind::kBadArgument),
                  1u);
    }
}

// The plug-in writes its settings at shutdown; the next host on the same
// store, with the plug-in started afresh, reads them back.
TEST(Preferences, OutliveTheHostForARestart) {
    standin::PreferenceStore store;
    const auto run =
        [&store](const std::function<void(const host::AiPreferenceSuite&)>& atStartup) {
            RuntimeScene scene({.preferences = &store});
            scene.script = [&](const char*, const char*, void*) {
                atStartup(scene.Acquire<host::AiPreferenceSuite>(host::kAiPreferenceSuite));
                return 0;
            };
            EXPECT_EQ(scene.host.SendInterface(host::kSelectorStartup), host::kNoError);
            scene.ExpectBalancedAndClean();
        };
    run([](const host::AiPreferenceSuite& p) {
        EXPECT_EQ(p.PutPointPreference("M7LCheckDialog", "Location", {100, 200}), 0);
        EXPECT_EQ(p.PutStringPreference("M7LCheckDialog", "DockGroup", "Mor7Lant_MainCheckDialog"),
                  0);
        EXPECT_EQ(p.PutRealPreference("M7LBarcodeDialog", "HumanReadableTextScaling", 87.5), 0);
    });
    EXPECT_EQ(store.Size(), 3u);
    run([](const host::AiPreferenceSuite& p) {
        host::Point location{};
        char group[kStringBytes] = "";
        double scaling = 0;
        EXPECT_EQ(p.GetPointPreference("M7LCheckDialog", "Location", &location), 0);
        EXPECT_EQ(p.GetStringPreference("M7LCheckDialog", "DockGroup", group, sizeof group), 0);
        EXPECT_EQ(p.GetRealPreference("M7LBarcodeDialog", "HumanReadableTextScaling", &scaling), 0);
        EXPECT_EQ(location.h, 100);
        EXPECT_EQ(location.v, 200);
        EXPECT_STREQ(group, "Mor7Lant_MainCheckDialog");
        EXPECT_EQ(scaling, 87.5);
    });
}

}  // namespace
