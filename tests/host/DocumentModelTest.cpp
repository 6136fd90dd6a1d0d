#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "RuntimeScene.h"
#include "host/AiSuites.h"

namespace {

using runtimetest::ExpectEachRecorded;
using runtimetest::Mistake;
using runtimetest::RuntimeScene;
using standin::ViolationKind;

constexpr std::size_t kPathBytes = 260;

const standin::DocumentState kThreeLayers{"/documents/labels.ai",
                                          {{"Ebene 1", 2}, {"Ebene 2", 0}, {"Barcodes", 5}}};

// The framework's walk: every layer in layer order, deselecting on each.
host::Error DeselectAll(const host::AiLayerSuite& layers) {
    std::int32_t count = 0;
    if (const host::Error error = layers.CountLayers(&count)) {
        return error;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        host::Layer layer;
        if (const host::Error error = layers.GetNthLayer(i, &layer)) {
            return error;
        }
        if (const host::Error error = layers.DeselectArtOnLayer(layer)) {
            return error;
        }
    }
    return host::kNoError;
}

TEST(Document, DeselectsArtOnEachLayerInLayerOrder) {
    RuntimeScene scene;
    scene.host.Documents().Open(kThreeLayers);
    EXPECT_EQ(DeselectAll(scene.Acquire<host::AiLayerSuite>(host::kAiLayerSuite)), host::kNoError);
    EXPECT_EQ(scene.host.Documents().Deselections(),
              (std::vector<std::string>{"Ebene 1", "Ebene 2", "Barcodes"}));
    for (const standin::LayerState& layer : scene.host.Documents().Current()->layers) {
        EXPECT_EQ(layer.selectedArt, 0) << layer.name;
    }
    scene.ExpectBalancedAndClean();
}

// The document's path reaches the plug-in through a file path object that
// the plug-in makes and disposes.
TEST(Document, AnswersItsFilePathIntoAFilePathObject) {
    struct Case {
        const char* what;
        std::function<void(standin::DocumentModel&)> open;
        host::Error answer;
        bool empty;
        std::string path;
    };
    const Case cases[] = {
        {"saved document",
         [](standin::DocumentModel& d) {
             d.Open({"/documents/labels.ai", {{"Ebene 1", 0}}});
         },
         host::kNoError, false, "/documents/labels.ai"},
        {"document never saved",
         [](standin::DocumentModel& d) {
             d.Open({"", {{"Ebene 1", 0}}});
         },
         host::kNoError, true, ""},
        {"no document", [](standin::DocumentModel&) {}, host::kErrorNoDocument, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeScene scene;
        c.open(scene.host.Documents());
        const auto& paths = scene.Acquire<host::AiFilePathSuite>(host::kAiFilePathSuite);
        host::FilePath path;
        ASSERT_EQ(paths.NewFilePath(&path), host::kNoError);
        EXPECT_EQ(
            scene.Acquire<host::AiDocumentSuite>(host::kAiDocumentSuite).GetDocumentFilePath(path),
            c.answer);
        EXPECT_EQ(paths.IsEmpty(path), c.empty);
        char text[kPathBytes] = "untouched";
        EXPECT_EQ(paths.GetPlatformPath(path, text, sizeof text), host::kNoError);
        EXPECT_EQ(text, c.path);
        EXPECT_NE(scene.host.Imbalance(), "") << "a live file path object is held";
        EXPECT_EQ(paths.DisposeFilePath(path), host::kNoError);
        scene.ExpectBalancedAndClean();
    }
}

TEST(Document, RefusesMistakesAsViolations) {
    const auto layerOfClosedDocument = [](RuntimeScene& s) {
        s.host.Documents().Open(kThreeLayers);
        host::Layer layer;
        s.Acquire<host::AiLayerSuite>(host::kAiLayerSuite).GetNthLayer(0, &layer);
        s.host.Documents().Open(kThreeLayers);
        return layer;
    };
    const Mistake cases[] = {
        {"file path disposed twice",
         [](RuntimeScene& s) {
             const auto& paths = s.Acquire<host::AiFilePathSuite>(host::kAiFilePathSuite);
             host::FilePath path;
             paths.NewFilePath(&path);
             paths.DisposeFilePath(path);
             return paths.DisposeFilePath(path);
         },
         ViolationKind::kDoubleFree, host::kErrorBadHandle},
        {"document path into no file path object",
         [](RuntimeScene& s) {
             s.host.Documents().Open(kThreeLayers);
             return s.Acquire<host::AiDocumentSuite>(host::kAiDocumentSuite)
                 .GetDocumentFilePath(host::FilePath{});
         },
         ViolationKind::kForeignHandle, host::kErrorBadHandle},
        {"layer of a document since replaced",
         [layerOfClosedDocument](RuntimeScene& s) {
             return s.Acquire<host::AiLayerSuite>(host::kAiLayerSuite)
                 .DeselectArtOnLayer(layerOfClosedDocument(s));
         },
         ViolationKind::kStaleHandle, host::kErrorBadHandle},
        {"layer index beyond the layers",
         [](RuntimeScene& s) {
             s.host.Documents().Open(kThreeLayers);
             host::Layer layer;
             return s.Acquire<host::AiLayerSuite>(host::kAiLayerSuite).GetNthLayer(3, &layer);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
    };
    ExpectEachRecorded(cases);
}

TEST(Document, LayerCallsWithoutADocumentFail) {
    RuntimeScene scene;
    std::int32_t count = -1;
    const auto& layers = scene.Acquire<host::AiLayerSuite>(host::kAiLayerSuite);
    EXPECT_EQ(layers.CountLayers(&count), host::kErrorNoDocument);
    EXPECT_EQ(count, -1);
    scene.host.Documents().Open(kThreeLayers);
    scene.host.Documents().Close();
    EXPECT_EQ(DeselectAll(layers), host::kErrorNoDocument);
    EXPECT_TRUE(scene.host.Documents().Deselections().empty());
    scene.ExpectBalancedAndClean();
}

}  // namespace
