#include "BarPaint.h"

#include "M7LSuiteTable.h"
#include "host/AiArtSuites.h"
#include "host/HostPolicies.h"

host::Error GetPaintingArt(host::Art path, host::Art* painting) {
    host::Art parent;
    if (const host::Error error = sAiArt->GetArtParent(path, &parent)) {
        return error;
    }
    host::ArtType type = host::ArtType::kPath;
    if (parent) {
        if (const host::Error error = sAiArt->GetArtType(parent, &type)) {
            return error;
        }
    }
    *painting = type == host::ArtType::kCompoundPath ? parent : path;
    return host::kNoError;
}
