#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "DialogManager.h"
#include "DocumentSuites.h"
#include "FileDialogAnswerer.h"
#include "HostCore.h"
#include "MenuModel.h"
#include "NotifierModel.h"
#include "PlatformRecorder.h"
#include "Preferences.h"
#include "ToolModel.h"
#include "UserModel.h"
#include "document/DocumentStore.h"
#include "document/InstalledFonts.h"
#include "document/TextEngine.h"
#include "host/HostMessages.h"
#include "host/HostPlatform.h"

namespace standin {

struct StandInHostOptions {
    host::Generation generation = host::Generation::kCs3;
    // A store that outlives the host, so that the plug-in can be restarted on
    // it; without one the host keeps a store of its own.
    PreferenceStore* preferences = nullptr;
    FontCatalogue fonts = DefaultFontCatalogue();
};

// One message the host sent, in the order sending began.
struct SentMessage {
    std::string caller;
    std::string selector;
    std::uint64_t object;  // the token of the menu item, notifier or tool, else 0
    int depth;             // 0 for a message of the host's own, 1 for one sent inside it, ...
    bool returned;
    host::Error result;  // valid once returned
};

// The stand-in host around one plug-in: loads it, sends it messages and
// serves the suites over the core's catalogue, ledger, violations and
// faults. It owns the dialog manager, the documents, the fonts, the
// preferences (or uses a store that outlives it) and the user's answers to
// file dialogs: the one object a test or the driver program makes.
//
// Caller, selector and notifier type reach the plug-in in buffers allocated
// for that one message; they are never reused and are overwritten once the
// message returns, so code that compares or keeps the pointers fails. A
// message may be sent while another is under way (re-entry).
//
// The host sends the document notifiers: opened and closed as documents
// open and close, changed after each message of its own that left the
// documents different (the notifiers' own changes excepted). A tool's press
// opens the undo journal, which its release closes.
class StandInHost final : private DocumentEvents {
public:
    explicit StandInHost(StandInHostOptions options = {});
    ~StandInHost();
    StandInHost(const StandInHost&) = delete;
    StandInHost& operator=(const StandInHost&) = delete;

    // Loads the plug-in linked into this process: its entry, its resource
    // module and, when given, its platform observer's installer. A host
    // loads one plug-in; a second load throws std::logic_error.
    void LoadInProcess(host::PluginMainProc main, host::Module module,
                       host::InstallPlatformObserverProc install = nullptr);
    // Loads a plug-in library with dlopen, finding the exports of
    // HostPlatform.h. False, with the reason, when it cannot be loaded or
    // lacks PluginMain or its resource module.
    bool LoadLibrary(const std::string& path, std::string* reason = nullptr);
    host::PluginRef Plugin() const { return plugin_; }
    host::Module GetModule() const { return module_; }

    // What the host does when it launches: asks for the exported-suite
    // property ("SP Properties"/"Acquire" for 'ADBE'/'expt', handing a block
    // back with "Release" at once), sends "SP Interface"/"Startup" and then
    // broadcasts "AI Application Started Notifier". The first failure ends it
    // and is the result.
    host::Error Start();

    // Messages; each throws std::logic_error before a plug-in is loaded.
    host::Error SendInterface(std::string_view selector);
    host::Error SendAccess(std::string_view selector);
    // The caller fills vendor, key, id and (for "Release") the property.
    host::Error SendProperties(std::string_view selector, host::PropertiesMessage& message);
    host::Error SendMenu(host::MenuItem item, std::string_view selector);
    // Throws std::invalid_argument when there is no menu item of the name.
    host::Error SendMenu(std::string_view itemName, std::string_view selector);
    // "AI Notifier"/"AI Notify" to every notifier of the type, in the order
    // they were added; their results in that order.
    std::vector<host::Error> Notify(std::string_view type, void* data = nullptr);
    host::Error SendTool(host::Tool tool, std::string_view selector, host::RealPoint cursor = {},
                         std::uint32_t modifiers = 0);
    // Throws std::invalid_argument when there is no tool of the name.
    host::Error SendTool(std::string_view toolName, std::string_view selector,
                         host::RealPoint cursor = {}, std::uint32_t modifiers = 0);
    // Any message record that begins with the header, which the host fills.
    template <typename Message>
    host::Error Send(std::string_view caller, std::string_view selector, Message& message,
                     std::uint64_t object = 0) {
        return Deliver(caller, selector, message.header, &message, object);
    }

    const std::vector<SentMessage>& Messages() const { return messages_; }

    // The core's ledger, the file path objects and text engine references
    // still alive and the file dialog answers not used; "" when everything is
    // balanced.
    std::string Imbalance();

    HostCore& Core() { return core_; }
    DialogManager& Dialogs() { return dialogs_; }
    MenuModel& Menus() { return menus_; }
    NotifierModel& Notifiers() { return notifiers_; }
    ToolModel& Tools() { return tools_; }
    PreferenceModel& Preferences() { return preferences_; }
    InstalledFonts& Fonts() { return fonts_; }
    DocumentStore& Documents() { return documents_; }
    FileDialogAnswerer& FileDialogs() { return fileDialogs_; }
    PlatformRecorder& Platform() { return platform_; }

private:
    struct LibraryCloser {
        void operator()(void* library) const;
    };

    host::Error Deliver(std::string_view caller, std::string_view selector,
                        host::MessageHeader& header, void* message, std::uint64_t object);
    void DocumentOpened(DocumentId document) override;
    void DocumentClosed(DocumentId document) override;
    // Sends a document notifier, whose own changes send no further one.
    void NotifyDocument(std::string_view type);
    // A copy of the text in a buffer of its own, kept until the host goes so
    // that no later message gets the same address.
    char* FreshText(std::string_view text);
    // Overwrites the text once its message has returned.
    static void Spend(char* text);

    HostCore core_;
    DialogManager dialogs_{core_};
    std::unique_ptr<PreferenceStore> ownStore_;
    MenuModel menus_;
    NotifierModel notifiers_;
    ToolModel tools_;
    PreferenceModel preferences_;
    FileDialogAnswerer fileDialogs_;
    UserModel user_;
    InstalledFonts fonts_;
    DocumentStore documents_;
    TextEngine text_;
    DocumentSuites documentSuites_;
    PlatformRecorder platform_;

    host::PluginMainProc main_ = nullptr;
    host::InstallPlatformObserverProc install_ = nullptr;
    host::PluginRef plugin_;
    host::Module module_ = nullptr;
    std::unique_ptr<void, LibraryCloser> library_;
    std::vector<std::unique_ptr<char[]>> texts_;
    std::vector<SentMessage> messages_;
    int depth_ = 0;
    bool notifyingDocument_ = false;
};

}  // namespace standin
