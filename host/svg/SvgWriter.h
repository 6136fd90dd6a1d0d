#pragma once

#include <string>

#include "SvgReader.h"
#include "document/DocumentStore.h"
#include "document/InstalledFonts.h"

namespace standin {

struct SvgWritten {
    std::string text;
    std::string error;  // why the document cannot be written; then no text
};

// The document as SVG: the page in points; one group per layer with its
// name and flags (a hidden layer not displayed); groups, paths, compound
// paths and text as SVG draws them, in sRGB; placed images as images; and
// in the host's own namespace what SVG cannot say, so that the text reads
// back as the same document. A document the reader within the limits would
// refuse (nested too deep, too many segments or pieces of art, too large),
// or one holding a value SVG cannot carry (a number that is not finite, a
// character XML forbids), is not written.
SvgWritten WriteSvgDocument(const DocumentStore& store, InstalledFonts& fonts, DocumentId document,
                            const SvgLimits& limits = {});

// Writes the document to the file: to a new file in its folder, renamed
// over it once complete, so that a save that fails leaves the file as it
// was. Empty, or why the document was not saved.
std::string SaveSvgDocument(const DocumentStore& store, InstalledFonts& fonts, DocumentId document,
                            const std::string& path, const SvgLimits& limits = {});

// Writes the text to a new file in the target's folder and renames it over
// the target once it is complete on the disk, keeping the target's mode.
// Empty, or why the file was not written (and is as it was).
std::string ReplaceFile(const std::string& path, const std::string& text);

}  // namespace standin
