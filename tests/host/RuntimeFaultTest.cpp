#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "RuntimeScene.h"
#include "host/AiSuites.h"

namespace {

using runtimetest::RuntimeScene;

constexpr host::Error kInjected = host::FourCharCode("FAIL");
constexpr std::uint64_t kUntouchedToken = 0x0BADF00D;
constexpr std::size_t kNameBytes = 64;

template <typename Suite>
const Suite& Get(RuntimeScene& scene, const host::SuiteVersions& suite) {
    return scene.Acquire<Suite>(suite);
}

struct Injection {
    const host::SuiteVersions& suite;
    const char* function;
    // Makes the call and says whether its results and the model are as before.
    std::function<host::Error(RuntimeScene&, bool* unchanged)> call;
};

host::Error AddItem(RuntimeScene& s, host::MenuItem* item) {
    const host::MenuItemData data{host::kMenuGroupToolPalettes, "Text"};
    return Get<host::AiMenuSuite>(s, host::kAiMenuSuite)
        .AddMenuItem(s.host.Plugin(), "Item", &data, 1, item);
}

host::Error AddTool(RuntimeScene& s, host::Tool* tool) {
    const host::ToolData data{"Title", "Tip", {}, host::kToolNew, host::kToolNew};
    return Get<host::AiToolSuite>(s, host::kAiToolSuite)
        .AddTool(s.host.Plugin(), "Tool", &data, 0, tool);
}

host::Error AddNotifier(RuntimeScene& s, host::Notifier* notifier) {
    return Get<host::AiNotifierSuite>(s, host::kAiNotifierSuite)
        .AddNotifier(s.host.Plugin(), "Notifier", host::kApplicationStartedNotifier, notifier);
}

// A failure injected into a host function is answered as arranged, changes
// nothing, leaves the caller's results alone and is no violation.
TEST(RuntimeFaults, FailTheCallsTheyAreInjectedInto) {
    const Injection cases[] = {
        {host::kAiMenuSuite, "CountMenuGroups",
         [](RuntimeScene& s, bool* unchanged) {
             std::int32_t count = -1;
             const host::Error e =
                 Get<host::AiMenuSuite>(s, host::kAiMenuSuite).CountMenuGroups(&count);
             *unchanged = count == -1;
             return e;
         }},
        {host::kAiMenuSuite, "AddMenuItem",
         [](RuntimeScene& s, bool* unchanged) {
             host::MenuItem item{kUntouchedToken};
             const host::Error e = AddItem(s, &item);
             *unchanged = item.token == kUntouchedToken && s.host.Menus().Items().empty();
             return e;
         }},
        {host::kAiMenuSuite, "AddMenuGroupAsSubMenu",
         [](RuntimeScene& s, bool* unchanged) {
             host::MenuItem item;
             AddItem(s, &item);
             host::MenuGroup group{kUntouchedToken};
             const host::Error e = Get<host::AiMenuSuite>(s, host::kAiMenuSuite)
                                       .AddMenuGroupAsSubMenu("Group", 0, item, &group);
             *unchanged = group.token == kUntouchedToken && s.host.Menus().Groups().size() == 2;
             return e;
         }},
        {host::kAiMenuSuite, "SetItemText",
         [](RuntimeScene& s, bool* unchanged) {
             host::MenuItem item;
             AddItem(s, &item);
             const host::Error e =
                 Get<host::AiMenuSuite>(s, host::kAiMenuSuite).SetItemText(item, "Other");
             *unchanged = s.host.Menus().FindItem("Item")->text == "Text";
             return e;
         }},
        {host::kAiNotifierSuite, "AddNotifier",
         [](RuntimeScene& s, bool* unchanged) {
             host::Notifier notifier{kUntouchedToken};
             const host::Error e = AddNotifier(s, &notifier);
             *unchanged =
                 notifier.token == kUntouchedToken && s.host.Notifiers().Notifiers().empty();
             return e;
         }},
        {host::kAiToolSuite, "AddTool",
         [](RuntimeScene& s, bool* unchanged) {
             host::Tool tool{kUntouchedToken};
             const host::Error e = AddTool(s, &tool);
             *unchanged = tool.token == kUntouchedToken && s.host.Tools().Tools().empty();
             return e;
         }},
        {host::kAiToolSuite, "GetToolNumberFromName",
         [](RuntimeScene& s, bool* unchanged) {
             host::Tool tool;
             AddTool(s, &tool);
             std::int32_t number = -1;
             const host::Error e = Get<host::AiToolSuite>(s, host::kAiToolSuite)
                                       .GetToolNumberFromName("Tool", &number);
             *unchanged = number == -1;
             return e;
         }},
        {host::kAiToolSuite, "SetSecondIcon",
         [](RuntimeScene& s, bool* unchanged) {
             host::Tool tool;
             AddTool(s, &tool);
             const host::Error e =
                 Get<host::AiToolSuite>(s, host::kAiToolSuite).SetSecondIcon(tool, host::Icon{7});
             *unchanged = !s.host.Tools().FindTool("Tool")->secondIcon;
             return e;
         }},
        {host::kAiPreferenceSuite, "PutIntegerPreference",
         [](RuntimeScene& s, bool* unchanged) {
             const host::Error e = Get<host::AiPreferenceSuite>(s, host::kAiPreferenceSuite)
                                       .PutIntegerPreference("Section", "Key", 1);
             *unchanged = s.host.Preferences().Store().Size() == 0;
             return e;
         }},
        {host::kAiPreferenceSuite, "GetStringPreference",
         [](RuntimeScene& s, bool* unchanged) {
             s.host.Preferences().Store().Put("Section", "Key", std::string("Stored"));
             char text[kNameBytes] = "untouched";
             const host::Error e = Get<host::AiPreferenceSuite>(s, host::kAiPreferenceSuite)
                                       .GetStringPreference("Section", "Key", text, sizeof text);
             *unchanged = std::strcmp(text, "untouched") == 0;
             return e;
         }},
        {host::kAiUserSuite, "StringToNumber",
         [](RuntimeScene& s, bool* unchanged) {
             float value = -1;
             const host::Error e =
                 Get<host::AiUserSuite>(s, host::kAiUserSuite).StringToNumber("271", &value);
             *unchanged = value == -1;
             return e;
         }},
        {host::kAiLayerSuite, "DeselectArtOnLayer",
         [](RuntimeScene& s, bool* unchanged) {
             standin::DocumentStore& store = s.host.Documents();
             const standin::DocumentId document = store.OpenNew({"", 1, 1, {{"Ebene 1"}}});
             const host::Layer layer = store.Document(document).layers[0];
             const host::Art group = store.PeekLayer(layer)->group;
             host::Art path;
             store.NewArt("test", host::ArtType::kPath, host::PaintOrder::kInsideOnTop, group,
                          &path);
             store.SetSelected("test", path, true);
             const host::Error e =
                 Get<host::AiLayerSuite>(s, host::kAiLayerSuite).DeselectArtOnLayer(layer);
             *unchanged = store.PeekArt(path)->selected;
             return e;
         }},
        {host::kAiDocumentSuite, "GetDocumentFilePath",
         [](RuntimeScene& s, bool* unchanged) {
             s.host.Documents().OpenNew({"/documents/labels.ai", 1, 1, {{"Ebene 1"}}});
             const auto& paths = Get<host::AiFilePathSuite>(s, host::kAiFilePathSuite);
             host::FilePath path;
             paths.NewFilePath(&path);
             const host::Error e =
                 Get<host::AiDocumentSuite>(s, host::kAiDocumentSuite).GetDocumentFilePath(path);
             *unchanged = paths.IsEmpty(path);
             paths.DisposeFilePath(path);
             return e;
         }},
        {host::kAiFontSuite, "GetTypefaceName",
         [](RuntimeScene& s, bool* unchanged) {
             char name[kNameBytes] = "untouched";
             const host::Error e =
                 Get<host::AiFontSuite>(s, host::kAiFontSuite)
                     .GetTypefaceName(s.host.Fonts().FontNamed("OCRB"), name, sizeof name);
             *unchanged = std::strcmp(name, "untouched") == 0;
             return e;
         }},
    };
    for (const Injection& c : cases) {
        SCOPED_TRACE(std::string(c.suite.name) + " " + c.function);
        RuntimeScene scene;
        scene.host.Core().GetFaults().FailCall(c.suite.name, c.function, kInjected);
        bool unchanged = false;
        EXPECT_EQ(c.call(scene, &unchanged), kInjected);
        EXPECT_TRUE(unchanged);
        scene.ExpectBalancedAndClean();
    }
}

// Adds under the name, starting from a handle of the token, and gives back
// the token the call left.
template <typename Handle>
host::Error AddWithToken(host::Error (*add)(RuntimeScene&, Handle*), RuntimeScene& scene,
                         std::uint64_t* token) {
    Handle handle{*token};
    const host::Error error = add(scene, &handle);
    *token = handle.token;
    return error;
}

struct Registration {
    const char* what;
    const char* name;
    std::function<host::Error(RuntimeScene&, std::uint64_t* token)> add;
    std::function<std::size_t(RuntimeScene&)> registered;
};

// A refused registration answers the code and no handle; refused with 0 it
// answers success and a null handle. Either way nothing is registered.
TEST(RuntimeFaults, RefuseRegistrationsByName) {
    const Registration kinds[] = {
        {"menu item", "Item",
         [](RuntimeScene& s, std::uint64_t* token) { return AddWithToken(AddItem, s, token); },
         [](RuntimeScene& s) { return s.host.Menus().Items().size(); }},
        {"tool", "Tool",
         [](RuntimeScene& s, std::uint64_t* token) { return AddWithToken(AddTool, s, token); },
         [](RuntimeScene& s) { return s.host.Tools().Tools().size(); }},
        {"notifier", "Notifier",
         [](RuntimeScene& s, std::uint64_t* token) { return AddWithToken(AddNotifier, s, token); },
         [](RuntimeScene& s) { return s.host.Notifiers().Notifiers().size(); }},
    };
    struct Refusal {
        host::Error code;
        std::uint64_t token;
    };
    const Refusal refusals[] = {{kInjected, kUntouchedToken}, {host::kNoError, 0}};
    for (const Registration& kind : kinds) {
        for (const Refusal& refusal : refusals) {
            SCOPED_TRACE(std::string(kind.what) + " refused with " + std::to_string(refusal.code));
            RuntimeScene scene;
            scene.host.Core().GetFaults().RefuseRegistration(kind.name, refusal.code);
            std::uint64_t token = kUntouchedToken;
            EXPECT_EQ(kind.add(scene, &token), refusal.code);
            EXPECT_EQ(token, refusal.token);
            EXPECT_EQ(kind.registered(scene), 0u);
            scene.host.Core().GetFaults().Clear();
            EXPECT_EQ(kind.add(scene, &token), host::kNoError);
            EXPECT_EQ(kind.registered(scene), 1u);
            scene.ExpectBalancedAndClean();
        }
    }
}

struct TextAnswer {
    const char* what;
    const char* text;  // what the call answers
    std::function<host::Error(RuntimeScene&, char* buffer, std::size_t size)> call;
};

// A text answered into the caller's buffer needs room for its NUL; without
// it the call fails and leaves the buffer alone.
TEST(RuntimeFaults, AnswerTextsOnlyWhenTheyFit) {
    const TextAnswer cases[] = {
        {"menu group name", host::kMenuGroupToolPalettes,
         [](RuntimeScene& s, char* buffer, std::size_t size) {
             const auto& menus = Get<host::AiMenuSuite>(s, host::kAiMenuSuite);
             host::MenuGroup group;
             menus.GetNthMenuGroup(0, &group);
             return menus.GetMenuGroupName(group, buffer, size);
         }},
        {"style name", "Bold",
         [](RuntimeScene& s, char* buffer, std::size_t size) {
             return Get<host::AiFontSuite>(s, host::kAiFontSuite)
                 .GetStyleName(s.host.Fonts().FontNamed("GillSans-Bold"), buffer, size);
         }},
        {"string preference", "VettrinReport",
         [](RuntimeScene& s, char* buffer, std::size_t size) {
             s.host.Preferences().Store().Put("M7LCheckDialog", "ReportNamePrefix",
                                              std::string("VettrinReport"));
             return Get<host::AiPreferenceSuite>(s, host::kAiPreferenceSuite)
                 .GetStringPreference("M7LCheckDialog", "ReportNamePrefix", buffer, size);
         }},
        {"number text", "-108",
         [](RuntimeScene& s, char* buffer, std::size_t size) {
             return Get<host::AiUserSuite>(s, host::kAiUserSuite)
                 .NumberToString(-108.0f, 0, buffer, size);
         }},
        {"platform path", "/documents/labels.ai",
         [](RuntimeScene& s, char* buffer, std::size_t size) {
             s.host.Documents().OpenNew({"/documents/labels.ai", 1, 1, {{"Ebene 1"}}});
             const auto& paths = Get<host::AiFilePathSuite>(s, host::kAiFilePathSuite);
             host::FilePath path;
             paths.NewFilePath(&path);
             Get<host::AiDocumentSuite>(s, host::kAiDocumentSuite).GetDocumentFilePath(path);
             const host::Error e = paths.GetPlatformPath(path, buffer, size);
             paths.DisposeFilePath(path);
             return e;
         }},
    };
    for (const TextAnswer& c : cases) {
        SCOPED_TRACE(c.what);
        const std::size_t length = std::strlen(c.text);
        RuntimeScene scene;
        char buffer[kNameBytes];
        std::strcpy(buffer, "untouched");
        EXPECT_EQ(c.call(scene, buffer, length), host::kErrorTextTooLong);
        EXPECT_STREQ(buffer, "untouched");
        EXPECT_EQ(c.call(scene, buffer, length + 1), host::kNoError);
        EXPECT_STREQ(buffer, c.text);
        scene.ExpectBalancedAndClean();
    }
}

}  // namespace
