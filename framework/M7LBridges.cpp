#include "M7LBridges.h"

#include <cstring>

#include "M7LSuiteTable.h"

namespace {

// A host file path object for the span of one call.
class HostFilePath {
public:
    HostFilePath() { error_ = sAiFilePath->NewFilePath(&path_); }
    ~HostFilePath() {
        if (error_ == host::kNoError) {
            sAiFilePath->DisposeFilePath(path_);
        }
    }
    HostFilePath(const HostFilePath&) = delete;
    HostFilePath& operator=(const HostFilePath&) = delete;

    host::Error Error() const { return error_; }
    host::FilePath Get() const { return path_; }

private:
    host::FilePath path_;
    host::Error error_;
};

}  // namespace

host::Error DeselectAllArt() {
    std::int32_t count = 0;
    if (const host::Error error = sAiLayer->CountLayers(&count)) {
        return error;
    }
    for (std::int32_t i = 0; i < count; ++i) {
        host::Layer layer;
        if (const host::Error error = sAiLayer->GetNthLayer(i, &layer)) {
            return error;
        }
        if (const host::Error error = sAiLayer->DeselectArtOnLayer(layer)) {
            return error;
        }
    }
    return host::kNoError;
}

host::Error DeselectAllArtUnlessShift(const host::ToolMessage* event) {
    if ((event->modifiers & host::kModifierShift) != 0) {
        return host::kNoError;
    }
    return DeselectAllArt();
}

M7L_FileSpecificationNative MakeFileSpecification(const char* ansiPath) {
    return M7L_FileSpecificationNative(ansiPath);
}

M7L_FileSpecificationNative FileSpecificationFromFilePath(host::FilePath path) {
    char text[M7L_FileSpecificationNative::kAnsiPathCapacityBytes];
    if (sAiFilePath->GetPlatformPath(path, text, sizeof(text)) != host::kNoError) {
        return M7L_FileSpecificationNative();
    }
    return MakeFileSpecification(text);
}

bool FileSpecificationToPlatform(const M7L_FileSpecificationNative& specification,
                                 host::PlatformFileSpecification* record) {
    std::memset(record, 0, sizeof(*record));
    const char* path = specification.GetAnsiPath();
    if (path == nullptr) {
        return false;
    }
    const std::size_t length = std::strlen(path);
    if (length >= sizeof(record->path)) {
        return false;
    }
    std::memcpy(record->path, path, length);
    return true;
}

M7L_FileSpecificationNative GetDocumentFileSpecification() {
    const HostFilePath path;
    if (path.Error() != host::kNoError ||
        sAiDocument->GetDocumentFilePath(path.Get()) != host::kNoError ||
        sAiFilePath->IsEmpty(path.Get())) {
        return M7L_FileSpecificationNative();
    }
    return FileSpecificationFromFilePath(path.Get());
}

bool PutFileSpecificationPreference(const char* section, const char* key,
                                    const M7L_FileSpecificationNative& specification) {
    host::PlatformFileSpecification record;
    return FileSpecificationToPlatform(specification, &record) &&
           sAiPreference->PutFileSpecificationPreference(section, key, &record) == host::kNoError;
}
