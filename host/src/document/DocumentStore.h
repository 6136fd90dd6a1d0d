#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "HandleTable.h"
#include "Violations.h"
#include "document/InstalledFonts.h"
#include "host/AiArtSuites.h"
#include "host/HostGeometry.h"
#include "host/HostHandles.h"
#include "host/HostPolicies.h"

namespace standin {

using DocumentId = host::Handle<struct DocumentTag>;

struct Tag {
    std::string type;
    std::string value;

    friend bool operator==(const Tag&, const Tag&) = default;
};

// One UTF-16 unit of a text frame with its features.
struct TextCharacter {
    char16_t unit;
    host::Font font;  // none: laid out with the default metrics and advance
    float size;       // points

    friend bool operator==(const TextCharacter&, const TextCharacter&) = default;
};

struct TextContent {
    host::RealPoint anchor{};
    host::TextOrientation orientation = host::TextOrientation::kHorizontal;
    std::vector<TextCharacter> characters;
    host::Color color{};    // of the glyphs
    bool composed = false;  // laid out since the text last changed

    friend bool operator==(const TextContent&, const TextContent&) = default;
};

// The features a text change gives its characters; a feature not set keeps
// what the character had (a new character: no font, the default size).
struct TextFeatures {
    std::optional<host::Font> font;
    std::optional<float> size;
};

// One piece of art. Which of the parts below hold it depends on the type:
// children for groups, compound paths and layer groups; style for paths and
// compound paths; segments and closed for paths; text for text frames;
// imageBounds for placed images.
struct ArtRecord {
    host::ArtType type;
    DocumentId document;
    host::Layer layer;
    host::Art parent;                 // none for a layer's own group
    std::vector<host::Art> children;  // in paint order, back to front
    bool selected = false;
    std::map<std::string, Tag> tags;  // by name
    host::BlendMode blendMode = host::BlendMode::kNormal;
    double opacity = 1.0;
    host::PathStyle style{};
    std::vector<host::PathSegment> segments;
    bool closed = false;
    TextContent text;
    host::RealRect imageBounds{};

    friend bool operator==(const ArtRecord&, const ArtRecord&) = default;
};

struct LayerSetup {
    std::string name;
    bool visible = true;
    bool editable = true;
};

struct LayerRecord {
    DocumentId document;
    std::string name;
    bool visible;
    bool editable;
    host::Art group;  // the layer's own group, holding its art

    friend bool operator==(const LayerRecord&, const LayerRecord&) = default;
};

struct ViewRecord {
    DocumentId document;
    host::RealPoint centre;
    double zoom;  // 1.0 = 100 %
};

struct CustomColorRecord {
    DocumentId document;
    std::string name;
    host::CustomColorDefinition definition;
};

// An A4 page, in points.
inline constexpr float kDefaultPageWidthPoints = 595.2756f;
inline constexpr float kDefaultPageHeightPoints = 841.8898f;

struct DocumentSetup {
    std::string filePath;  // "" for a document never saved
    float width = kDefaultPageWidthPoints;
    float height = kDefaultPageHeightPoints;
    std::vector<LayerSetup> layers;  // back to front
};

struct DocumentRecord {
    std::string filePath;
    float width;
    float height;
    std::vector<host::Layer> layers;  // back to front
    host::Layer currentLayer;         // the first layer added, until set
    std::vector<host::DocumentView> views;
    std::vector<host::CustomColor> customColors;
    host::PathStyle currentStyle;
    bool open = false;
};

// The white fill and black one-point stroke of a new document.
host::PathStyle DefaultPathStyle();

// Hears documents open and close (the host sends the notifiers).
class DocumentEvents {
public:
    virtual void DocumentOpened(DocumentId document) = 0;
    virtual void DocumentClosed(DocumentId document) = 0;

protected:
    ~DocumentEvents() = default;
};

// The host's documents: several can be open, one of them current; each has
// layers, each layer a group holding its art tree; art has styles, tags,
// a selection flag and a blend; custom colours and views belong to their
// document. Every object is a checked token that goes stale with its object
// (and with its document), never to be another object.
//
// A document is made (NewDocument), built through the calls below and then
// opened; before it is open nothing of it is current. Calls that take a
// `call` check what they are handed: a handle that is not live or an argument
// that makes no sense is recorded against the call as a violation and
// answered with an error. Art of a locked or hidden layer of an open document
// does not change (kErrorLayerLockedOrHidden), selection aside.
//
// Two journals record the state each changed object had: the press journal,
// opened at a tool's press, which undo reverts; and the message journal,
// which tells whether a message left the documents different.
class DocumentStore {
public:
    DocumentStore(Violations& violations, const InstalledFonts& fonts);
    DocumentStore(const DocumentStore&) = delete;
    DocumentStore& operator=(const DocumentStore&) = delete;

    void SetEvents(DocumentEvents* events) { events_ = events; }

    // Documents. The throwing calls throw std::invalid_argument for a
    // document that is not live, std::logic_error for one in the wrong state.
    DocumentId NewDocument(DocumentSetup setup);
    // Makes a built document open and current. It needs a layer.
    void Open(DocumentId document);
    // Makes and opens a document.
    DocumentId OpenNew(DocumentSetup setup);
    // Closes an open document (the last opened of the others becomes
    // current), or discards one never opened; its handles go stale.
    void Close(DocumentId document);
    DocumentId Current() const { return current_; }
    void SetCurrent(DocumentId document);
    const std::vector<DocumentId>& OpenDocuments() const { return open_; }
    const DocumentRecord& Document(DocumentId document) const;
    void SetFilePath(DocumentId document, std::string filePath);
    void SetCurrentPathStyle(DocumentId document, const host::PathStyle& style);

    // Layers.
    host::Layer AddLayer(DocumentId document, LayerSetup setup);
    void SetCurrentLayer(host::Layer layer);
    const LayerRecord* FindLayer(host::Layer layer, std::string_view call);
    const LayerRecord* PeekLayer(host::Layer layer) const { return layers_.Peek(layer); }
    // Visibility or editability: flag is &LayerRecord::visible or ::editable.
    host::Error SetLayerFlag(std::string_view call, host::Layer layer, bool LayerRecord::*flag,
                             bool value);
    // Clears the selection of all art of the layer.
    host::Error DeselectLayer(std::string_view call, host::Layer layer);

    // Art. New art goes by prep as the order says; none is made where it
    // cannot go (no prep, inside what holds no art, beside a layer's group,
    // other than a path into a compound path).
    const ArtRecord* FindArt(host::Art art, std::string_view call);
    const ArtRecord* PeekArt(host::Art art) const { return art_.Peek(art); }
    // Group, path, compound path or legacy text.
    host::Error NewArt(std::string_view call, host::ArtType type, host::PaintOrder order,
                       host::Art prep, host::Art* art);
    host::Error NewPointText(std::string_view call, host::PaintOrder order, host::Art prep,
                             host::TextOrientation orientation, host::RealPoint anchor,
                             host::Art* art);
    host::Error NewPlacedImage(std::string_view call, host::PaintOrder order, host::Art prep,
                               host::RealRect bounds, host::Art* art);
    // Removes the art with everything it holds; not a layer's group.
    host::Error DisposeArt(std::string_view call, host::Art art);
    // Moves the art (with what it holds) as the order says.
    host::Error ReorderArt(std::string_view call, host::Art art, host::PaintOrder order,
                           host::Art prep);
    host::Error Bounds(std::string_view call, host::Art art, host::RealRect* bounds);
    host::Error SetSelected(std::string_view call, host::Art art, bool selected);
    host::Error SetTag(std::string_view call, host::Art art, const std::string& name, Tag tag);
    host::Error SetBlendMode(std::string_view call, host::Art art, host::BlendMode mode);
    host::Error SetOpacity(std::string_view call, host::Art art, double opacity);

    // Paths: new segments of a longer path are zero.
    host::Error SetSegmentCount(std::string_view call, host::Art path, std::int32_t count);
    host::Error SetSegments(std::string_view call, host::Art path, std::int32_t start,
                            std::span<const host::PathSegment> segments);
    host::Error SetClosed(std::string_view call, host::Art path, bool closed);
    // Paths and compound paths; the colours' kinds must be known and their
    // custom colours of the art's document.
    host::Error SetPathStyle(std::string_view call, host::Art art, const host::PathStyle& style);

    // Text frames: positions count UTF-16 units.
    host::Error InsertText(std::string_view call, host::Art frame, std::size_t position,
                           std::u16string_view text, const TextFeatures& features);
    host::Error SetTextFeatures(std::string_view call, host::Art frame, std::size_t begin,
                                std::size_t end, const TextFeatures& features);
    host::Error SetTextColor(std::string_view call, host::Art frame, const host::Color& color);
    // Lays out the text of the document's frames.
    void BringArtUpToDate(DocumentId document);
    // The frame's outlines, as the policies header says.
    host::Error CreateOutline(std::string_view call, host::Art frame, host::Art* outline);

    // Custom colours.
    host::CustomColor NewCustomColor(DocumentId document, std::string name,
                                     const host::CustomColorDefinition& definition);
    const CustomColorRecord* FindCustomColor(host::CustomColor color, std::string_view call);
    const CustomColorRecord* PeekCustomColor(host::CustomColor color) const {
        return customColors_.Peek(color);
    }

    // Views: a document has one from the start.
    const ViewRecord* FindView(host::DocumentView view, std::string_view call);
    host::Error SetViewCentre(std::string_view call, host::DocumentView view,
                              host::RealPoint centre);
    // Outside the zoom range of the policies header is a mistake.
    host::Error SetViewZoom(std::string_view call, host::DocumentView view, double zoom);

    // The press journal: opened at a tool's press, closed after its release.
    void BeginPress();
    void EndPress();
    // Reverts every change since the press (nothing outside a press).
    void UndoPress();
    // The message journal: whether the art and layers of any document are
    // different after the message than before it.
    void BeginMessage();
    bool EndMessage();

private:
    struct Journal {
        std::map<std::uint64_t, std::optional<ArtRecord>> art;  // by token: the state before
        std::map<std::uint64_t, std::optional<LayerRecord>> layers;
    };

    DocumentRecord& LiveDocument(DocumentId document);
    const DocumentRecord& LiveDocument(DocumentId document) const;
    host::Error BadArgument(std::string_view call, std::string detail);
    // The state before a change (none for an object just made) into every
    // open journal that has none yet.
    static constexpr bool kMade = true;
    template <typename Handle, typename Record>
    void Journalize(Handle handle, const HandleTable<Handle, Record>& table,
                    std::map<std::uint64_t, std::optional<Record>> Journal::*entries, bool made);
    void Journalize(host::Art art, bool made = false);
    void Journalize(host::Layer layer, bool made = false);
    // The live record, journalized, to change.
    ArtRecord& Edit(host::Art art);
    LayerRecord& Edit(host::Layer layer);
    // kErrorLayerLockedOrHidden for art of a locked or hidden layer of an
    // open document, else 0.
    host::Error Editable(const ArtRecord& art) const;
    // The art of the type, or kErrorWrongKind; found as FindArt.
    host::Error FindOfType(std::string_view call, host::Art art, host::ArtType type,
                           const ArtRecord** record);
    host::Error FindEditable(std::string_view call, host::Art art, const ArtRecord** record);
    // A colour kind there is; a custom colour that is live in the document.
    host::Error CheckColor(std::string_view call, const host::Color& color, DocumentId document);
    // Where art goes by prep in that order: the parent and the position.
    struct Place {
        host::Art parent;
        std::size_t index;
    };
    host::Error PlaceBy(std::string_view call, host::PaintOrder order, host::Art prep,
                        host::ArtType type, Place* place);
    host::Art Insert(ArtRecord record, const Place& place);
    host::Error MakeArt(std::string_view call, host::PaintOrder order, host::Art prep,
                        ArtRecord record, host::Art* art);
    void Unlink(host::Art art);
    // Retires the art and everything it holds.
    void DestroyTree(host::Art art);
    bool Holds(host::Art ancestor, host::Art art) const;
    // The bounds as kept since the art last changed, computed where they are
    // not; none for art without geometry.
    std::optional<host::RealRect> BoundsOf(host::Art art) const;
    std::optional<host::RealRect> ComputeBounds(const ArtRecord& art) const;
    // The art and what holds it are about to change.
    void ForgetBounds(host::Art art);
    // The boxes of the frame's glyphs that have ink, in text order.
    std::vector<host::RealRect> GlyphBoxes(const TextContent& text) const;
    void ForEachArt(host::Art art, const std::function<void(host::Art)>& action) const;

    Violations& violations_;
    const InstalledFonts& fonts_;
    DocumentEvents* events_ = nullptr;
    HandleTable<DocumentId, DocumentRecord> documents_;
    HandleTable<host::Layer, LayerRecord> layers_;
    HandleTable<host::Art, ArtRecord> art_;
    HandleTable<host::CustomColor, CustomColorRecord> customColors_;
    HandleTable<host::DocumentView, ViewRecord> views_;
    std::vector<DocumentId> open_;  // in the order they were opened
    DocumentId current_;
    std::optional<Journal> press_;
    std::optional<Journal> message_;
    // Bounds by art token, as a host keeps them: a group's would otherwise
    // take all its paths on every call. Text lays out with the fonts, so all
    // are forgotten when the catalogue changes.
    mutable std::unordered_map<std::uint64_t, std::optional<host::RealRect>> bounds_;
    mutable std::uint64_t boundsFontRevision_ = 0;
};

}  // namespace standin
