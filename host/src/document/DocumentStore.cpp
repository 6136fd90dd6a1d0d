#include "DocumentStore.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "document/ArtGeometry.h"

namespace standin {

namespace {

// The call the store's own look-ups and releases are made under.
constexpr std::string_view kStoreCall = "document store";

constexpr float kDefaultStrokeWidthPoints = 1.0f;
constexpr float kDefaultMiterLimit = 4.0f;
constexpr double kDefaultZoom = 1.0;

host::Color Gray(float gray) {
    host::Color color{};
    color.kind = host::ColorKind::kGray;
    color.gray = gray;
    return color;
}

constexpr float kWhite = 0.0f;
constexpr float kBlack = 1.0f;

bool HoldsArt(host::ArtType type) {
    return type == host::ArtType::kGroup || type == host::ArtType::kCompoundPath;
}

bool Styled(host::ArtType type) {
    return type == host::ArtType::kPath || type == host::ArtType::kCompoundPath;
}

// Whether the character leaves a mark (blanks and control characters do
// not).
bool HasInk(char16_t unit) {
    constexpr char16_t kSpace = 0x20;
    constexpr char16_t kDelete = 0x7F;
    constexpr char16_t kNoBreakSpace = 0xA0;
    return unit > kSpace && (unit < kDelete || unit > kNoBreakSpace);
}

std::string Describe(host::ArtType type) {
    return "art of type " + std::to_string(static_cast<std::int32_t>(type));
}

}  // namespace

host::PathStyle DefaultPathStyle() {
    host::PathStyle style{};
    style.fillPaint = true;
    style.fill = {Gray(kWhite), false};
    style.strokePaint = true;
    style.stroke.color = Gray(kBlack);
    style.stroke.width = kDefaultStrokeWidthPoints;
    style.stroke.cap = host::LineCap::kButt;
    style.stroke.join = host::LineJoin::kMiter;
    style.stroke.miterLimit = kDefaultMiterLimit;
    return style;
}

DocumentStore::DocumentStore(Violations& violations, const InstalledFonts& fonts)
    : violations_(violations),
      fonts_(fonts),
      documents_(violations, "document"),
      layers_(violations, "layer"),
      art_(violations, "art"),
      customColors_(violations, "custom colour"),
      views_(violations, "document view") {}

DocumentRecord& DocumentStore::LiveDocument(DocumentId document) {
    return const_cast<DocumentRecord&>(std::as_const(*this).LiveDocument(document));
}

const DocumentRecord& DocumentStore::LiveDocument(DocumentId document) const {
    const DocumentRecord* record = documents_.Peek(document);
    if (record == nullptr) {
        throw std::invalid_argument("no live document " + std::to_string(document.token));
    }
    return *record;
}

const DocumentRecord& DocumentStore::Document(DocumentId document) const {
    return LiveDocument(document);
}

DocumentId DocumentStore::NewDocument(DocumentSetup setup) {
    const DocumentId document = documents_.Issue(
        {std::move(setup.filePath), setup.width, setup.height, {}, {}, {}, {}, DefaultPathStyle()});
    const host::DocumentView view =
        views_.Issue({document, {setup.width / 2, setup.height / 2}, kDefaultZoom});
    LiveDocument(document).views.push_back(view);
    for (LayerSetup& layer : setup.layers) {
        AddLayer(document, std::move(layer));
    }
    return document;
}

void DocumentStore::Open(DocumentId document) {
    DocumentRecord& record = LiveDocument(document);
    if (record.open || record.layers.empty()) {
        throw std::logic_error(record.open ? "the document is open already"
                                           : "a document needs a layer to open");
    }
    record.open = true;
    open_.push_back(document);
    current_ = document;
    if (events_ != nullptr) {
        events_->DocumentOpened(document);
    }
}

DocumentId DocumentStore::OpenNew(DocumentSetup setup) {
    const DocumentId document = NewDocument(std::move(setup));
    Open(document);
    return document;
}

void DocumentStore::Close(DocumentId document) {
    const DocumentRecord record = LiveDocument(document);
    for (const host::Layer layer : record.layers) {
        DestroyTree(layers_.Peek(layer)->group);
        layers_.Retire(layer, kStoreCall);
    }
    for (const host::DocumentView view : record.views) {
        views_.Retire(view, kStoreCall);
    }
    for (const host::CustomColor color : record.customColors) {
        customColors_.Retire(color, kStoreCall);
    }
    // Nothing of the document comes back by an undo.
    for (std::optional<Journal>* journal : {&press_, &message_}) {
        if (*journal) {
            std::erase_if((*journal)->art, [document](const auto& entry) {
                return entry.second && entry.second->document == document;
            });
            std::erase_if((*journal)->layers, [document](const auto& entry) {
                return entry.second && entry.second->document == document;
            });
        }
    }
    documents_.Retire(document, kStoreCall);
    if (!record.open) {
        return;
    }
    std::erase(open_, document);
    if (current_ == document) {
        current_ = open_.empty() ? DocumentId{} : open_.back();
    }
    if (events_ != nullptr) {
        events_->DocumentClosed(document);
    }
}

void DocumentStore::SetCurrent(DocumentId document) {
    if (!LiveDocument(document).open) {
        throw std::logic_error("only an open document becomes current");
    }
    current_ = document;
}

void DocumentStore::SetFilePath(DocumentId document, std::string filePath) {
    LiveDocument(document).filePath = std::move(filePath);
}

void DocumentStore::SetCurrentPathStyle(DocumentId document, const host::PathStyle& style) {
    LiveDocument(document).currentStyle = style;
}

host::Error DocumentStore::BadArgument(std::string_view call, std::string detail) {
    violations_.Record(ViolationKind::kBadArgument, call, std::move(detail));
    return host::kErrorBadArgument;
}

template <typename Handle, typename Record>
void DocumentStore::Journalize(Handle handle, const HandleTable<Handle, Record>& table,
                               std::map<std::uint64_t, std::optional<Record>> Journal::*entries,
                               bool made) {
    for (std::optional<Journal>* journal : {&press_, &message_}) {
        if (*journal && !((**journal).*entries).contains(handle.token)) {
            const Record* record = made ? nullptr : table.Peek(handle);
            ((**journal).*entries)
                .emplace(handle.token, record ? std::optional(*record) : std::nullopt);
        }
    }
}

void DocumentStore::Journalize(host::Art art, bool made) {
    Journalize(art, art_, &Journal::art, made);
}

void DocumentStore::Journalize(host::Layer layer, bool made) {
    Journalize(layer, layers_, &Journal::layers, made);
}

ArtRecord& DocumentStore::Edit(host::Art art) {
    Journalize(art);
    ForgetBounds(art);
    return *art_.Peek(art);
}

void DocumentStore::ForgetBounds(host::Art art) {
    for (host::Art at = art; at; at = art_.Peek(at)->parent) {
        bounds_.erase(at.token);
    }
}

LayerRecord& DocumentStore::Edit(host::Layer layer) {
    Journalize(layer);
    return *layers_.Peek(layer);
}

host::Layer DocumentStore::AddLayer(DocumentId document, LayerSetup setup) {
    DocumentRecord& record = LiveDocument(document);
    ArtRecord group{};
    group.type = host::ArtType::kGroup;
    group.document = document;
    const host::Art groupHandle = art_.Issue(std::move(group));
    Journalize(groupHandle, kMade);
    const host::Layer layer = layers_.Issue(
        {document, std::move(setup.name), setup.visible, setup.editable, groupHandle});
    Journalize(layer, kMade);
    art_.Peek(groupHandle)->layer = layer;
    record.layers.push_back(layer);
    if (!record.currentLayer) {
        record.currentLayer = layer;
    }
    return layer;
}

void DocumentStore::SetCurrentLayer(host::Layer layer) {
    const LayerRecord* record = layers_.Peek(layer);
    if (record == nullptr) {
        throw std::invalid_argument("no live layer " + std::to_string(layer.token));
    }
    LiveDocument(record->document).currentLayer = layer;
}

const LayerRecord* DocumentStore::FindLayer(host::Layer layer, std::string_view call) {
    return layers_.Find(layer, call);
}

host::Error DocumentStore::SetLayerFlag(std::string_view call, host::Layer layer,
                                        bool LayerRecord::*flag, bool value) {
    if (FindLayer(layer, call) == nullptr) {
        return host::kErrorBadHandle;
    }
    Edit(layer).*flag = value;
    return host::kNoError;
}

host::Error DocumentStore::DeselectLayer(std::string_view call, host::Layer layer) {
    const LayerRecord* record = FindLayer(layer, call);
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    ForEachArt(record->group, [this](host::Art art) {
        if (art_.Peek(art)->selected) {
            Edit(art).selected = false;
        }
    });
    return host::kNoError;
}

void DocumentStore::ForEachArt(host::Art art, const std::function<void(host::Art)>& action) const {
    action(art);
    for (const host::Art child : art_.Peek(art)->children) {
        ForEachArt(child, action);
    }
}

const ArtRecord* DocumentStore::FindArt(host::Art art, std::string_view call) {
    return art_.Find(art, call);
}

host::Error DocumentStore::Editable(const ArtRecord& art) const {
    const LayerRecord& layer = *layers_.Peek(art.layer);
    const bool open = LiveDocument(art.document).open;
    return open && !(layer.visible && layer.editable) ? host::kErrorLayerLockedOrHidden
                                                      : host::kNoError;
}

host::Error DocumentStore::FindOfType(std::string_view call, host::Art art, host::ArtType type,
                                      const ArtRecord** record) {
    *record = FindArt(art, call);
    if (*record == nullptr) {
        return host::kErrorBadHandle;
    }
    return (*record)->type == type ? host::kNoError : host::kErrorWrongKind;
}

host::Error DocumentStore::FindEditable(std::string_view call, host::Art art,
                                        const ArtRecord** record) {
    *record = FindArt(art, call);
    if (*record == nullptr) {
        return host::kErrorBadHandle;
    }
    return Editable(**record);
}

host::Error DocumentStore::PlaceBy(std::string_view call, host::PaintOrder order, host::Art prep,
                                   host::ArtType type, Place* place) {
    const ArtRecord* by = FindArt(prep, call);
    if (by == nullptr) {
        return host::kErrorBadHandle;
    }
    if (order == host::PaintOrder::kInsideOnTop) {
        if (!HoldsArt(by->type)) {
            return BadArgument(call, "art inside " + Describe(by->type));
        }
        *place = {prep, by->children.size()};
    } else if (order == host::PaintOrder::kAbove || order == host::PaintOrder::kBelow) {
        if (!by->parent) {
            return BadArgument(call, "art beside a layer's own group");
        }
        const std::vector<host::Art>& siblings = art_.Peek(by->parent)->children;
        const auto index = static_cast<std::size_t>(
            std::find(siblings.begin(), siblings.end(), prep) - siblings.begin());
        *place = {by->parent, order == host::PaintOrder::kAbove ? index + 1 : index};
    } else {
        return BadArgument(call, "paint order " + std::to_string(static_cast<std::int32_t>(order)));
    }
    const ArtRecord& parent = *art_.Peek(place->parent);
    if (parent.type == host::ArtType::kCompoundPath && type != host::ArtType::kPath) {
        return BadArgument(call, Describe(type) + " into a compound path");
    }
    return Editable(parent);
}

host::Art DocumentStore::Insert(ArtRecord record, const Place& place) {
    const ArtRecord& parent = *art_.Peek(place.parent);
    record.document = parent.document;
    record.layer = parent.layer;
    record.parent = place.parent;
    const host::Art art = art_.Issue(std::move(record));
    Journalize(art, kMade);
    std::vector<host::Art>& children = Edit(place.parent).children;
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(place.index), art);
    return art;
}

host::Error DocumentStore::MakeArt(std::string_view call, host::PaintOrder order, host::Art prep,
                                   ArtRecord record, host::Art* art) {
    Place place{};
    if (const host::Error error = PlaceBy(call, order, prep, record.type, &place)) {
        return error;
    }
    if (Styled(record.type)) {
        record.style = LiveDocument(art_.Peek(place.parent)->document).currentStyle;
    }
    *art = Insert(std::move(record), place);
    return host::kNoError;
}

host::Error DocumentStore::NewArt(std::string_view call, host::ArtType type, host::PaintOrder order,
                                  host::Art prep, host::Art* art) {
    if (type != host::ArtType::kGroup && type != host::ArtType::kPath &&
        type != host::ArtType::kCompoundPath && type != host::ArtType::kLegacyText) {
        return BadArgument(call, "new " + Describe(type));
    }
    ArtRecord record{};
    record.type = type;
    return MakeArt(call, order, prep, std::move(record), art);
}

host::Error DocumentStore::NewPointText(std::string_view call, host::PaintOrder order,
                                        host::Art prep, host::TextOrientation orientation,
                                        host::RealPoint anchor, host::Art* art) {
    if (orientation != host::TextOrientation::kHorizontal &&
        orientation != host::TextOrientation::kVertical) {
        return BadArgument(
            call, "text orientation " + std::to_string(static_cast<std::int32_t>(orientation)));
    }
    ArtRecord record{};
    record.type = host::ArtType::kTextFrame;
    record.text.anchor = anchor;
    record.text.orientation = orientation;
    record.text.color = Gray(kBlack);
    return MakeArt(call, order, prep, std::move(record), art);
}

host::Error DocumentStore::NewPlacedImage(std::string_view call, host::PaintOrder order,
                                          host::Art prep, host::RealRect bounds, host::Art* art) {
    ArtRecord record{};
    record.type = host::ArtType::kPlacedImage;
    record.imageBounds = bounds;
    return MakeArt(call, order, prep, std::move(record), art);
}

void DocumentStore::Unlink(host::Art art) {
    const host::Art parent = art_.Peek(art)->parent;
    std::erase(Edit(parent).children, art);
}

void DocumentStore::DestroyTree(host::Art art) {
    const std::vector<host::Art> children = art_.Peek(art)->children;
    for (const host::Art child : children) {
        DestroyTree(child);
    }
    Journalize(art);
    bounds_.erase(art.token);
    art_.Retire(art, kStoreCall);
}

host::Error DocumentStore::DisposeArt(std::string_view call, host::Art art) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindEditable(call, art, &record)) {
        return error;
    }
    if (!record->parent) {
        return BadArgument(call, "disposing a layer's own group");
    }
    Unlink(art);
    DestroyTree(art);
    return host::kNoError;
}

bool DocumentStore::Holds(host::Art ancestor, host::Art art) const {
    for (host::Art at = art; at; at = art_.Peek(at)->parent) {
        if (at == ancestor) {
            return true;
        }
    }
    return false;
}

host::Error DocumentStore::ReorderArt(std::string_view call, host::Art art, host::PaintOrder order,
                                      host::Art prep) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindEditable(call, art, &record)) {
        return error;
    }
    if (!record->parent) {
        return BadArgument(call, "moving a layer's own group");
    }
    if (art_.Peek(prep) != nullptr && Holds(art, prep)) {
        return BadArgument(call, "art placed by itself or by art it holds");
    }
    Place place{};
    if (const host::Error error = PlaceBy(call, order, prep, record->type, &place)) {
        return error;
    }
    if (art_.Peek(place.parent)->document != record->document) {
        return BadArgument(call, "art moved into another document");
    }
    // Taking the art out first shifts the place when it was before it.
    const host::Art oldParent = record->parent;
    const std::vector<host::Art>& siblings = art_.Peek(oldParent)->children;
    const auto oldIndex = static_cast<std::size_t>(
        std::find(siblings.begin(), siblings.end(), art) - siblings.begin());
    if (oldParent == place.parent && oldIndex < place.index) {
        --place.index;
    }
    Unlink(art);
    std::vector<host::Art>& children = Edit(place.parent).children;
    children.insert(children.begin() + static_cast<std::ptrdiff_t>(place.index), art);
    const host::Layer layer = art_.Peek(place.parent)->layer;
    ForEachArt(art, [this, layer](host::Art moved) {
        if (art_.Peek(moved)->layer != layer) {
            Edit(moved).layer = layer;
        }
    });
    Edit(art).parent = place.parent;
    return host::kNoError;
}

std::vector<host::RealRect> DocumentStore::GlyphBoxes(const TextContent& text) const {
    std::vector<host::RealRect> boxes;
    const bool horizontal = text.orientation == host::TextOrientation::kHorizontal;
    float pen = horizontal ? text.anchor.h : text.anchor.v;
    for (const TextCharacter& character : text.characters) {
        const std::optional<float> advance = fonts_.Advance(character.font, character.unit);
        const float width = advance.value_or(host::kDefaultAdvanceEm) * character.size;
        const float height = fonts_.Metrics(character.font).capHeight * character.size;
        const host::RealRect box =
            horizontal ? host::RealRect{pen, text.anchor.v + height, pen + width, text.anchor.v}
                       : host::RealRect{text.anchor.h, pen, text.anchor.h + width, pen - height};
        if (advance && HasInk(character.unit)) {
            boxes.push_back(box);
        }
        pen += horizontal ? width : -host::kVerticalAdvanceEm * character.size;
    }
    return boxes;
}

std::optional<host::RealRect> DocumentStore::BoundsOf(host::Art art) const {
    if (boundsFontRevision_ != fonts_.Revision()) {
        bounds_.clear();
        boundsFontRevision_ = fonts_.Revision();
    }
    if (const auto kept = bounds_.find(art.token); kept != bounds_.end()) {
        return kept->second;
    }
    const std::optional<host::RealRect> bounds = ComputeBounds(*art_.Peek(art));
    bounds_.emplace(art.token, bounds);
    return bounds;
}

std::optional<host::RealRect> DocumentStore::ComputeBounds(const ArtRecord& art) const {
    switch (art.type) {
        case host::ArtType::kPath:
            return PathBounds(art.segments, art.closed, art.style);
        case host::ArtType::kPlacedImage:
            return art.imageBounds;
        case host::ArtType::kTextFrame: {
            std::optional<host::RealRect> bounds;
            for (const host::RealRect& box : GlyphBoxes(art.text)) {
                bounds = bounds ? Union(*bounds, box) : box;
            }
            return bounds;
        }
        case host::ArtType::kGroup:
        case host::ArtType::kCompoundPath: {
            std::optional<host::RealRect> bounds;
            for (const host::Art child : art.children) {
                if (const auto box = BoundsOf(child)) {
                    bounds = bounds ? Union(*bounds, *box) : *box;
                }
            }
            return bounds;
        }
        case host::ArtType::kLegacyText:
            break;
    }
    return std::nullopt;
}

host::Error DocumentStore::Bounds(std::string_view call, host::Art art, host::RealRect* bounds) {
    if (FindArt(art, call) == nullptr) {
        return host::kErrorBadHandle;
    }
    const std::optional<host::RealRect> found = BoundsOf(art);
    if (!found) {
        return host::kErrorNoGeometry;
    }
    *bounds = *found;
    return host::kNoError;
}

host::Error DocumentStore::SetSelected(std::string_view call, host::Art art, bool selected) {
    if (FindArt(art, call) == nullptr) {
        return host::kErrorBadHandle;
    }
    Edit(art).selected = selected;
    return host::kNoError;
}

host::Error DocumentStore::SetTag(std::string_view call, host::Art art, const std::string& name,
                                  Tag tag) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindEditable(call, art, &record)) {
        return error;
    }
    Edit(art).tags.insert_or_assign(name, std::move(tag));
    return host::kNoError;
}

host::Error DocumentStore::SetBlendMode(std::string_view call, host::Art art,
                                        host::BlendMode mode) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindEditable(call, art, &record)) {
        return error;
    }
    if (mode < host::BlendMode::kNormal || mode > host::kLastBlendMode) {
        return BadArgument(call, "blend mode " + std::to_string(static_cast<std::int32_t>(mode)));
    }
    Edit(art).blendMode = mode;
    return host::kNoError;
}

host::Error DocumentStore::SetOpacity(std::string_view call, host::Art art, double opacity) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindEditable(call, art, &record)) {
        return error;
    }
    if (!(opacity >= 0 && opacity <= 1)) {
        return BadArgument(call, "opacity " + std::to_string(opacity));
    }
    Edit(art).opacity = opacity;
    return host::kNoError;
}

host::Error DocumentStore::SetSegmentCount(std::string_view call, host::Art path,
                                           std::int32_t count) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, path, host::ArtType::kPath, &record)) {
        return error;
    }
    if (count < 0) {
        return BadArgument(call, "segment count " + std::to_string(count));
    }
    if (count > host::kMaxPathSegments) {
        return host::kErrorTooManySegments;
    }
    if (const host::Error error = Editable(*record)) {
        return error;
    }
    Edit(path).segments.resize(static_cast<std::size_t>(count), host::PathSegment{});
    return host::kNoError;
}

host::Error DocumentStore::SetSegments(std::string_view call, host::Art path, std::int32_t start,
                                       std::span<const host::PathSegment> segments) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, path, host::ArtType::kPath, &record)) {
        return error;
    }
    const std::size_t held = record->segments.size();
    if (start < 0 || static_cast<std::size_t>(start) > held ||
        segments.size() > held - static_cast<std::size_t>(start)) {
        return BadArgument(call, "segments " + std::to_string(start) + " to " +
                                     std::to_string(start + std::int64_t(segments.size())) +
                                     " of " + std::to_string(held));
    }
    if (const host::Error error = Editable(*record)) {
        return error;
    }
    std::copy(segments.begin(), segments.end(),
              Edit(path).segments.begin() + static_cast<std::ptrdiff_t>(start));
    return host::kNoError;
}

host::Error DocumentStore::SetClosed(std::string_view call, host::Art path, bool closed) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, path, host::ArtType::kPath, &record)) {
        return error;
    }
    if (const host::Error error = Editable(*record)) {
        return error;
    }
    Edit(path).closed = closed;
    return host::kNoError;
}

host::Error DocumentStore::CheckColor(std::string_view call, const host::Color& color,
                                      DocumentId document) {
    if (color.kind < host::ColorKind::kGray || color.kind > host::ColorKind::kRgb) {
        return BadArgument(call,
                           "colour kind " + std::to_string(static_cast<std::int32_t>(color.kind)));
    }
    if (color.kind != host::ColorKind::kCustom) {
        return host::kNoError;
    }
    const CustomColorRecord* custom = FindCustomColor(color.custom.color, call);
    if (custom == nullptr) {
        return host::kErrorBadHandle;
    }
    if (custom->document != document) {
        return BadArgument(call, "a custom colour of another document");
    }
    return host::kNoError;
}

host::Error DocumentStore::SetPathStyle(std::string_view call, host::Art art,
                                        const host::PathStyle& style) {
    const ArtRecord* record = FindArt(art, call);
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    if (!Styled(record->type)) {
        return host::kErrorWrongKind;
    }
    const DocumentId document = record->document;
    for (const host::Color* color : {&style.fill.color, &style.stroke.color}) {
        if (const host::Error error = CheckColor(call, *color, document)) {
            return error;
        }
    }
    if (!(style.stroke.width >= 0) || style.stroke.dash.count < 0 ||
        style.stroke.dash.count > host::kMaxDashLengths) {
        return BadArgument(call, "stroke width " + std::to_string(style.stroke.width) + " with " +
                                     std::to_string(style.stroke.dash.count) + " dash lengths");
    }
    if (const host::Error error = Editable(*art_.Peek(art))) {
        return error;
    }
    Edit(art).style = style;
    return host::kNoError;
}

host::Error DocumentStore::InsertText(std::string_view call, host::Art frame, std::size_t position,
                                      std::u16string_view text, const TextFeatures& features) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, frame, host::ArtType::kTextFrame, &record)) {
        return error;
    }
    if (position > record->text.characters.size()) {
        return BadArgument(call, "text position " + std::to_string(position) + " of " +
                                     std::to_string(record->text.characters.size()));
    }
    if (const host::Error error = Editable(*record)) {
        return error;
    }
    std::vector<TextCharacter> inserted;
    for (const char16_t unit : text) {
        inserted.push_back({unit, features.font.value_or(host::Font{}),
                            features.size.value_or(host::kDefaultTextSizePoints)});
    }
    TextContent& content = Edit(frame).text;
    content.characters.insert(content.characters.begin() + static_cast<std::ptrdiff_t>(position),
                              inserted.begin(), inserted.end());
    content.composed = false;
    return host::kNoError;
}

host::Error DocumentStore::SetTextFeatures(std::string_view call, host::Art frame,
                                           std::size_t begin, std::size_t end,
                                           const TextFeatures& features) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, frame, host::ArtType::kTextFrame, &record)) {
        return error;
    }
    if (begin > end || end > record->text.characters.size()) {
        return BadArgument(call, "text range " + std::to_string(begin) + " to " +
                                     std::to_string(end) + " of " +
                                     std::to_string(record->text.characters.size()));
    }
    if (const host::Error error = Editable(*record)) {
        return error;
    }
    TextContent& content = Edit(frame).text;
    for (std::size_t i = begin; i < end; ++i) {
        content.characters[i].font = features.font.value_or(content.characters[i].font);
        content.characters[i].size = features.size.value_or(content.characters[i].size);
    }
    content.composed = false;
    return host::kNoError;
}

host::Error DocumentStore::SetTextColor(std::string_view call, host::Art frame,
                                        const host::Color& color) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, frame, host::ArtType::kTextFrame, &record)) {
        return error;
    }
    if (const host::Error error = Editable(*record)) {
        return error;
    }
    Edit(frame).text.color = color;
    return host::kNoError;
}

void DocumentStore::BringArtUpToDate(DocumentId document) {
    for (const host::Layer layer : LiveDocument(document).layers) {
        ForEachArt(layers_.Peek(layer)->group, [this](host::Art art) {
            const ArtRecord& record = *art_.Peek(art);
            if (record.type == host::ArtType::kTextFrame && !record.text.composed) {
                Edit(art).text.composed = true;
            }
        });
    }
}

host::Error DocumentStore::CreateOutline(std::string_view call, host::Art frame,
                                         host::Art* outline) {
    const ArtRecord* record = nullptr;
    if (const host::Error error = FindOfType(call, frame, host::ArtType::kTextFrame, &record)) {
        return error;
    }
    if (!record->text.composed) {
        violations_.Record(ViolationKind::kBadArgument, call,
                           "outlines of text not brought up to date since it changed");
        return host::kErrorTextNotComposed;
    }
    const std::vector<host::RealRect> boxes = GlyphBoxes(record->text);
    host::PathStyle style = LiveDocument(record->document).currentStyle;
    style.fillPaint = true;
    style.fill = {record->text.color, false};
    style.strokePaint = false;
    host::Art group;
    if (const host::Error error =
            NewArt(call, host::ArtType::kGroup, host::PaintOrder::kAbove, frame, &group)) {
        return error;
    }
    for (const host::RealRect& box : boxes) {
        host::Art glyph;
        host::Art path;
        NewArt(call, host::ArtType::kGroup, host::PaintOrder::kInsideOnTop, group, &glyph);
        NewArt(call, host::ArtType::kPath, host::PaintOrder::kInsideOnTop, glyph, &path);
        ArtRecord& shape = Edit(path);
        shape.segments = GlyphPolygon(box);
        shape.closed = true;
        shape.style = style;
    }
    *outline = group;
    return host::kNoError;
}

host::CustomColor DocumentStore::NewCustomColor(DocumentId document, std::string name,
                                                const host::CustomColorDefinition& definition) {
    DocumentRecord& record = LiveDocument(document);
    const host::CustomColor color = customColors_.Issue({document, std::move(name), definition});
    record.customColors.push_back(color);
    return color;
}

const CustomColorRecord* DocumentStore::FindCustomColor(host::CustomColor color,
                                                        std::string_view call) {
    return customColors_.Find(color, call);
}

const ViewRecord* DocumentStore::FindView(host::DocumentView view, std::string_view call) {
    return views_.Find(view, call);
}

host::Error DocumentStore::SetViewCentre(std::string_view call, host::DocumentView view,
                                         host::RealPoint centre) {
    ViewRecord* record = views_.Find(view, call);
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    record->centre = centre;
    return host::kNoError;
}

host::Error DocumentStore::SetViewZoom(std::string_view call, host::DocumentView view,
                                       double zoom) {
    ViewRecord* record = views_.Find(view, call);
    if (record == nullptr) {
        return host::kErrorBadHandle;
    }
    if (!(zoom >= host::kMinViewZoom && zoom <= host::kMaxViewZoom)) {
        return BadArgument(call, "zoom " + std::to_string(zoom) + " outside the view's range");
    }
    record->zoom = zoom;
    return host::kNoError;
}

void DocumentStore::BeginPress() {
    press_.emplace();
}

void DocumentStore::EndPress() {
    press_.reset();
}

void DocumentStore::UndoPress() {
    if (!press_) {
        return;
    }
    bounds_.clear();
    // What was made during the press goes first, so that a slot it took is
    // free for what it replaced.
    for (const auto& [token, before] : press_->art) {
        if (!before && art_.Peek(host::Art{token}) != nullptr) {
            Journalize(host::Art{token});
            art_.Retire(host::Art{token}, kStoreCall);
        }
    }
    for (const auto& [token, before] : press_->layers) {
        if (!before && layers_.Peek(host::Layer{token}) != nullptr) {
            Journalize(host::Layer{token});
            layers_.Retire(host::Layer{token}, kStoreCall);
        }
    }
    for (const auto& [token, before] : press_->art) {
        if (before) {
            Journalize(host::Art{token});
            art_.Restore(host::Art{token}, *before);
        }
    }
    for (const auto& [token, before] : press_->layers) {
        if (before) {
            Journalize(host::Layer{token});
            layers_.Restore(host::Layer{token}, *before);
        }
    }
    press_.emplace();
}

void DocumentStore::BeginMessage() {
    message_.emplace();
}

bool DocumentStore::EndMessage() {
    if (!message_) {
        return false;
    }
    const Journal journal = std::move(*message_);
    message_.reset();
    const auto changed = [](const auto& entries, const auto& table, auto handleOf) {
        return std::any_of(entries.begin(), entries.end(), [&](const auto& entry) {
            const auto* now = table.Peek(handleOf(entry.first));
            return entry.second.has_value() != (now != nullptr) ||
                   (now != nullptr && !(*entry.second == *now));
        });
    };
    return changed(journal.art, art_, [](std::uint64_t token) { return host::Art{token}; }) ||
           changed(journal.layers, layers_, [](std::uint64_t token) { return host::Layer{token}; });
}

}  // namespace standin
