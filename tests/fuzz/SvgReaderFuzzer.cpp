// Reads arbitrary bytes as an SVG file. Nothing may crash or record a
// violation. What opens saves again (unless the saved file would nest past
// the reader's limit), and the saved text opens as the same document, with
// nothing skipped, and saves to the same text.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "DocumentForm.h"
#include "SvgReader.h"
#include "SvgWriter.h"

namespace {

constexpr const char* kPath = "fuzz.svg";
constexpr std::string_view kNestingRefusal =
    "the document cannot be written as SVG: art nested deeper than";

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    standin::Violations violations;
    standin::InstalledFonts fonts(violations, standin::DefaultFontCatalogue());
    standin::DocumentStore store(violations, fonts);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const standin::SvgOpened opened = standin::ReadSvgDocument(store, fonts, bytes, kPath);
    Check(violations.Empty());
    Check(opened.document ? opened.error.empty() : !opened.error.empty());
    if (!opened.document) {
        Check(store.OpenDocuments().empty());
        return 0;
    }
    const standin::SvgWritten first = standin::WriteSvgDocument(store, fonts, opened.document);
    if (first.error.starts_with(kNestingRefusal)) {
        return 0;
    }
    Check(first.error.empty());
    const standin::SvgOpened again = standin::ReadSvgDocument(store, fonts, first.text, kPath);
    Check(again.error.empty() && again.skippedElements == 0);
    Check(documentform::FormOf(store, again.document) ==
          documentform::FormOf(store, opened.document));
    Check(standin::WriteSvgDocument(store, fonts, again.document).text == first.text);
    Check(violations.Empty());
    return 0;
}
