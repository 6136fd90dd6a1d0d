// The layer, document, file path, view and undo suites: thin adapters over
// the document store.
#include "DocumentSuites.h"

namespace standin {

AiLayerAdapter::AiLayerAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiLayerSuite, store) {
    static const host::AiLayerSuite suite{
        &Forward<&AiLayerAdapter::CountLayers>::Call,
        &Forward<&AiLayerAdapter::GetNthLayer>::Call,
        &Forward<&AiLayerAdapter::DeselectArtOnLayer>::Call,
        &Forward<&AiLayerAdapter::GetCurrentLayer>::Call,
        &Forward<&AiLayerAdapter::GetLayerVisible>::Call,
        &Forward<&AiLayerAdapter::SetLayerVisible>::Call,
        &Forward<&AiLayerAdapter::GetLayerEditable>::Call,
        &Forward<&AiLayerAdapter::SetLayerEditable>::Call,
    };
    core.Provide(host::kAiLayerSuite.name, &suite);
}

host::Error AiLayerAdapter::CountLayers(std::int32_t* count) {
    const DocumentRecord* document = nullptr;
    if (const host::Error error =
            calls_.EnterDocument("CountLayers", count != nullptr, &document)) {
        return error;
    }
    *count = static_cast<std::int32_t>(document->layers.size());
    return host::kNoError;
}

host::Error AiLayerAdapter::GetNthLayer(std::int32_t index, host::Layer* layer) {
    static constexpr std::string_view kFunction = "GetNthLayer";
    const DocumentRecord* document = nullptr;
    if (const host::Error error = calls_.EnterDocument(kFunction, layer != nullptr, &document)) {
        return error;
    }
    if (const host::Error error = calls_.CheckIndex(kFunction, index, document->layers.size())) {
        return error;
    }
    *layer = document->layers[static_cast<std::size_t>(index)];
    return host::kNoError;
}

host::Error AiLayerAdapter::DeselectArtOnLayer(host::Layer layer) {
    static constexpr std::string_view kFunction = "DeselectArtOnLayer";
    const LayerRecord* record = nullptr;
    if (const host::Error error = calls_.EnterLayer(kFunction, true, layer, &record)) {
        return error;
    }
    return calls_.Store().DeselectLayer(calls_.Name(kFunction), layer);
}

host::Error AiLayerAdapter::GetCurrentLayer(host::Layer* layer) {
    const DocumentRecord* document = nullptr;
    if (const host::Error error =
            calls_.EnterDocument("GetCurrentLayer", layer != nullptr, &document)) {
        return error;
    }
    *layer = document->currentLayer;
    return host::kNoError;
}

host::Error AiLayerAdapter::GetFlag(std::string_view function, host::Layer layer,
                                    bool LayerRecord::*flag, bool* value) {
    const LayerRecord* record = nullptr;
    if (const host::Error error = calls_.EnterLayer(function, value != nullptr, layer, &record)) {
        return error;
    }
    *value = record->*flag;
    return host::kNoError;
}

host::Error AiLayerAdapter::SetFlag(std::string_view function, host::Layer layer,
                                    bool LayerRecord::*flag, bool value) {
    const LayerRecord* record = nullptr;
    if (const host::Error error = calls_.EnterLayer(function, true, layer, &record)) {
        return error;
    }
    return calls_.Store().SetLayerFlag(calls_.Name(function), layer, flag, value);
}

host::Error AiLayerAdapter::GetLayerVisible(host::Layer layer, bool* visible) {
    return GetFlag("GetLayerVisible", layer, &LayerRecord::visible, visible);
}

host::Error AiLayerAdapter::SetLayerVisible(host::Layer layer, bool visible) {
    return SetFlag("SetLayerVisible", layer, &LayerRecord::visible, visible);
}

host::Error AiLayerAdapter::GetLayerEditable(host::Layer layer, bool* editable) {
    return GetFlag("GetLayerEditable", layer, &LayerRecord::editable, editable);
}

host::Error AiLayerAdapter::SetLayerEditable(host::Layer layer, bool editable) {
    return SetFlag("SetLayerEditable", layer, &LayerRecord::editable, editable);
}

AiFilePathAdapter::AiFilePathAdapter(HostCore& core)
    : calls_(core, host::kAiFilePathSuite), paths_(core.GetViolations(), "file path") {
    static const host::AiFilePathSuite suite{
        &Forward<&AiFilePathAdapter::NewFilePath>::Call,
        &Forward<&AiFilePathAdapter::DisposeFilePath>::Call,
        &Forward<&AiFilePathAdapter::IsEmpty>::Call,
        &Forward<&AiFilePathAdapter::GetPlatformPath>::Call,
    };
    core.Provide(host::kAiFilePathSuite.name, &suite);
}

std::string* AiFilePathAdapter::Find(host::FilePath path, std::string_view call) {
    return paths_.Find(path, call);
}

host::Error AiFilePathAdapter::NewFilePath(host::FilePath* path) {
    if (const host::Error error = calls_.Enter("NewFilePath", path != nullptr)) {
        return error;
    }
    *path = paths_.Issue("");
    return host::kNoError;
}

host::Error AiFilePathAdapter::DisposeFilePath(host::FilePath path) {
    static constexpr std::string_view kFunction = "DisposeFilePath";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    return paths_.Retire(path, calls_.Name(kFunction)) ? host::kNoError : host::kErrorBadHandle;
}

bool AiFilePathAdapter::IsEmpty(host::FilePath path) {
    const std::string* text = paths_.Find(path, calls_.Name("IsEmpty"));
    return text == nullptr || text->empty();
}

host::Error AiFilePathAdapter::GetPlatformPath(host::FilePath path, char* text, std::size_t size) {
    static constexpr std::string_view kFunction = "GetPlatformPath";
    if (const host::Error error = calls_.Enter(kFunction, text != nullptr)) {
        return error;
    }
    const std::string* stored = paths_.Find(path, calls_.Name(kFunction));
    return stored != nullptr ? SuiteCalls::CopyText(*stored, text, size) : host::kErrorBadHandle;
}

AiDocumentAdapter::AiDocumentAdapter(HostCore& core, DocumentStore& store, AiFilePathAdapter& paths)
    : calls_(core, host::kAiDocumentSuite, store), paths_(paths) {
    static const host::AiDocumentSuite suite{
        &Forward<&AiDocumentAdapter::GetDocumentFilePath>::Call,
        &Forward<&AiDocumentAdapter::BringArtUpToDate>::Call,
    };
    core.Provide(host::kAiDocumentSuite.name, &suite);
}

host::Error AiDocumentAdapter::GetDocumentFilePath(host::FilePath path) {
    static constexpr std::string_view kFunction = "GetDocumentFilePath";
    if (const host::Error error = calls_.Enter(kFunction, true)) {
        return error;
    }
    std::string* text = paths_.Find(path, calls_.Name(kFunction));
    if (text == nullptr) {
        return host::kErrorBadHandle;
    }
    const DocumentRecord* document = nullptr;
    if (const host::Error error = calls_.EnterDocument(kFunction, true, &document)) {
        return error;
    }
    *text = document->filePath;
    return host::kNoError;
}

host::Error AiDocumentAdapter::BringArtUpToDate() {
    const DocumentRecord* document = nullptr;
    if (const host::Error error = calls_.EnterDocument("BringArtUpToDate", true, &document)) {
        return error;
    }
    calls_.Store().BringArtUpToDate(calls_.Store().Current());
    return host::kNoError;
}

AiDocumentViewAdapter::AiDocumentViewAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiDocumentViewSuite, store) {
    static const host::AiDocumentViewSuite suite{
        &Forward<&AiDocumentViewAdapter::GetNthDocumentView>::Call,
        &Forward<&AiDocumentViewAdapter::SetDocumentViewCenter>::Call,
        &Forward<&AiDocumentViewAdapter::SetDocumentViewZoom>::Call,
    };
    core.Provide(host::kAiDocumentViewSuite.name, &suite);
}

host::Error AiDocumentViewAdapter::GetNthDocumentView(std::int32_t index,
                                                      host::DocumentView* view) {
    static constexpr std::string_view kFunction = "GetNthDocumentView";
    const DocumentRecord* document = nullptr;
    if (const host::Error error = calls_.EnterDocument(kFunction, view != nullptr, &document)) {
        return error;
    }
    if (const host::Error error = calls_.CheckIndex(kFunction, index, document->views.size())) {
        return error;
    }
    *view = document->views[static_cast<std::size_t>(index)];
    return host::kNoError;
}

host::Error AiDocumentViewAdapter::SetDocumentViewCenter(host::DocumentView view,
                                                         host::RealPoint centre) {
    static constexpr std::string_view kFunction = "SetDocumentViewCenter";
    if (const host::Error error = calls_.EnterView(kFunction, true, view)) {
        return error;
    }
    return calls_.Store().SetViewCentre(calls_.Name(kFunction), view, centre);
}

host::Error AiDocumentViewAdapter::SetDocumentViewZoom(host::DocumentView view, double zoom) {
    static constexpr std::string_view kFunction = "SetDocumentViewZoom";
    if (const host::Error error = calls_.EnterView(kFunction, true, view)) {
        return error;
    }
    return calls_.Store().SetViewZoom(calls_.Name(kFunction), view, zoom);
}

AiUndoAdapter::AiUndoAdapter(HostCore& core, DocumentStore& store)
    : calls_(core, host::kAiUndoSuite, store) {
    static const host::AiUndoSuite suite{
        &Forward<&AiUndoAdapter::UndoChanges>::Call,
    };
    core.Provide(host::kAiUndoSuite.name, &suite);
}

host::Error AiUndoAdapter::UndoChanges() {
    if (const host::Error error = calls_.Enter("UndoChanges", true)) {
        return error;
    }
    calls_.Store().UndoPress();
    return host::kNoError;
}

}  // namespace standin
