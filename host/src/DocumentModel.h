#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "host/AiSuites.h"

namespace standin {

struct LayerState {
    std::string name;
    int selectedArt = 0;  // how many pieces of its art are selected
};

struct DocumentState {
    std::string filePath;  // "" for a document never saved
    std::vector<LayerState> layers;
};

// The current document as far as the plug-in's selection and file bridges
// reach it, serving "AI Layer Suite" (count, n-th layer, deselect on a
// layer), "AI Document Suite" (its file path) and "AI File Path Suite" (file
// path objects, made and disposed by the plug-in). With no document open the
// document and layer calls fail with kErrorNoDocument.
class DocumentModel : public ActiveInstance<DocumentModel> {
public:
    explicit DocumentModel(HostCore& core);

    // Opens the document in place of the current one; handles of the old
    // document's layers go stale.
    void Open(DocumentState document);
    void Close();
    const std::optional<DocumentState>& Current() const { return document_; }
    // The names of the layers DeselectArtOnLayer was called for, in order.
    const std::vector<std::string>& Deselections() const { return deselections_; }
    std::size_t LiveFilePaths() const { return filePaths_.LiveCount(); }

    host::Error CountLayers(std::int32_t* count);
    host::Error GetNthLayer(std::int32_t index, host::Layer* layer);
    host::Error DeselectArtOnLayer(host::Layer layer);

    host::Error GetDocumentFilePath(host::FilePath path);

    host::Error NewFilePath(host::FilePath* path);
    host::Error DisposeFilePath(host::FilePath path);
    bool IsEmpty(host::FilePath path);
    host::Error GetPlatformPath(host::FilePath path, char* text, std::size_t size);

private:
    // The error for a call that needs a document when none is open, else 0.
    host::Error NeedDocument() const;
    void RetireLayers();

    SuiteCalls layerCalls_;
    SuiteCalls documentCalls_;
    SuiteCalls filePathCalls_;
    std::optional<DocumentState> document_;
    std::vector<host::Layer> layerHandles_;
    HandleTable<host::Layer, std::size_t> layers_;
    HandleTable<host::FilePath, std::string> filePaths_;
    std::vector<std::string> deselections_;
};

}  // namespace standin
