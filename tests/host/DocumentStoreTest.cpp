#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "StoreScene.h"
#include "document/TextEngine.h"

namespace {

using standin::ViolationKind;
using storetest::Corner;
using storetest::kCall;
using storetest::Rectangle;
using storetest::StoreScene;

// Art named by the tests, and the layer's group as "layer".
class Names {
public:
    explicit Names(StoreScene& scene) : scene_(scene) { art_["layer"] = scene.LayerGroup(); }

    host::Art operator[](const std::string& name) const { return art_.at(name); }
    void Add(const std::string& name, host::Art art) { art_[name] = art; }

    // The children of the art by name, a container with its own in brackets.
    std::string Tree(host::Art art) const {
        std::string text;
        for (const host::Art child : scene_.Children(art)) {
            text += (text.empty() ? "" : " ") + NameOf(child);
            if (scene_.Record(child).type == host::ArtType::kGroup) {
                text += "(" + Tree(child) + ")";
            }
        }
        return text;
    }

private:
    std::string NameOf(host::Art art) const {
        for (const auto& [name, named] : art_) {
            if (named == art) {
                return name;
            }
        }
        return "?";
    }

    StoreScene& scene_;
    std::map<std::string, host::Art> art_;
};

struct Placement {
    const char* name;
    host::ArtType type;
    host::PaintOrder order;
    const char* by;
};

constexpr host::ArtType kPath = host::ArtType::kPath;
constexpr host::ArtType kGroup = host::ArtType::kGroup;
constexpr host::PaintOrder kOnTop = host::PaintOrder::kInsideOnTop;
constexpr host::PaintOrder kAbove = host::PaintOrder::kAbove;
constexpr host::PaintOrder kBelow = host::PaintOrder::kBelow;

void Place(StoreScene& scene, Names& names, const std::vector<Placement>& steps) {
    for (const Placement& step : steps) {
        names.Add(step.name, scene.Make(step.type, step.order, names[step.by]));
    }
}

// Children are kept back to front: "inside, on top" appends, "above" puts
// the art directly after the other, "below" directly before it.
TEST(DocumentStore, PlacesNewArtInPaintOrder) {
    struct Case {
        const char* what;
        std::vector<Placement> steps;
        std::string tree;
    };
    const Case cases[] = {
        {"inside on top appends",
         {{"a", kPath, kOnTop, "layer"},
          {"b", kPath, kOnTop, "layer"},
          {"c", kPath, kOnTop, "layer"}},
         "a b c"},
        {"above goes directly after",
         {{"a", kPath, kOnTop, "layer"}, {"b", kPath, kOnTop, "layer"}, {"c", kPath, kAbove, "a"}},
         "a c b"},
        {"above the last is on top",
         {{"a", kPath, kOnTop, "layer"}, {"b", kPath, kOnTop, "layer"}, {"c", kPath, kAbove, "b"}},
         "a b c"},
        {"below goes directly before",
         {{"a", kPath, kOnTop, "layer"}, {"b", kPath, kOnTop, "layer"}, {"c", kPath, kBelow, "b"}},
         "a c b"},
        {"inside a group",
         {{"g", kGroup, kOnTop, "layer"},
          {"a", kPath, kOnTop, "g"},
          {"b", kPath, kOnTop, "layer"},
          {"c", kPath, kOnTop, "g"}},
         "g(a c) b"},
        {"above art in a group stays in the group",
         {{"g", kGroup, kOnTop, "layer"},
          {"a", kPath, kOnTop, "g"},
          {"b", kPath, kOnTop, "g"},
          {"c", kPath, kAbove, "a"}},
         "g(a c b)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        Names names(scene);
        Place(scene, names, c.steps);
        EXPECT_EQ(names.Tree(names["layer"]), c.tree);
        for (const Placement& step : c.steps) {
            const host::Art parent = scene.Record(names[step.name]).parent;
            EXPECT_TRUE(parent == names[step.by] || parent == scene.Record(names[step.by]).parent);
        }
        scene.ExpectNoViolations();
    }
}

TEST(DocumentStore, ReordersArtWithWhatItHolds) {
    struct Case {
        const char* what;
        const char* art;
        host::PaintOrder order;
        const char* by;
        std::string tree;
    };
    const Case cases[] = {
        {"above a later sibling", "a", kAbove, "c", "b c a g(d e)"},
        {"above the next sibling", "a", kAbove, "b", "b a c g(d e)"},
        {"below the next sibling stays", "a", kBelow, "b", "a b c g(d e)"},
        {"below an earlier sibling", "c", kBelow, "a", "c a b g(d e)"},
        {"into a group, on top", "b", kOnTop, "g", "a c g(d e b)"},
        {"out of a group, above", "d", kAbove, "a", "a d b c g(e)"},
        {"a group with its art", "g", kBelow, "a", "g(d e) a b c"},
    };
    const std::vector<Placement> start = {
        {"a", kPath, kOnTop, "layer"}, {"b", kPath, kOnTop, "layer"},
        {"c", kPath, kOnTop, "layer"}, {"g", kGroup, kOnTop, "layer"},
        {"d", kPath, kOnTop, "g"},     {"e", kPath, kOnTop, "g"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        Names names(scene);
        Place(scene, names, start);
        EXPECT_EQ(scene.store.ReorderArt(kCall, names[c.art], c.order, names[c.by]),
                  host::kNoError);
        EXPECT_EQ(names.Tree(names["layer"]), c.tree);
        const host::Art parent = scene.Record(names[c.art]).parent;
        EXPECT_NE(
            std::find(scene.Children(parent).begin(), scene.Children(parent).end(), names[c.art]),
            scene.Children(parent).end());
        scene.ExpectNoViolations();
    }
}

struct Mistake {
    const char* what;
    std::function<host::Error(StoreScene&, Names&)> act;
    ViolationKind kind;
    host::Error answer;
};

// Each mistake is answered with the error and recorded once; the document
// stays as it was.
TEST(DocumentStore, RefusesMistakesAsViolations) {
    const std::vector<Placement> start = {
        {"a", kPath, kOnTop, "layer"},
        {"g", kGroup, kOnTop, "layer"},
        {"d", kPath, kOnTop, "g"},
        {"cp", host::ArtType::kCompoundPath, kOnTop, "layer"},
    };
    const auto make = [](host::ArtType type, host::PaintOrder order, const char* by) {
        return [type, order, by](StoreScene& s, Names& n) {
            host::Art art;
            return s.store.NewArt(kCall, type, order, by ? n[by] : host::Art{}, &art);
        };
    };
    const Mistake cases[] = {
        {"new art by no art", make(kPath, kOnTop, nullptr), ViolationKind::kForeignHandle,
         host::kErrorBadHandle},
        {"new art inside a path", make(kPath, kOnTop, "a"), ViolationKind::kBadArgument,
         host::kErrorBadArgument},
        {"new art beside a layer's group", make(kPath, kAbove, "layer"),
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"a group into a compound path", make(kGroup, kOnTop, "cp"), ViolationKind::kBadArgument,
         host::kErrorBadArgument},
        {"text frame made as plain art", make(host::ArtType::kTextFrame, kOnTop, "layer"),
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"unknown paint order", make(kPath, host::PaintOrder{0}, "layer"),
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"group moved into art it holds",
         [](StoreScene& s, Names& n) { return s.store.ReorderArt(kCall, n["g"], kAbove, n["d"]); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"art placed by itself",
         [](StoreScene& s, Names& n) { return s.store.ReorderArt(kCall, n["a"], kAbove, n["a"]); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"layer's group disposed",
         [](StoreScene& s, Names& n) { return s.store.DisposeArt(kCall, n["layer"]); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"disposed art disposed again",
         [](StoreScene& s, Names& n) {
             s.store.DisposeArt(kCall, n["a"]);
             return s.store.DisposeArt(kCall, n["a"]);
         },
         ViolationKind::kStaleHandle, host::kErrorBadHandle},
        {"art inside a disposed group",
         [](StoreScene& s, Names& n) {
             s.store.DisposeArt(kCall, n["g"]);
             return s.store.SetSelected(kCall, n["d"], true);
         },
         ViolationKind::kStaleHandle, host::kErrorBadHandle},
        {"segments beyond the count",
         [](StoreScene& s, Names& n) {
             const host::PathSegment segment = Corner(1, 2);
             return s.store.SetSegments(kCall, n["a"], 0, {&segment, 1});
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"negative segment count",
         [](StoreScene& s, Names& n) { return s.store.SetSegmentCount(kCall, n["a"], -1); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"opacity above 1",
         [](StoreScene& s, Names& n) { return s.store.SetOpacity(kCall, n["a"], 1.5); },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"unknown blend mode",
         [](StoreScene& s, Names& n) {
             return s.store.SetBlendMode(kCall, n["a"], host::BlendMode{16});
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
        {"zoom beyond the range",
         [](StoreScene& s, Names&) {
             const host::DocumentView view = s.store.Document(s.document).views.at(0);
             return s.store.SetViewZoom(kCall, view, host::kMaxViewZoom * 2);
         },
         ViolationKind::kBadArgument, host::kErrorBadArgument},
    };
    for (const Mistake& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        Names names(scene);
        Place(scene, names, start);
        EXPECT_EQ(c.act(scene, names), c.answer);
        const auto& all = scene.violations.All();
        ASSERT_EQ(all.size(), 1u) << testing::PrintToString(all);
        EXPECT_EQ(all[0].kind, c.kind) << all[0];
        EXPECT_EQ(all[0].call, kCall);
    }
}

// Answers that are no mistake of the caller: art of another kind, a locked
// or hidden layer, a path too long. Nothing is recorded, nothing changes.
TEST(DocumentStore, AnswersErrorsThatAreNoMistake) {
    struct Case {
        const char* what;
        bool lock;  // the layer locked after the art was made
        std::function<host::Error(StoreScene&, Names&)> act;
        host::Error answer;
    };
    const host::PathStyle style = standin::DefaultPathStyle();
    const Case cases[] = {
        {"segments of a group", false,
         [](StoreScene& s, Names& n) { return s.store.SetSegmentCount(kCall, n["g"], 4); },
         host::kErrorWrongKind},
        {"style of a group", false,
         [style](StoreScene& s, Names& n) { return s.store.SetPathStyle(kCall, n["g"], style); },
         host::kErrorWrongKind},
        {"more segments than a path holds", false,
         [](StoreScene& s, Names& n) {
             return s.store.SetSegmentCount(kCall, n["a"], host::kMaxPathSegments + 1);
         },
         host::kErrorTooManySegments},
        {"new art on a locked layer", true,
         [](StoreScene& s, Names& n) {
             host::Art art;
             return s.store.NewArt(kCall, kPath, kOnTop, n["layer"], &art);
         },
         host::kErrorLayerLockedOrHidden},
        {"segments on a locked layer", true,
         [](StoreScene& s, Names& n) { return s.store.SetSegmentCount(kCall, n["a"], 4); },
         host::kErrorLayerLockedOrHidden},
        {"style on a locked layer", true,
         [style](StoreScene& s, Names& n) { return s.store.SetPathStyle(kCall, n["a"], style); },
         host::kErrorLayerLockedOrHidden},
        {"art moved on a locked layer", true,
         [](StoreScene& s, Names& n) { return s.store.ReorderArt(kCall, n["a"], kAbove, n["g"]); },
         host::kErrorLayerLockedOrHidden},
        {"art disposed on a locked layer", true,
         [](StoreScene& s, Names& n) { return s.store.DisposeArt(kCall, n["a"]); },
         host::kErrorLayerLockedOrHidden},
        {"tag on a locked layer", true,
         [](StoreScene& s, Names& n) {
             return s.store.SetTag(kCall, n["a"], "Name", {"string", "value"});
         },
         host::kErrorLayerLockedOrHidden},
        {"selection on a locked layer", true,
         [](StoreScene& s, Names& n) { return s.store.SetSelected(kCall, n["a"], true); },
         host::kNoError},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        Names names(scene);
        Place(scene, names, {{"a", kPath, kOnTop, "layer"}, {"g", kGroup, kOnTop, "layer"}});
        if (c.lock) {
            scene.store.SetLayerFlag(kCall, scene.Layer(), &standin::LayerRecord::editable, false);
        }
        scene.store.BeginMessage();
        EXPECT_EQ(c.act(scene, names), c.answer);
        EXPECT_EQ(scene.store.EndMessage(), c.answer == host::kNoError);
        scene.ExpectNoViolations();
    }
}

// Hidden layers are not edited either; a document being built is, whatever
// its layers.
TEST(DocumentStore, EditsArtOfHiddenLayersOnlyWhileBuilding) {
    StoreScene scene({{"Versteckt", false, true}});
    host::Art art;
    EXPECT_EQ(scene.store.NewArt(kCall, kPath, kOnTop, scene.LayerGroup(), &art),
              host::kErrorLayerLockedOrHidden);
    const standin::DocumentId built =
        scene.store.NewDocument({"", 100, 100, {{"Gesperrt", true, false}}});
    const host::Art group = scene.store.PeekLayer(scene.store.Document(built).layers[0])->group;
    EXPECT_EQ(scene.store.NewArt(kCall, kPath, kOnTop, group, &art), host::kNoError);
    scene.store.Open(built);
    EXPECT_EQ(scene.store.SetSegmentCount(kCall, art, 2), host::kErrorLayerLockedOrHidden);
    scene.ExpectNoViolations();
}

struct BoundsCase {
    const char* what;
    std::vector<host::PathSegment> segments;
    bool closed;
    bool filled;
    float strokeWidth;  // 0: not stroked
    host::LineCap cap;
    host::RealRect bounds;
};

host::PathStyle StyleOf(const BoundsCase& c) {
    host::PathStyle style = standin::DefaultPathStyle();
    style.fillPaint = c.filled;
    style.strokePaint = c.strokeWidth > 0;
    style.stroke.width = c.strokeWidth;
    style.stroke.cap = c.cap;
    return style;
}

// A path's bounds are its anchors' box (exactly, for the rectangles the
// generator draws), the curve's where it has handles; a stroke widens them
// across each segment by half its width, and along a two-point line only
// for caps that reach beyond its ends.
TEST(DocumentStore, MeasuresPathBounds) {
    constexpr host::LineCap kButt = host::LineCap::kButt;
    constexpr host::LineCap kRound = host::LineCap::kRound;
    constexpr host::LineCap kProjecting = host::LineCap::kProjecting;
    const host::PathSegment bulge = {{0, 0}, {0, 0}, {0, 40}, true};
    const host::PathSegment bulgeEnd = {{100, 0}, {100, 40}, {100, 0}, true};
    const BoundsCase cases[] = {
        {"filled rectangle",
         Rectangle(100.1f, 200.3f, 101.41732f, 228.34646f),
         true,
         true,
         0,
         kButt,
         {100.1f, 228.34646f, 101.41732f, 200.3f}},
        {"open filled rectangle",
         Rectangle(10, 20, 30, 60),
         false,
         true,
         0,
         kButt,
         {10, 60, 30, 20}},
        {"stroked rectangle", Rectangle(10, 20, 30, 60), true, false, 2, kButt, {9, 61, 31, 19}},
        {"vertical line, butt caps",
         {Corner(50, 10), Corner(50, 70)},
         false,
         false,
         3,
         kButt,
         {48.5f, 70, 51.5f, 10}},
        {"vertical line, round caps",
         {Corner(50, 10), Corner(50, 70)},
         false,
         false,
         3,
         kRound,
         {48.5f, 71.5f, 51.5f, 8.5f}},
        {"horizontal line, projecting caps",
         {Corner(10, 50), Corner(70, 50)},
         false,
         false,
         4,
         kProjecting,
         {8, 52, 72, 48}},
        {"closed two-point line, as the feedback line",
         {Corner(50, 10), Corner(50, 70)},
         true,
         false,
         1,
         kButt,
         {49.5f, 70, 50.5f, 10}},
        {"unstroked line",
         {Corner(50, 10), Corner(50, 70)},
         false,
         false,
         0,
         kRound,
         {50, 70, 50, 10}},
        {"curve reaching beyond its anchors",
         {bulge, bulgeEnd},
         false,
         true,
         0,
         kButt,
         {0, 30, 100, 0}},
    };
    for (const BoundsCase& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        const host::Art path = scene.MakePath(scene.LayerGroup(), c.segments, c.closed);
        ASSERT_EQ(scene.store.SetPathStyle(kCall, path, StyleOf(c)), host::kNoError);
        host::RealRect bounds{};
        ASSERT_EQ(scene.store.Bounds(kCall, path, &bounds), host::kNoError);
        EXPECT_EQ(bounds, c.bounds)
            << bounds.left << " " << bounds.top << " " << bounds.right << " " << bounds.bottom;
        scene.ExpectNoViolations();
    }
}

// A container's bounds are the union of its children's; without geometry
// there are none.
TEST(DocumentStore, MeasuresContainersAsTheUnionOfTheirArt) {
    StoreScene scene;
    host::PathStyle filled = standin::DefaultPathStyle();
    filled.strokePaint = false;
    scene.store.SetCurrentPathStyle(scene.document, filled);
    const host::Art group = scene.Make(kGroup, kOnTop, scene.LayerGroup());
    const host::Art empty = scene.Make(kGroup, kOnTop, scene.LayerGroup());
    const host::Art emptyPath = scene.Make(kPath, kOnTop, scene.LayerGroup());
    const host::Art legacy = scene.Make(host::ArtType::kLegacyText, kOnTop, scene.LayerGroup());
    const host::Art compound = scene.Make(host::ArtType::kCompoundPath, kOnTop, group);
    scene.MakePath(compound, Rectangle(10, 20, 30, 60));
    scene.MakePath(compound, Rectangle(-5, 30, 0, 35));
    scene.MakePath(group, Rectangle(40, 0, 45, 50));
    scene.Make(kGroup, kOnTop, group);  // empty, adds nothing
    for (const host::Art art : {scene.LayerGroup(), group}) {
        host::RealRect bounds{};
        ASSERT_EQ(scene.store.Bounds(kCall, art, &bounds), host::kNoError);
        EXPECT_EQ(bounds, (host::RealRect{-5, 60, 45, 0}));
    }
    host::RealRect bounds{};
    ASSERT_EQ(scene.store.Bounds(kCall, compound, &bounds), host::kNoError);
    EXPECT_EQ(bounds, (host::RealRect{-5, 60, 30, 20}));
    const host::RealRect untouched{1, 2, 3, 4};
    for (const host::Art art : {empty, emptyPath, legacy}) {
        bounds = untouched;
        EXPECT_EQ(scene.store.Bounds(kCall, art, &bounds), host::kErrorNoGeometry);
        EXPECT_EQ(bounds, untouched);
    }
    scene.ExpectNoViolations();
}

// Bounds asked once stay right after any change below: of the art itself,
// of what it holds, of where it is, an undo, and the fonts text is laid out
// with.
TEST(DocumentStore, KeepsBoundsUpToDateWithEveryChange) {
    struct Parts {
        host::Art group;  // holding inner and wide
        host::Art inner;  // holding bar
        host::Art bar;
        host::Art wide;
        host::Art text;  // in the layer, beside the group
    };
    struct Case {
        const char* what;
        std::function<void(StoreScene&, const Parts&)> change;
        host::RealRect group;
        host::RealRect layer;
    };
    // "II" at 10 pt from (60, 100) in a Helvetica whose I is 1 em wide.
    const standin::FontCatalogue wideI = {
        {"Helvetica", {{"Helvetica", "Regular", standin::DefaultFontMetrics(), 1.0f}}}};
    constexpr float kTextTop = 100 + host::kDefaultCapHeightEm * 10.0f;
    const auto addI = [](StoreScene& s, host::Art frame, std::size_t at) {
        return s.store.InsertText(kCall, frame, at, u"II", {s.fonts.FontNamed("Helvetica"), 10.0f});
    };
    const Case cases[] = {
        {"nothing", [](StoreScene&, const Parts&) {}, {10, 60, 45, 0}, {10, kTextTop, 80, 0}},
        {"a bar's segments",
         [](StoreScene& s, const Parts& p) {
             s.store.SetSegments(kCall, p.bar, 0, Rectangle(0, 20, 30, 60));
         },
         {0, 60, 45, 0},
         {0, kTextTop, 80, 0}},
        {"a stroke widening a path",
         [](StoreScene& s, const Parts& p) {
             host::PathStyle style = standin::DefaultPathStyle();
             style.stroke.width = 2;
             s.store.SetPathStyle(kCall, p.wide, style);
         },
         {10, 60, 46, -1},
         {10, kTextTop, 80, -1}},
        {"a path made deep inside",
         [](StoreScene& s, const Parts& p) { s.MakePath(p.inner, Rectangle(100, 100, 110, 120)); },
         {10, 120, 110, 0},
         {10, 120, 110, 0}},
        {"a path disposed",
         [](StoreScene& s, const Parts& p) { s.store.DisposeArt(kCall, p.bar); },
         {40, 50, 45, 0},
         {40, kTextTop, 80, 0}},
        {"a path moved out of the group",
         [](StoreScene& s, const Parts& p) {
             s.store.ReorderArt(kCall, p.bar, kOnTop, s.LayerGroup());
         },
         {40, 50, 45, 0},
         {10, kTextTop, 80, 0}},
        {"text moved into the group",
         [](StoreScene& s, const Parts& p) { s.store.ReorderArt(kCall, p.text, kOnTop, p.inner); },
         {10, kTextTop, 80, 0},
         {10, kTextTop, 80, 0}},
        {"text inserted",
         [addI](StoreScene& s, const Parts& p) { addI(s, p.text, 2); },
         {10, 60, 45, 0},
         {10, kTextTop, 100, 0}},
        {"a change undone",
         [](StoreScene& s, const Parts& p) {
             s.store.BeginPress();
             s.store.SetSegments(kCall, p.bar, 0, Rectangle(0, 20, 30, 60));
             host::RealRect moved{};
             s.store.Bounds(kCall, p.group, &moved);
             s.store.UndoPress();
             s.store.EndPress();
         },
         {10, 60, 45, 0},
         {10, kTextTop, 80, 0}},
        {"the fonts replaced, the text's font gone",
         [](StoreScene& s, const Parts&) { s.fonts.SetCatalogue(standin::DefaultFontCatalogue()); },
         {10, 60, 45, 0},
         {10, kTextTop, 60 + 2 * host::kDefaultAdvanceEm * 10, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        scene.fonts.SetCatalogue(wideI);
        host::PathStyle filled = standin::DefaultPathStyle();
        filled.strokePaint = false;
        scene.store.SetCurrentPathStyle(scene.document, filled);
        Parts parts{};
        parts.group = scene.Make(kGroup, kOnTop, scene.LayerGroup());
        parts.inner = scene.Make(kGroup, kOnTop, parts.group);
        parts.bar = scene.MakePath(parts.inner, Rectangle(10, 20, 30, 60));
        parts.wide = scene.MakePath(parts.group, Rectangle(40, 0, 45, 50));
        ASSERT_EQ(
            scene.store.NewPointText(kCall, kOnTop, scene.LayerGroup(),
                                     host::TextOrientation::kHorizontal, {60, 100}, &parts.text),
            host::kNoError);
        ASSERT_EQ(addI(scene, parts.text, 0), host::kNoError);
        host::RealRect bounds{};
        for (const host::Art art :
             {scene.LayerGroup(), parts.group, parts.inner, parts.bar, parts.wide, parts.text}) {
            ASSERT_EQ(scene.store.Bounds(kCall, art, &bounds), host::kNoError);
        }
        EXPECT_EQ(bounds, (host::RealRect{60, kTextTop, 80, 100}));
        c.change(scene, parts);
        ASSERT_EQ(scene.store.Bounds(kCall, parts.group, &bounds), host::kNoError);
        EXPECT_EQ(bounds, c.group);
        ASSERT_EQ(scene.store.Bounds(kCall, scene.LayerGroup(), &bounds), host::kNoError);
        EXPECT_EQ(bounds, c.layer);
        scene.ExpectNoViolations();
    }
}

// Undoing a press reverts everything since it, layer flags included: the
// document is the one before the press, its art under the same handles;
// what was made during the press is gone for good.
TEST(DocumentStore, UndoesAPressWhole) {
    StoreScene scene({{"Hintergrund"}, {"Barcodes", false, false}});
    const host::Art group = scene.Make(kGroup, kOnTop, scene.LayerGroup(0));
    const host::Art kept = scene.MakePath(group, Rectangle(0, 0, 10, 10));
    const host::Art disposed = scene.MakePath(group, Rectangle(20, 0, 30, 10));
    const host::Art moved = scene.MakePath(scene.LayerGroup(0), Rectangle(40, 0, 50, 10));
    scene.store.SetSelected(kCall, kept, true);
    const storetest::Content before = scene.Snapshot();

    scene.store.BeginPress();
    scene.store.SetLayerFlag(kCall, scene.Layer(1), &standin::LayerRecord::visible, true);
    scene.store.SetLayerFlag(kCall, scene.Layer(1), &standin::LayerRecord::editable, true);
    const host::Art feedback = scene.MakePath(scene.LayerGroup(1), {Corner(0, 0), Corner(0, 100)});
    host::PathStyle style = standin::DefaultPathStyle();
    style.fillPaint = false;
    EXPECT_EQ(scene.store.SetPathStyle(kCall, kept, style), host::kNoError);
    EXPECT_EQ(scene.store.SetSegments(kCall, kept, 1, std::vector{Corner(0, 20)}), host::kNoError);
    EXPECT_EQ(scene.store.SetTag(kCall, kept, "Name", {"string", "Wert"}), host::kNoError);
    EXPECT_EQ(scene.store.DisposeArt(kCall, disposed), host::kNoError);
    const host::Art inDisposedSlot = scene.Make(kPath, kOnTop, group);
    EXPECT_EQ(scene.store.ReorderArt(kCall, moved, kOnTop, group), host::kNoError);
    scene.store.DeselectLayer(kCall, scene.Layer(0));
    scene.store.UndoPress();

    EXPECT_TRUE(scene.Snapshot() == before);
    EXPECT_EQ(scene.store.PeekArt(feedback), nullptr);
    EXPECT_EQ(scene.store.PeekArt(inDisposedSlot), nullptr);
    EXPECT_EQ(scene.Record(disposed).parent, group);
    EXPECT_EQ(scene.Record(moved).parent, scene.LayerGroup(0));
    scene.store.UndoPress();  // nothing pending any more
    EXPECT_TRUE(scene.Snapshot() == before);
    scene.store.EndPress();
    scene.ExpectNoViolations();
}

TEST(DocumentStore, UndoesNothingOutsideAPress) {
    StoreScene scene;
    const host::Art path = scene.MakePath(scene.LayerGroup(), Rectangle(0, 0, 10, 10));
    scene.store.BeginPress();
    scene.store.EndPress();
    scene.store.SetSelected(kCall, path, true);
    const storetest::Content before = scene.Snapshot();
    scene.store.UndoPress();
    EXPECT_TRUE(scene.Snapshot() == before);
    scene.ExpectNoViolations();
}

// A message changed the documents when something is different after it,
// not merely touched.
TEST(DocumentStore, TellsWhetherAMessageChangedTheDocuments) {
    struct Case {
        const char* what;
        std::function<void(StoreScene&, host::Art)> act;
        bool changed;
    };
    const Case cases[] = {
        {"nothing", [](StoreScene&, host::Art) {}, false},
        {"selected", [](StoreScene& s, host::Art a) { s.store.SetSelected(kCall, a, true); }, true},
        {"selected and deselected",
         [](StoreScene& s, host::Art a) {
             s.store.SetSelected(kCall, a, true);
             s.store.SetSelected(kCall, a, false);
         },
         false},
        {"a layer shown that was shown",
         [](StoreScene& s, host::Art) {
             s.store.SetLayerFlag(kCall, s.Layer(), &standin::LayerRecord::visible, true);
         },
         false},
        {"a layer locked",
         [](StoreScene& s, host::Art) {
             s.store.SetLayerFlag(kCall, s.Layer(), &standin::LayerRecord::editable, false);
         },
         true},
        {"art made and disposed",
         [](StoreScene& s, host::Art) {
             s.store.DisposeArt(kCall, s.Make(kPath, kOnTop, s.LayerGroup()));
         },
         false},
        {"art disposed", [](StoreScene& s, host::Art a) { s.store.DisposeArt(kCall, a); }, true},
        {"a press undone within the message",
         [](StoreScene& s, host::Art) {
             s.store.BeginPress();
             s.Make(kPath, kOnTop, s.LayerGroup());
             s.store.UndoPress();
         },
         false},
        {"a view zoomed",
         [](StoreScene& s, host::Art) {
             s.store.SetViewZoom(kCall, s.store.Document(s.document).views[0], 2.0);
         },
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        const host::Art path = scene.MakePath(scene.LayerGroup(), Rectangle(0, 0, 10, 10));
        scene.store.BeginMessage();
        c.act(scene, path);
        EXPECT_EQ(scene.store.EndMessage(), c.changed);
        scene.ExpectNoViolations();
    }
}

// Tokens are kept by the plug-in across messages: through any number of
// makes, disposes and undos a kept token finds its own art or is stale.
TEST(DocumentStore, KeepsHandlesExactOrStale) {
    constexpr int kRounds = 70000;
    StoreScene scene;
    const host::Art kept = scene.MakePath(scene.LayerGroup(), Rectangle(0, 0, 1, 1));
    scene.store.SetTag(kCall, kept, "Name", {"string", "kept"});
    std::vector<host::Art> gone;
    for (int i = 0; i < kRounds; ++i) {
        gone.push_back(scene.Make(kPath, kOnTop, scene.LayerGroup()));
        scene.store.DisposeArt(kCall, gone.back());
    }
    scene.store.BeginPress();
    const host::Art undone = scene.Make(kPath, kOnTop, scene.LayerGroup());
    scene.store.UndoPress();
    gone.push_back(undone);
    const host::Art later = scene.Make(host::ArtType::kGroup, kOnTop, scene.LayerGroup());
    for (const host::Art art : gone) {
        ASSERT_EQ(scene.store.PeekArt(art), nullptr) << art.token;
    }
    EXPECT_EQ(scene.Record(kept).tags.at("Name").value, "kept");
    EXPECT_EQ(scene.Record(later).type, host::ArtType::kGroup);
    EXPECT_EQ(scene.Children(scene.LayerGroup()), (std::vector<host::Art>{kept, later}));
    scene.ExpectNoViolations();
}

class RecordingEvents : public standin::DocumentEvents {
public:
    void DocumentOpened(standin::DocumentId document) override {
        log.push_back("opened " + std::to_string(document.token));
    }
    void DocumentClosed(standin::DocumentId document) override {
        log.push_back("closed " + std::to_string(document.token));
    }
    std::vector<std::string> log;
};

// Several documents: the last opened is current; closing one makes its
// handles stale and the last opened of the others current; a document
// never opened is discarded unheard.
TEST(DocumentStore, KeepsSeveralDocuments) {
    StoreScene scene;
    RecordingEvents events;
    scene.store.SetEvents(&events);
    const host::Art first = scene.Make(kPath, kOnTop, scene.LayerGroup());
    const standin::DocumentId second = scene.store.OpenNew({"", 100, 100, {{"A"}}});
    const standin::DocumentId third = scene.store.OpenNew({"", 100, 100, {{"B"}}});
    const standin::DocumentId built = scene.store.NewDocument({"", 100, 100, {{"C"}}});
    EXPECT_EQ(scene.store.Current(), third);
    scene.store.SetCurrent(second);
    scene.store.Close(second);
    EXPECT_EQ(scene.store.Current(), third);
    scene.store.Close(built);
    scene.store.Close(third);
    EXPECT_EQ(scene.store.Current(), scene.document);
    EXPECT_EQ(scene.Record(first).document, scene.document);
    const host::Layer layer = scene.Layer();
    scene.store.Close(scene.document);
    EXPECT_EQ(scene.store.Current(), standin::DocumentId{});
    EXPECT_EQ(scene.store.PeekArt(first), nullptr);
    EXPECT_EQ(scene.store.PeekLayer(layer), nullptr);
    const auto token = [](standin::DocumentId d) { return std::to_string(d.token); };
    EXPECT_EQ(events.log,
              (std::vector<std::string>{"opened " + token(second), "opened " + token(third),
                                        "closed " + token(second), "closed " + token(third),
                                        "closed " + token(scene.document)}));
    EXPECT_THROW(scene.store.Open(scene.store.NewDocument({})), std::logic_error);
    scene.ExpectNoViolations();
}

// Features set on an empty range go to the text inserted after it, also
// to more inserted later; set on text, they change it. Without them,
// inserted text takes the features of the character before it, or the
// defaults. Every reference is released.
TEST(TextEngine, GivesInsertedTextTheFeaturesOfItsRange) {
    struct Case {
        const char* what;
        std::u16string before;  // in the frame already, in Helvetica 10 pt
        const char* font;       // set on the range over the frame's text, or none
        float size;             // set on that range, or 0
        const char* expectedFont;
        float expectedSize;
    };
    const Case cases[] = {
        {"font and size on the empty range", u"", "OCRB", 20, "OCRB", 20},
        {"size only on the empty range", u"", nullptr, 8, nullptr, 8},
        {"nothing set", u"", nullptr, 0, nullptr, host::kDefaultTextSizePoints},
        {"nothing set, after text", u"A", nullptr, 0, "Helvetica", 10},
        {"size set on the text before", u"A", nullptr, 7, "Helvetica", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        StoreScene scene;
        standin::TextEngine text(scene.violations, scene.store, scene.fonts);
        host::Art frame;
        ASSERT_EQ(scene.store.NewPointText(kCall, kOnTop, scene.LayerGroup(),
                                           host::TextOrientation::kHorizontal, {10, 20}, &frame),
                  host::kNoError);
        scene.store.InsertText(kCall, frame, 0, c.before,
                               {scene.fonts.FontNamed("Helvetica"), 10.0f});
        host::TextRange range;
        host::CharFeatures features;
        host::TextFont font;
        ASSERT_EQ(text.NewRange(kCall, frame, &range), host::kNoError);
        ASSERT_EQ(text.NewFeatures(&features), host::kNoError);
        if (c.font != nullptr) {
            ASSERT_EQ(text.NewFont(kCall, scene.fonts.FontNamed(c.font), &font), host::kNoError);
            ASSERT_EQ(text.SetFont(kCall, features, font), host::kNoError);
            ASSERT_EQ(text.ReleaseFont(kCall, font), host::kNoError);
        }
        if (c.size > 0) {
            ASSERT_EQ(text.SetSize(kCall, features, c.size), host::kNoError);
        }
        ASSERT_EQ(text.SetLocalFeatures(kCall, range, features), host::kNoError);
        ASSERT_EQ(text.ReleaseFeatures(kCall, features), host::kNoError);
        ASSERT_EQ(text.InsertAfter(kCall, range, u"1"), host::kNoError);
        ASSERT_EQ(text.InsertAfter(kCall, range, u"2"), host::kNoError);
        ASSERT_EQ(text.ReleaseRange(kCall, range), host::kNoError);
        EXPECT_EQ(text.Outstanding(), 0u);
        const std::vector<standin::TextCharacter>& characters = scene.Record(frame).text.characters;
        ASSERT_EQ(characters.size(), c.before.size() + 2);
        const host::Font expected =
            c.expectedFont ? scene.fonts.FontNamed(c.expectedFont) : host::Font{};
        for (const standin::TextCharacter& character : characters) {
            EXPECT_EQ(character.font, expected);
            EXPECT_EQ(character.size, c.expectedSize);
        }
        scene.ExpectNoViolations();
    }
}

// Outlines are one group directly above the frame, with one group per
// glyph that has ink, each holding one closed non-rectangular polygon
// filled with the text colour; only text brought up to date since it last
// changed is outlined.
TEST(DocumentStore, OutlinesTextAsOneGroupOfPolygonsPerGlyph) {
    StoreScene scene;
    const host::Art group = scene.Make(kGroup, kOnTop, scene.LayerGroup());
    const host::Art before = scene.MakePath(group, Rectangle(0, 0, 1, 1));
    host::Art frame;
    ASSERT_EQ(scene.store.NewPointText(kCall, kOnTop, group, host::TextOrientation::kHorizontal,
                                       {100, 200}, &frame),
              host::kNoError);
    const host::Art after = scene.MakePath(group, Rectangle(0, 0, 1, 1));
    const host::Font helvetica = scene.fonts.FontNamed("Helvetica");
    ASSERT_EQ(scene.store.InsertText(kCall, frame, 0, u"A1 -", {helvetica, 10.0f}), host::kNoError);
    host::Art outline;
    EXPECT_EQ(scene.store.CreateOutline(kCall, frame, &outline), host::kErrorTextNotComposed);
    ASSERT_EQ(scene.violations.Count(ViolationKind::kBadArgument), 1u);
    scene.violations.Clear();

    scene.store.BringArtUpToDate(scene.document);
    ASSERT_EQ(scene.store.CreateOutline(kCall, frame, &outline), host::kNoError);
    EXPECT_EQ(scene.Children(group), (std::vector<host::Art>{before, frame, outline, after}));
    const std::vector<host::Art> glyphs = scene.Children(outline);
    ASSERT_EQ(glyphs.size(), 3u);  // "A", "1" and "-": the blank has no ink
    // Each glyph spans its advance: A 0.6 em, 1 0.556 em, blank 0.278 em.
    const float lefts[] = {100, 106, 114.34f};
    const float rights[] = {106, 111.56f, 120.34f};
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(scene.Record(glyphs[i]).type, kGroup);
        ASSERT_EQ(scene.Children(glyphs[i]).size(), 1u);
        const standin::ArtRecord& path = scene.Record(scene.Children(glyphs[i])[0]);
        EXPECT_EQ(path.type, kPath);
        EXPECT_TRUE(path.closed);
        EXPECT_EQ(path.segments.size(), 6u);
        EXPECT_TRUE(path.style.fillPaint);
        EXPECT_EQ(path.style.fill.color, scene.Record(frame).text.color);
        EXPECT_FALSE(path.style.strokePaint);
        host::RealRect bounds{};
        ASSERT_EQ(scene.store.Bounds(kCall, glyphs[i], &bounds), host::kNoError);
        EXPECT_NEAR(bounds.left, lefts[i], 1e-3);
        EXPECT_NEAR(bounds.right, rights[i], 1e-3);
        EXPECT_EQ(bounds.bottom, 200);
        EXPECT_NEAR(bounds.top, 200 + host::kDefaultCapHeightEm * 10, 1e-4);
    }
    EXPECT_EQ(scene.Record(frame).text.color.kind, host::ColorKind::kGray);
    EXPECT_EQ(scene.Record(frame).text.color.gray, 1.0f);

    scene.store.InsertText(kCall, frame, 4, u"2", {helvetica, 10.0f});
    EXPECT_EQ(scene.store.CreateOutline(kCall, frame, &outline), host::kErrorTextNotComposed);
    EXPECT_EQ(scene.violations.Count(ViolationKind::kBadArgument), 1u);
}

}  // namespace
