#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "document/DocumentStore.h"
#include "document/InstalledFonts.h"
#include "host/HostPolicies.h"

namespace standin {

// What the reader takes at most: the host's policies, unless a test asks
// for less.
struct SvgLimits {
    std::size_t fileBytes = host::kMaxSvgFileBytes;
    std::size_t nestingDepth = host::kMaxSvgNestingDepth;
    std::size_t segments = host::kMaxSvgSegments;
    std::size_t art = host::kMaxSvgArt;
};

struct SvgOpened {
    DocumentId document;  // none when the file did not open
    // Elements the reader does not take (title, desc and metadata aside),
    // each counted once with what it holds.
    std::size_t skippedElements = 0;
    std::string error;  // why the file did not open
};

// Opens an SVG file as a new document of the store, open and current, with
// the file's path: its page in points, y up; the host's own layers, or one
// layer (host::kSvgLayerName) holding the art of a file without them; art
// as the policies header's SVG rules say. A file that fails to read, breaks
// a limit or holds a value the reader does not take opens nothing; the
// error names the problem.
SvgOpened OpenSvgDocument(DocumentStore& store, InstalledFonts& fonts, const std::string& path,
                          const SvgLimits& limits = {});

// The same for a file's bytes.
SvgOpened ReadSvgDocument(DocumentStore& store, InstalledFonts& fonts, std::string_view bytes,
                          const std::string& path, const SvgLimits& limits = {});

}  // namespace standin
