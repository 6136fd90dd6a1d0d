#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "FileText.h"
#include "StoreScene.h"
#include "SvgReader.h"
#include "SvgWriter.h"
#include "TempFolder.h"

namespace svgtest {

inline host::Color Gray(float gray) {
    host::Color color{};
    color.kind = host::ColorKind::kGray;
    color.gray = gray;
    return color;
}

inline host::Color Rgb(float red, float green, float blue) {
    host::Color color{};
    color.kind = host::ColorKind::kRgb;
    color.rgb = {red, green, blue};
    return color;
}

inline host::Color Cmyk(float cyan, float magenta, float yellow, float black) {
    host::Color color{};
    color.kind = host::ColorKind::kCmyk;
    color.cmyk = {cyan, magenta, yellow, black};
    return color;
}

inline host::Color Custom(host::CustomColor custom, float tint) {
    host::Color color{};
    color.kind = host::ColorKind::kCustom;
    color.custom = {custom, tint};
    return color;
}

inline host::Color OfKind(host::ColorKind kind) {
    host::Color color{};
    color.kind = kind;
    return color;
}

// A bar as the generator paints it: filled black, not stroked.
inline host::PathStyle BarStyle() {
    host::PathStyle style = standin::DefaultPathStyle();
    style.fill = {Gray(1.0f), true};
    style.strokePaint = false;
    return style;
}

// A store with one open document, and a folder for files.
struct SvgScene : storetest::StoreScene {
    using StoreScene::StoreScene;

    std::string Save(standin::DocumentId id, const std::string& name = "document.svg") {
        const std::string path = folder / name;
        const std::string error = standin::SaveSvgDocument(store, fonts, id, path);
        EXPECT_EQ(error, "");
        return path;
    }
    standin::SvgOpened Open(const std::string& path, const standin::SvgLimits& limits = {}) {
        return standin::OpenSvgDocument(store, fonts, path, limits);
    }
    // Opens the text as a file.
    standin::SvgOpened OpenFile(const std::string& text, const standin::SvgLimits& limits = {}) {
        WriteFile(folder / "in.svg", text);
        return Open(folder / "in.svg", limits);
    }
    // The document of the text, with the test failing when it does not
    // open.
    standin::DocumentId OpenText(const std::string& text) {
        const standin::SvgOpened opened = OpenFile(text);
        EXPECT_EQ(opened.error, "");
        return opened.document;
    }
    // The art of the document's first layer.
    std::vector<host::Art> TopArt(standin::DocumentId id) const {
        return store.PeekArt(store.PeekLayer(store.Document(id).layers.at(0))->group)->children;
    }

    TempFolder folder;
};

}  // namespace svgtest
