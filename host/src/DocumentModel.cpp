// "AI Layer Suite", "AI Document Suite" and "AI File Path Suite" over the
// current document.
#include "DocumentModel.h"

#include <utility>

namespace standin {

DocumentModel::DocumentModel(HostCore& core)
    : layerCalls_(core, host::kAiLayerSuite),
      documentCalls_(core, host::kAiDocumentSuite),
      filePathCalls_(core, host::kAiFilePathSuite),
      layers_(core.GetViolations(), "layer"),
      filePaths_(core.GetViolations(), "file path") {
    static const host::AiLayerSuite layerSuite{
        &Forward<&DocumentModel::CountLayers>::Call,
        &Forward<&DocumentModel::GetNthLayer>::Call,
        &Forward<&DocumentModel::DeselectArtOnLayer>::Call,
    };
    static const host::AiDocumentSuite documentSuite{
        &Forward<&DocumentModel::GetDocumentFilePath>::Call,
    };
    static const host::AiFilePathSuite filePathSuite{
        &Forward<&DocumentModel::NewFilePath>::Call,
        &Forward<&DocumentModel::DisposeFilePath>::Call,
        &Forward<&DocumentModel::IsEmpty>::Call,
        &Forward<&DocumentModel::GetPlatformPath>::Call,
    };
    core.Provide(host::kAiLayerSuite.name, &layerSuite);
    core.Provide(host::kAiDocumentSuite.name, &documentSuite);
    core.Provide(host::kAiFilePathSuite.name, &filePathSuite);
}

void DocumentModel::Open(DocumentState document) {
    RetireLayers();
    for (std::size_t index = 0; index < document.layers.size(); ++index) {
        layerHandles_.push_back(layers_.Issue(index));
    }
    document_ = std::move(document);
}

void DocumentModel::Close() {
    RetireLayers();
    document_.reset();
}

void DocumentModel::RetireLayers() {
    for (const host::Layer layer : layerHandles_) {
        layers_.Retire(layer, "closing the document");
    }
    layerHandles_.clear();
}

host::Error DocumentModel::NeedDocument() const {
    return document_ ? host::kNoError : host::kErrorNoDocument;
}

host::Error DocumentModel::CountLayers(std::int32_t* count) {
    static constexpr std::string_view kFunction = "CountLayers";
    if (const host::Error error = layerCalls_.Enter(kFunction, count != nullptr)) {
        return error;
    }
    if (const host::Error error = NeedDocument()) {
        return error;
    }
    *count = static_cast<std::int32_t>(document_->layers.size());
    return host::kNoError;
}

host::Error DocumentModel::GetNthLayer(std::int32_t index, host::Layer* layer) {
    static constexpr std::string_view kFunction = "GetNthLayer";
    if (const host::Error error = layerCalls_.Enter(kFunction, layer != nullptr)) {
        return error;
    }
    if (const host::Error error = NeedDocument()) {
        return error;
    }
    if (const host::Error error = layerCalls_.CheckIndex(kFunction, index, layerHandles_.size())) {
        return error;
    }
    *layer = layerHandles_[static_cast<std::size_t>(index)];
    return host::kNoError;
}

host::Error DocumentModel::DeselectArtOnLayer(host::Layer layer) {
    std::size_t* index = nullptr;
    if (const host::Error error =
            layerCalls_.Enter("DeselectArtOnLayer", true, layers_, layer, &index)) {
        return error;
    }
    LayerState& state = document_->layers[*index];
    state.selectedArt = 0;
    deselections_.push_back(state.name);
    return host::kNoError;
}

host::Error DocumentModel::GetDocumentFilePath(host::FilePath path) {
    std::string* text = nullptr;
    if (const host::Error error =
            documentCalls_.Enter("GetDocumentFilePath", true, filePaths_, path, &text)) {
        return error;
    }
    if (const host::Error error = NeedDocument()) {
        return error;
    }
    *text = document_->filePath;
    return host::kNoError;
}

host::Error DocumentModel::NewFilePath(host::FilePath* path) {
    if (const host::Error error = filePathCalls_.Enter("NewFilePath", path != nullptr)) {
        return error;
    }
    *path = filePaths_.Issue("");
    return host::kNoError;
}

host::Error DocumentModel::DisposeFilePath(host::FilePath path) {
    static constexpr std::string_view kFunction = "DisposeFilePath";
    if (const host::Error error = filePathCalls_.Enter(kFunction, true)) {
        return error;
    }
    return filePaths_.Retire(path, filePathCalls_.Name(kFunction)) ? host::kNoError
                                                                   : host::kErrorBadHandle;
}

bool DocumentModel::IsEmpty(host::FilePath path) {
    const std::string* text = filePaths_.Find(path, filePathCalls_.Name("IsEmpty"));
    return text == nullptr || text->empty();
}

host::Error DocumentModel::GetPlatformPath(host::FilePath path, char* text, std::size_t size) {
    std::string* stored = nullptr;
    if (const host::Error error =
            filePathCalls_.Enter("GetPlatformPath", text != nullptr, filePaths_, path, &stored)) {
        return error;
    }
    return SuiteCalls::CopyText(*stored, text, size);
}

}  // namespace standin
