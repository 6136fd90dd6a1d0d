#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "HandleTable.h"
#include "HostCore.h"
#include "SuiteCalls.h"
#include "SuiteForward.h"
#include "document/DocumentStore.h"
#include "document/InstalledFonts.h"
#include "document/TextEngine.h"
#include "host/AiArtSuites.h"
#include "host/AiSuites.h"
#include "host/AteSuites.h"

namespace standin {

// What the document suites share: entering a call and finding what it
// names in the current document. An object of another document is a
// violation; no open document answers kErrorNoDocument.
class DocumentCalls : public SuiteCalls {
public:
    DocumentCalls(HostCore& core, const host::SuiteVersions& suite, DocumentStore& store)
        : SuiteCalls(core, suite), store_(store) {}

    // Enter, then the current document.
    host::Error EnterDocument(std::string_view function, bool argumentsPresent,
                              const DocumentRecord** document) const;
    // Enter, then the live object, of the current document.
    host::Error EnterArt(std::string_view function, bool argumentsPresent, host::Art art,
                         const ArtRecord** record) const;
    host::Error EnterLayer(std::string_view function, bool argumentsPresent, host::Layer layer,
                           const LayerRecord** record) const;
    host::Error EnterView(std::string_view function, bool argumentsPresent,
                          host::DocumentView view) const;
    // 0 for art of the current document, else its violation.
    host::Error InCurrent(std::string_view function, DocumentId document) const;

    DocumentStore& Store() const { return store_; }

private:
    DocumentStore& store_;
};

// "AI Art Suite".
class AiArtAdapter : public ActiveInstance<AiArtAdapter> {
public:
    AiArtAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error NewArt(host::ArtType type, host::PaintOrder order, host::Art prep, host::Art* art);
    host::Error DisposeArt(host::Art art);
    host::Error ReorderArt(host::Art art, host::PaintOrder order, host::Art prep);
    host::Error GetArtType(host::Art art, host::ArtType* type);
    host::Error GetArtParent(host::Art art, host::Art* parent);
    host::Error GetArtFirstChild(host::Art art, host::Art* child);
    host::Error GetArtSibling(host::Art art, host::Art* sibling);
    host::Error GetArtBounds(host::Art art, host::RealRect* bounds);
    host::Error SetArtUserAttr(host::Art art, std::int32_t mask, std::int32_t attributes);
    host::Error GetFirstArtOfLayer(host::Layer layer, host::Art* art);

private:
    DocumentCalls calls_;
};

// "AI Path Suite".
class AiPathAdapter : public ActiveInstance<AiPathAdapter> {
public:
    AiPathAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetPathSegmentCount(host::Art path, std::int32_t* count);
    host::Error SetPathSegmentCount(host::Art path, std::int32_t count);
    host::Error GetPathSegments(host::Art path, std::int32_t start, std::int32_t count,
                                host::PathSegment* segments);
    host::Error SetPathSegments(host::Art path, std::int32_t start, std::int32_t count,
                                const host::PathSegment* segments);
    host::Error SetPathClosed(host::Art path, bool closed);

private:
    DocumentCalls calls_;
};

// "AI Path Style Suite".
class AiPathStyleAdapter : public ActiveInstance<AiPathStyleAdapter> {
public:
    AiPathStyleAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetCurrentPathStyle(host::PathStyle* style);
    host::Error GetPathStyle(host::Art art, host::PathStyle* style);
    host::Error SetPathStyle(host::Art art, const host::PathStyle* style);

private:
    DocumentCalls calls_;
};

// "AI Custom Color Suite".
class AiCustomColorAdapter : public ActiveInstance<AiCustomColorAdapter> {
public:
    AiCustomColorAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetCustomColor(host::CustomColor color, host::CustomColorDefinition* definition);

private:
    DocumentCalls calls_;
};

// "AI Tag Suite".
class AiTagAdapter : public ActiveInstance<AiTagAdapter> {
public:
    AiTagAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error SetArtTag(host::Art art, const char* name, const char* type, const char* value);

private:
    DocumentCalls calls_;
};

// "AI Blend Style Suite".
class AiBlendStyleAdapter : public ActiveInstance<AiBlendStyleAdapter> {
public:
    AiBlendStyleAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetBlendingMode(host::Art art, host::BlendMode* mode);
    host::Error SetBlendingMode(host::Art art, host::BlendMode mode);
    host::Error GetOpacity(host::Art art, double* opacity);
    host::Error SetOpacity(host::Art art, double opacity);

private:
    DocumentCalls calls_;
};

// "AI Layer Suite".
class AiLayerAdapter : public ActiveInstance<AiLayerAdapter> {
public:
    AiLayerAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error CountLayers(std::int32_t* count);
    host::Error GetNthLayer(std::int32_t index, host::Layer* layer);
    host::Error DeselectArtOnLayer(host::Layer layer);
    host::Error GetCurrentLayer(host::Layer* layer);
    host::Error GetLayerVisible(host::Layer layer, bool* visible);
    host::Error SetLayerVisible(host::Layer layer, bool visible);
    host::Error GetLayerEditable(host::Layer layer, bool* editable);
    host::Error SetLayerEditable(host::Layer layer, bool editable);

private:
    host::Error GetFlag(std::string_view function, host::Layer layer, bool LayerRecord::*flag,
                        bool* value);
    host::Error SetFlag(std::string_view function, host::Layer layer, bool LayerRecord::*flag,
                        bool value);

    DocumentCalls calls_;
};

// "AI File Path Suite": file path objects, made and disposed by the plug-in.
class AiFilePathAdapter : public ActiveInstance<AiFilePathAdapter> {
public:
    explicit AiFilePathAdapter(HostCore& core);
    const SuiteCalls& Calls() const { return calls_; }

    // The path the object holds; null, with a violation against the call,
    // for an object that is not live.
    std::string* Find(host::FilePath path, std::string_view call);
    std::size_t Live() const { return paths_.LiveCount(); }

    host::Error NewFilePath(host::FilePath* path);
    host::Error DisposeFilePath(host::FilePath path);
    bool IsEmpty(host::FilePath path);
    host::Error GetPlatformPath(host::FilePath path, char* text, std::size_t size);

private:
    SuiteCalls calls_;
    HandleTable<host::FilePath, std::string> paths_;
};

// "AI Document Suite".
class AiDocumentAdapter : public ActiveInstance<AiDocumentAdapter> {
public:
    AiDocumentAdapter(HostCore& core, DocumentStore& store, AiFilePathAdapter& paths);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetDocumentFilePath(host::FilePath path);
    host::Error BringArtUpToDate();

private:
    DocumentCalls calls_;
    AiFilePathAdapter& paths_;
};

// "AI Document View Suite".
class AiDocumentViewAdapter : public ActiveInstance<AiDocumentViewAdapter> {
public:
    AiDocumentViewAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error GetNthDocumentView(std::int32_t index, host::DocumentView* view);
    host::Error SetDocumentViewCenter(host::DocumentView view, host::RealPoint centre);
    host::Error SetDocumentViewZoom(host::DocumentView view, double zoom);

private:
    DocumentCalls calls_;
};

// "AI Undo Suite".
class AiUndoAdapter : public ActiveInstance<AiUndoAdapter> {
public:
    AiUndoAdapter(HostCore& core, DocumentStore& store);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error UndoChanges();

private:
    DocumentCalls calls_;
};

// "AI Text Frame Suite".
class AiTextFrameAdapter : public ActiveInstance<AiTextFrameAdapter> {
public:
    AiTextFrameAdapter(HostCore& core, DocumentStore& store, TextEngine& text);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error NewPointText(host::PaintOrder order, host::Art prep,
                             host::TextOrientation orientation, host::RealPoint anchor,
                             host::Art* frame);
    host::Error GetTextRange(host::Art frame, host::TextRange* range);
    host::Error CreateOutline(host::Art frame, host::Art* outline);

private:
    DocumentCalls calls_;
    TextEngine& text_;
};

// "AI Font Suite" over the installed fonts.
class AiFontAdapter : public ActiveInstance<AiFontAdapter> {
public:
    AiFontAdapter(HostCore& core, InstalledFonts& fonts, TextEngine& text);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error CountTypefaces(std::int32_t* count);
    host::Error IndexTypefaceList(std::int32_t index, host::Typeface* typeface);
    host::Error CountTypefaceStyles(host::Typeface typeface, std::int32_t* count);
    host::Error IndexTypefaceStyleList(host::Typeface typeface, std::int32_t index,
                                       host::Font* font);
    host::Error GetTypefaceName(host::Font font, char* name, std::size_t size);
    host::Error GetStyleName(host::Font font, char* name, std::size_t size);
    host::Error FindFont(const char* postScriptName, std::int32_t technology, std::int32_t script,
                         bool substitute, host::Font* font);
    host::Error GetFontMetrics(host::Font font, host::FontMetrics* metrics);
    host::Error GetGlyphAdvance(host::Font font, const char* character, float* horizontal,
                                float* vertical);
    host::Error GetPostScriptName(host::Font font, char* name, std::size_t size);
    host::Error GetTextFont(host::Font font, host::TextFont* textFont);

private:
    // Enter, then the font of the key.
    host::Error EnterFont(std::string_view function, bool argumentsPresent, host::Font font,
                          InstalledFonts::Place* place);

    SuiteCalls calls_;
    InstalledFonts& fonts_;
    TextEngine& text_;
};

// "ATE CharFeatures Suite".
class AteCharFeaturesAdapter : public ActiveInstance<AteCharFeaturesAdapter> {
public:
    AteCharFeaturesAdapter(HostCore& core, TextEngine& text);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error New(host::CharFeatures* features);
    host::Error Release(host::CharFeatures features);
    host::Error SetFont(host::CharFeatures features, host::TextFont font);
    host::Error SetFontSize(host::CharFeatures features, float size);

private:
    SuiteCalls calls_;
    TextEngine& text_;
};

// "ATE TextRange Suite".
class AteTextRangeAdapter : public ActiveInstance<AteTextRangeAdapter> {
public:
    AteTextRangeAdapter(HostCore& core, TextEngine& text);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error Release(host::TextRange range);
    host::Error SetLocalCharFeatures(host::TextRange range, host::CharFeatures features);
    host::Error InsertAfter(host::TextRange range, const char16_t* text, std::int32_t length);

private:
    SuiteCalls calls_;
    TextEngine& text_;
};

// "ATE Font Suite".
class AteFontAdapter : public ActiveInstance<AteFontAdapter> {
public:
    AteFontAdapter(HostCore& core, TextEngine& text);
    const SuiteCalls& Calls() const { return calls_; }

    host::Error Release(host::TextFont font);

private:
    SuiteCalls calls_;
    TextEngine& text_;
};

// The adapters of the document suites over one store, each serving its
// suite.
struct DocumentSuites {
    DocumentSuites(HostCore& core, DocumentStore& store, InstalledFonts& fonts, TextEngine& text)
        : art(core, store),
          path(core, store),
          pathStyle(core, store),
          customColor(core, store),
          tag(core, store),
          blendStyle(core, store),
          layer(core, store),
          filePath(core),
          document(core, store, filePath),
          view(core, store),
          undo(core, store),
          textFrame(core, store, text),
          font(core, fonts, text),
          charFeatures(core, text),
          textRange(core, text),
          textFont(core, text) {}

    AiArtAdapter art;
    AiPathAdapter path;
    AiPathStyleAdapter pathStyle;
    AiCustomColorAdapter customColor;
    AiTagAdapter tag;
    AiBlendStyleAdapter blendStyle;
    AiLayerAdapter layer;
    AiFilePathAdapter filePath;
    AiDocumentAdapter document;
    AiDocumentViewAdapter view;
    AiUndoAdapter undo;
    AiTextFrameAdapter textFrame;
    AiFontAdapter font;
    AteCharFeaturesAdapter charFeatures;
    AteTextRangeAdapter textRange;
    AteFontAdapter textFont;
};

}  // namespace standin
