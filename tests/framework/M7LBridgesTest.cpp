#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "M7LBridges.h"
#include "WrapperScene.h"

namespace {

using frameworktest::WrapperScene;
using Names = std::vector<std::string>;

constexpr host::Error kFailure = host::FourCharCode("FAIL");
constexpr const char* kSection = "M7LCheckDialog";
constexpr const char* kKey = "ProfileSpec";

// Opens a document of three layers, each holding one selected path.
void OpenThreeLayers(WrapperScene& scene, std::string filePath = "") {
    standin::DocumentStore& store = scene.host.Documents();
    const standin::DocumentId document =
        store.OpenNew({std::move(filePath), 100, 100, {{"A"}, {"B"}, {"C"}}});
    for (const host::Layer layer : store.Document(document).layers) {
        host::Art path;
        store.NewArt("test", host::ArtType::kPath, host::PaintOrder::kInsideOnTop,
                     store.PeekLayer(layer)->group, &path);
        store.SetSelected("test", path, true);
    }
}

// The layers of the current document whose path is no longer selected.
Names Deselected(WrapperScene& scene) {
    const standin::DocumentStore& store = scene.host.Documents();
    Names names;
    if (store.Current()) {
        for (const host::Layer layer : store.Document(store.Current()).layers) {
            const standin::LayerRecord& record = *store.PeekLayer(layer);
            if (!store.PeekArt(store.PeekArt(record.group)->children.front())->selected) {
                names.push_back(record.name);
            }
        }
    }
    return names;
}

TEST(DeselectBridge, DeselectsEveryLayerUntilAHostCallFails) {
    struct Case {
        const char* what;
        bool document;
        const char* failingCall;  // of "AI Layer Suite", or null
        std::uint32_t modifiers;
        host::Error result;
        Names deselected;
    };
    const Case cases[] = {
        {"all layers", true, nullptr, 0, 0, {"A", "B", "C"}},
        {"another modifier", true, nullptr, 0x100, 0, {"A", "B", "C"}},
        {"shift held", true, nullptr, host::kModifierShift, 0, {}},
        {"shift among others", true, nullptr, host::kModifierShift | 0x100, 0, {}},
        {"no document", false, nullptr, 0, host::kErrorNoDocument, {}},
        {"layers not counted", true, "CountLayers", 0, kFailure, {}},
        {"no layer", true, "GetNthLayer", 0, kFailure, {}},
        {"deselection refused", true, "DeselectArtOnLayer", 0, kFailure, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrapperScene scene;
        if (c.document) {
            OpenThreeLayers(scene);
        }
        if (c.failingCall != nullptr) {
            scene.host.Core().GetFaults().FailCall(host::kAiLayerSuite.name, c.failingCall,
                                                   kFailure);
        }
        host::ToolMessage event{{}, {}, {}, c.modifiers};
        EXPECT_EQ(DeselectAllArtUnlessShift(&event), c.result);
        EXPECT_EQ(Deselected(scene), c.deselected);
        scene.ExpectBalancedAndClean();
    }
}

TEST(FileBridge, GivesTheCurrentDocumentsFile) {
    struct Case {
        const char* what;
        std::function<void(WrapperScene&)> arrange;
        const char* path;  // null: an empty specification
    };
    const Case cases[] = {
        {"saved", [](WrapperScene& s) { OpenThreeLayers(s, "/nowhere/a.ai"); }, "/nowhere/a.ai"},
        {"with dot steps", [](WrapperScene& s) { OpenThreeLayers(s, "/nowhere/./x/../a.ai"); },
         "/nowhere/a.ai"},
        {"never saved", [](WrapperScene& s) { OpenThreeLayers(s); }, nullptr},
        {"no document", [](WrapperScene&) {}, nullptr},
        {"no path object",
         [](WrapperScene& s) {
             OpenThreeLayers(s, "/nowhere/a.ai");
             s.host.Core().GetFaults().FailCall(host::kAiFilePathSuite.name, "NewFilePath",
                                                kFailure);
         },
         nullptr},
        {"text unreadable",
         [](WrapperScene& s) {
             OpenThreeLayers(s, "/nowhere/a.ai");
             s.host.Core().GetFaults().FailCall(host::kAiFilePathSuite.name, "GetPlatformPath",
                                                kFailure);
         },
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrapperScene scene;
        c.arrange(scene);
        const M7L_FileSpecificationNative file = GetDocumentFileSpecification();
        if (c.path == nullptr) {
            EXPECT_FALSE(file.HasPath());
        } else {
            ASSERT_NE(file.GetAnsiPath(), nullptr);
            EXPECT_STREQ(file.GetAnsiPath(), c.path);
        }
        scene.ExpectBalancedAndClean();
    }
}

// The platform record holds the path and its NUL in 300 bytes, the rest 0.
TEST(FileBridge, StoresASpecificationThatFitsThePlatformRecord) {
    const std::string folder = "/nowhere/";
    struct Case {
        const char* what;
        std::string path;
        bool stored;
    };
    const Case cases[] = {
        {"short", "/nowhere/profile.bcp", true},
        {"299 bytes", folder + std::string(299 - folder.size(), 'p'), true},
        {"300 bytes", folder + std::string(300 - folder.size(), 'p'), false},
        {"no path", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WrapperScene scene;
        const M7L_FileSpecificationNative file =
            c.path.empty() ? M7L_FileSpecificationNative() : MakeFileSpecification(c.path.c_str());
        host::PlatformFileSpecification record;
        EXPECT_EQ(FileSpecificationToPlatform(file, &record), c.stored);
        EXPECT_EQ(std::string(record.path), c.stored ? c.path : "");
        EXPECT_EQ(std::string(record.path).size(),
                  std::string(record.path, sizeof(record.path)).find_last_not_of('\0') + 1);

        EXPECT_EQ(PutFileSpecificationPreference(kSection, kKey, file), c.stored);
        const auto stored =
            scene.host.Preferences().Store().Get<host::PlatformFileSpecification>(kSection, kKey);
        EXPECT_EQ(stored.has_value(), c.stored);
        if (stored) {
            EXPECT_EQ(std::string(stored->path), c.path);
        }
        scene.ExpectBalancedAndClean();
    }
}

TEST(FileBridge, ReportsARefusedPreference) {
    WrapperScene scene;
    scene.host.Core().GetFaults().FailCall(host::kAiPreferenceSuite.name,
                                           "PutFileSpecificationPreference", kFailure);
    EXPECT_FALSE(
        PutFileSpecificationPreference(kSection, kKey, MakeFileSpecification("/nowhere/a.bcp")));
    scene.ExpectBalancedAndClean();
}

}  // namespace
