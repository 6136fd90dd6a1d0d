// The plug-in's own resources as the host reads them.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "DialogScene.h"
#include "PlatformRecorder.h"

namespace {

using dialogtest::DialogScene;

const M7LResourceModule& Resources() {
    return *StriveloResourceModule();
}

bool Overlap(const host::Rect& a, const host::Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Every template becomes a dialog with each of its items, of its kind, text
// and state, inside the dialog and clear of the others, and nothing the host
// refuses (an unknown picture, units or precision).
TEST(StriveloResources, EveryTemplateLoadsWithItsItems) {
    ASSERT_GT(Resources().dialogCount, 0u);
    for (std::size_t t = 0; t < Resources().dialogCount; ++t) {
        const M7LDialogTemplate& resource = Resources().dialogs[t];
        SCOPED_TRACE(resource.id);
        DialogScene scene;
        const host::Dialog dialog =
            scene.Floating(static_cast<std::int32_t>(resource.id), resource.name);
        ASSERT_TRUE(dialog);
        const standin::DialogSnapshot view = scene.dialogs.View(dialog);
        EXPECT_NE(view.title, "");
        ASSERT_EQ(view.items.size(), resource.itemCount);
        for (std::size_t i = 0; i < resource.itemCount; ++i) {
            const M7LDialogItemTemplate& item = resource.items[i];
            SCOPED_TRACE(item.id);
            const standin::ItemSnapshot& seen = view.items.at(item.id);
            EXPECT_EQ(static_cast<int>(seen.kind), static_cast<int>(item.kind));
            if (seen.kind != host::ItemKind::kNumberEdit) {
                EXPECT_EQ(seen.text, item.text);
            }
            EXPECT_EQ(seen.enabled, (item.flags & kM7LItemDisabled) == 0);
            EXPECT_EQ(seen.visible, (item.flags & kM7LItemHidden) == 0);
            EXPECT_EQ(seen.picture, item.picture);
            EXPECT_GE(seen.bounds.left, 0);
            EXPECT_GE(seen.bounds.top, 0);
            EXPECT_LE(seen.bounds.right, resource.width);
            EXPECT_LE(seen.bounds.bottom, resource.height);
            EXPECT_LT(seen.bounds.left, seen.bounds.right);
            EXPECT_LT(seen.bounds.top, seen.bounds.bottom);
            for (const auto& [id, other] : view.items) {
                EXPECT_TRUE(id == item.id || !Overlap(seen.bounds, other.bounds)) << id;
            }
        }
        scene.dialog_->Destroy(dialog);
        scene.ExpectCleanEnd();
    }
}

struct Expected {
    std::int32_t dialog;
    std::int32_t item;
    host::ItemKind kind;
    std::int32_t precision;
    std::int32_t units;
    bool unitEntry;
    bool enabled;
    bool visible;
};

// The items the palettes and dialogs work with, as they expect them.
TEST(StriveloResources, ItemsAsThePalettesUseThem) {
    using K = host::ItemKind;
    constexpr std::int32_t kPt = host::kUnitsPoints;
    constexpr std::int32_t kNone = host::kUnitsNone;
    const Expected expected[] = {
        {16000, -5, K::kSideMenu, 0, kNone, false, true, true},
        {16000, 6, K::kStaticText, 0, kNone, false, false, true},
        {16000, 12, K::kPopup, 0, kNone, false, true, true},
        {16000, 13, K::kPictureButton, 0, kNone, false, true, true},
        {16000, 14, K::kTextEdit, 0, kNone, false, true, true},
        {16000, 15, K::kPicture, 0, kNone, false, true, false},
        {16000, 16, K::kNumberEdit, 4, kPt, true, true, true},
        {16000, 17, K::kPicture, 0, kNone, false, true, false},
        {16000, 18, K::kNumberEdit, 2, host::kUnitsPercent, false, true, true},
        {16000, 19, K::kPicture, 0, kNone, false, true, false},
        {16000, 20, K::kNumberEdit, 3, kPt, true, true, true},
        {16000, 21, K::kPicture, 0, kNone, false, true, false},
        {16000, 22, K::kNumberEdit, 3, kNone, false, false, true},
        {16000, 23, K::kPicture, 0, kNone, false, true, false},
        {16000, 24, K::kStaticText, 3, kPt, true, true, false},
        {16000, 25, K::kStaticText, 3, kPt, true, true, false},
        {16000, 27, K::kPictureToggle, 0, kNone, false, true, true},
        {16000, 28, K::kPictureToggle, 0, kNone, false, true, true},
        {16000, 29, K::kPictureToggle, 0, kNone, false, true, true},
        {16000, 30, K::kNumberEdit, 1, kNone, false, false, true},
        {16000, 33, K::kPictureToggle, 0, kNone, false, true, true},
        {16000, 34, K::kPictureToggle, 0, kNone, false, true, true},
        {16100, 1, K::kButton, 0, kNone, false, true, true},
        {16101, 1, K::kButton, 0, kNone, false, true, true},
        {16101, 4, K::kCheckBox, 0, kNone, false, true, true},
        {16102, 1, K::kButton, 0, kNone, false, true, true},
        {16102, 4, K::kCheckBox, 0, kNone, false, true, true},
        {16104, 1, K::kButton, 0, kNone, false, true, true},
        {16104, 4, K::kStaticText, 0, kNone, false, true, true},
        {16300, 1, K::kButton, 0, kNone, false, true, true},
        {16300, 2, K::kPopup, 0, kNone, false, true, true},
        {16300, 3, K::kPopup, 0, kNone, false, true, true},
        {16300, 4, K::kListBox, 0, kNone, false, true, true},
        {16300, 5, K::kButton, 0, kNone, false, true, true},
        {17005, 1, K::kButton, 0, kNone, false, true, true},
        {17005, 16, K::kPicture, 0, kNone, false, true, true},
        {26000, -5, K::kSideMenu, 0, kNone, false, true, true},
        {26000, 1, K::kListBox, 0, kNone, false, true, true},
        {26000, 2, K::kPictureButton, 0, kNone, false, true, true},
        {26000, 3, K::kPictureButton, 0, kNone, false, true, true},
        {26000, 4, K::kPictureButton, 0, kNone, false, true, true},
        {26000, 5, K::kPictureButton, 0, kNone, false, true, true},
        {26000, 6, K::kPicture, 0, kNone, false, true, true},
        {26000, 7, K::kStaticText, 0, kNone, false, true, true},
        {26000, 8, K::kStaticText, 0, kNone, false, true, true},
        {26000, 9, K::kPicture, 0, kNone, false, true, true},
        {26100, 1, K::kButton, 0, kNone, false, true, true},
        {26100, 2, K::kButton, 0, kNone, false, true, true},
        {26100, 4, K::kTextEdit, 0, kNone, false, true, true},
        {26100, 5, K::kButton, 0, kNone, false, true, true},
        {26100, 6, K::kButton, 0, kNone, false, true, true},
        {26100, 7, K::kButton, 0, kNone, false, true, true},
        {26100, 9, K::kStaticText, 0, kNone, false, true, true},
        {26100, 11, K::kStaticText, 0, kNone, false, true, true},
        {26100, 13, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 14, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 16, K::kNumberEdit, 0, kNone, false, true, true},
        {26100, 17, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 18, K::kTextEdit, 0, kNone, false, true, true},
        {26100, 19, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 20, K::kPopup, 0, kNone, false, true, true},
        {26100, 21, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 23, K::kNumberEdit, 4, kPt, false, true, true},
        {26100, 24, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 25, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 26, K::kNumberEdit, 2, host::kUnitsPercent, false, true, true},
        {26100, 29, K::kNumberEdit, 2, host::kUnitsPercent, false, true, true},
        {26100, 31, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 32, K::kNumberEdit, 3, kPt, false, true, true},
        {26100, 34, K::kNumberEdit, 3, kPt, false, true, true},
        {26100, 35, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 36, K::kNumberEdit, 3, kNone, false, true, true},
        {26100, 38, K::kNumberEdit, 3, kNone, false, true, true},
        {26100, 39, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 41, K::kNumberEdit, 5, kPt, false, true, true},
        {26100, 42, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 43, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 44, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 45, K::kCheckBox, 0, kNone, false, true, true},
        {26100, 46, K::kCheckBox, 0, kNone, false, true, true},
        {26300, 1, K::kButton, 0, kNone, false, true, true},
        {26300, 2, K::kStaticText, 0, kNone, false, true, true},
        {26300, 3, K::kStaticText, 0, kNone, false, true, true},
        {26300, 4, K::kStaticText, 0, kNone, false, true, true},
        {26301, 1, K::kButton, 0, kNone, false, true, true},
        {26301, 2, K::kButton, 0, kNone, false, true, true},
        {26301, 3, K::kNumberEdit, 4, kPt, false, true, true},
        {26400, 1, K::kButton, 0, kNone, false, true, true},
        {26400, 2, K::kButton, 0, kNone, false, true, true},
        {26400, 4, K::kPopup, 0, kNone, false, true, true},
        {26400, 6, K::kPopup, 0, kNone, false, true, true},
        {26400, 8, K::kTextEdit, 0, kNone, false, true, true},
        {26400, 9, K::kCheckBox, 0, kNone, false, true, true},
        {26400, 10, K::kTextEdit, 0, kNone, false, true, true},
        {26400, 11, K::kCheckBox, 0, kNone, false, true, true},
    };
    DialogScene scene;
    for (const Expected& e : expected) {
        SCOPED_TRACE(testing::Message() << e.dialog << "/" << e.item);
        const host::Dialog dialog = scene.Floating(e.dialog);
        ASSERT_TRUE(dialog);
        const standin::ItemSnapshot item = scene.dialogs.View(dialog).items.at(e.item);
        EXPECT_EQ(item.kind, e.kind);
        EXPECT_EQ(item.precision, e.precision);
        EXPECT_EQ(item.units, e.units);
        EXPECT_EQ(item.unitEntry, e.unitEntry);
        EXPECT_EQ(item.enabled, e.enabled);
        EXPECT_EQ(item.visible, e.visible);
        scene.dialog_->Destroy(dialog);
    }
    scene.ExpectCleanEnd();
}

// A menu loads into a list with its entries in order, entry i with id
// i + 1, separators where the palettes expect them.
TEST(StriveloResources, MenusLoadWithTheirEntries) {
    struct Case {
        std::int32_t menu;
        std::size_t count;
        std::vector<std::int32_t> separators;  // their ids
    };
    const Case cases[] = {
        {16001, 10, {3, 5, 9}}, {16002, 28, {19, 27}}, {26001, 4, {2}},
        {26002, 27, {19, 26}},  {26003, 3, {}},        {26004, 5, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.menu);
        DialogScene scene;
        const host::Dialog dialog = scene.Floating(16000);
        const host::Item popup = scene.ItemOf(dialog, 12);
        ASSERT_EQ(scene.list_->LoadMenu(scene.item_->GetList(popup), scene.plugin, c.menu),
                  host::kNoError);
        const standin::ItemSnapshot view = scene.dialogs.View(dialog).items.at(12);
        ASSERT_EQ(view.entries.size(), c.count);
        for (std::size_t i = 0; i < c.count; ++i) {
            const standin::EntrySnapshot& entry = view.entries[i];
            EXPECT_EQ(entry.id, static_cast<std::int32_t>(i) + 1);
            const bool separator = std::ranges::find(c.separators, entry.id) != c.separators.end();
            EXPECT_EQ(entry.separator, separator) << entry.id;
            EXPECT_EQ(entry.text.empty(), separator) << entry.id;
        }
        scene.dialog_->Destroy(dialog);
        scene.ExpectCleanEnd();
    }
}

// Every entry of a string list, from its first index to its last, and none
// around them.
TEST(StriveloResources, StringListsHaveEveryEntry) {
    struct Case {
        std::int32_t list;
        std::int32_t first;
        std::int32_t last;
    };
    const Case cases[] = {{16000, 1, 2}, {16010, 1, 4}, {16020, 1, 6}, {26000, 1, 4},
                          {26010, 1, 8}, {26020, 2, 5}, {26030, 1, 2}, {26900, 1, 1}};
    DialogScene scene;
    for (const Case& c : cases) {
        for (std::int32_t index = 1; index <= c.last + 1; ++index) {
            const bool there = index >= c.first && index <= c.last;
            char text[256] = {};
            EXPECT_EQ(scene.basic_->GetIndexString(scene.plugin, c.list, index, text, sizeof text),
                      there)
                << c.list << "/" << index;
            EXPECT_EQ(text[0] != 0, there) << c.list << "/" << index;
        }
    }
    scene.ExpectCleanEnd();
}

// The misspellings of the texts the resources were written from stay out.
TEST(StriveloResources, TextsWithoutKnownMisspellings) {
    const std::string_view misspellings[] = {"künnen", "kännen", "benätigt", "insbeondere",
                                             "häher",  "gräßer", "läschen",  "Boundig"};
    std::vector<std::string_view> texts;
    for (std::size_t i = 0; i < Resources().stringCount; ++i) {
        texts.push_back(Resources().strings[i].text);
    }
    for (std::size_t t = 0; t < Resources().dialogCount; ++t) {
        const M7LDialogTemplate& dialog = Resources().dialogs[t];
        texts.push_back(dialog.title);
        for (std::size_t i = 0; i < dialog.itemCount; ++i) {
            texts.push_back(dialog.items[i].text);
        }
    }
    for (std::size_t m = 0; m < Resources().menuCount; ++m) {
        const M7LResourceMenu& menu = Resources().menus[m];
        for (std::size_t i = 0; i < menu.entryCount; ++i) {
            texts.push_back(menu.entries[i].text);
        }
    }
    for (const std::string_view text : texts) {
        for (const std::string_view misspelling : misspellings) {
            EXPECT_EQ(text.find(misspelling), std::string_view::npos) << text;
        }
    }
}

// The tools' cursors are resources; another id is refused.
TEST(StriveloResources, TheToolsCursors) {
    DialogScene scene;
    standin::PlatformRecorder platform(scene.core.GetViolations());
    platform.SetModule(&Resources());
    platform.SetCursor(&Resources(), 16001);
    platform.SetCursor(&Resources(), 16002);
    platform.SetCursor(&Resources(), 16003);
    EXPECT_EQ(platform.Cursors(), (std::vector<std::int32_t>{16001, 16002}));
    scene.ExpectOneViolation(standin::ViolationKind::kBadArgument, "platform SetCursor");
    scene.ExpectCleanEnd();
}

}  // namespace
