#include "StandInHost.h"

#include <dlfcn.h>

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <utility>

#include "host/HostPolicies.h"

namespace standin {

namespace {

// What a spent caller, selector or type text is overwritten with.
constexpr char kSpentTextFill = '#';

template <typename Proc>
Proc FindExport(void* library, const char* name) {
    return reinterpret_cast<Proc>(dlsym(library, name));
}

}  // namespace

void StandInHost::LibraryCloser::operator()(void* library) const {
    dlclose(library);
}

StandInHost::StandInHost(StandInHostOptions options)
    : core_(options.generation),
      ownStore_(options.preferences ? nullptr : std::make_unique<PreferenceStore>()),
      menus_(core_),
      notifiers_(core_),
      tools_(core_),
      preferences_(core_, options.preferences ? *options.preferences : *ownStore_),
      user_(core_, fileDialogs_),
      fonts_(core_.GetViolations(), std::move(options.fonts)),
      documents_(core_.GetViolations(), fonts_),
      text_(core_.GetViolations(), documents_, fonts_),
      documentSuites_(core_, documents_, fonts_, text_),
      platform_(core_.GetViolations()) {
    documents_.SetEvents(this);
}

StandInHost::~StandInHost() {
    documents_.SetEvents(nullptr);
    if (install_ != nullptr) {
        install_(nullptr);
    }
}

void StandInHost::LoadInProcess(host::PluginMainProc main, host::Module module,
                                host::InstallPlatformObserverProc install) {
    if (main_ != nullptr) {
        throw std::logic_error("the stand-in host has loaded a plug-in already");
    }
    if (main == nullptr) {
        throw std::invalid_argument("no PluginMain to load");
    }
    main_ = main;
    module_ = module;
    plugin_ = core_.AddPlugin(module);
    platform_.SetModule(module);
    install_ = install;
    if (install_ != nullptr) {
        install_(PlatformRecorder::Observer());
    }
}

bool StandInHost::LoadLibrary(const std::string& path, std::string* reason) {
    const auto fail = [reason](std::string why) {
        if (reason != nullptr) {
            *reason = std::move(why);
        }
        return false;
    };
    std::unique_ptr<void, LibraryCloser> library(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
    if (!library) {
        return fail(dlerror());
    }
    const auto main = FindExport<host::PluginMainProc>(library.get(), host::kPluginMainSymbol);
    const auto resources =
        FindExport<host::ResourceModuleProc>(library.get(), host::kResourceModuleSymbol);
    if (main == nullptr || resources == nullptr) {
        return fail(path + " does not export " + host::kPluginMainSymbol + " and " +
                    host::kResourceModuleSymbol);
    }
    LoadInProcess(main, resources(),
                  FindExport<host::InstallPlatformObserverProc>(
                      library.get(), host::kInstallPlatformObserverSymbol));
    library_ = std::move(library);
    return true;
}

host::Error StandInHost::Start() {
    host::PropertiesMessage property{
        {}, host::kPropertyVendor, host::kPropertyExportedSuites, 0, nullptr, 0};
    if (const host::Error error = SendProperties(host::kSelectorAcquire, property)) {
        return error;
    }
    if (property.property != nullptr) {
        if (const host::Error error = SendProperties(host::kSelectorRelease, property)) {
            return error;
        }
    }
    if (const host::Error error = SendInterface(host::kSelectorStartup)) {
        return error;
    }
    for (const host::Error error : Notify(host::kApplicationStartedNotifier)) {
        if (error != host::kNoError) {
            return error;
        }
    }
    return host::kNoError;
}

host::Error StandInHost::SendInterface(std::string_view selector) {
    host::InterfaceMessage message{};
    return Send(host::kCallerInterface, selector, message);
}

host::Error StandInHost::SendAccess(std::string_view selector) {
    host::AccessMessage message{};
    return Send(host::kCallerAccess, selector, message);
}

host::Error StandInHost::SendProperties(std::string_view selector,
                                        host::PropertiesMessage& message) {
    return Send(host::kCallerProperties, selector, message);
}

host::Error StandInHost::SendMenu(host::MenuItem item, std::string_view selector) {
    host::MenuMessage message{{}, item};
    return Send(host::kCallerMenu, selector, message, item.token);
}

host::Error StandInHost::SendMenu(std::string_view itemName, std::string_view selector) {
    const MenuItemRecord* item = menus_.FindItem(itemName);
    if (item == nullptr) {
        throw std::invalid_argument("no menu item \"" + std::string(itemName) + "\"");
    }
    return SendMenu(item->handle, selector);
}

std::vector<host::Error> StandInHost::Notify(std::string_view type, void* data) {
    std::vector<host::Error> results;
    // The registrations as they are now: a notifier added meanwhile is not
    // sent this notification.
    for (const NotifierRecord& notifier : notifiers_.OfType(type)) {
        char* typeText = FreshText(type);
        host::NotifierMessage message{{}, notifier.handle, typeText, data};
        results.push_back(
            Send(host::kCallerNotifier, host::kSelectorNotify, message, notifier.handle.token));
        Spend(typeText);
    }
    return results;
}

host::Error StandInHost::SendTool(host::Tool tool, std::string_view selector,
                                  host::RealPoint cursor, std::uint32_t modifiers) {
    if (selector == host::kSelectorMouseDown) {
        documents_.BeginPress();
    }
    host::ToolMessage message{{}, tool, cursor, modifiers};
    const host::Error result = Send(host::kCallerTool, selector, message, tool.token);
    if (selector == host::kSelectorMouseUp) {
        documents_.EndPress();
    }
    return result;
}

host::Error StandInHost::SendTool(std::string_view toolName, std::string_view selector,
                                  host::RealPoint cursor, std::uint32_t modifiers) {
    const ToolRecord* tool = tools_.FindTool(toolName);
    if (tool == nullptr) {
        throw std::invalid_argument("no tool \"" + std::string(toolName) + "\"");
    }
    return SendTool(tool->handle, selector, cursor, modifiers);
}

host::Error StandInHost::Deliver(std::string_view caller, std::string_view selector,
                                 host::MessageHeader& header, void* message, std::uint64_t object) {
    if (main_ == nullptr) {
        throw std::logic_error("no plug-in is loaded");
    }
    header = {plugin_, core_.GetBasicSuite()};
    const std::size_t record = messages_.size();
    messages_.push_back({std::string(caller), std::string(selector), object, depth_, false, 0});
    char* callerText = FreshText(caller);
    char* selectorText = FreshText(selector);
    const bool watched = depth_ == 0 && !notifyingDocument_;
    if (watched) {
        documents_.BeginMessage();
    }
    ++depth_;
    const host::Error result = main_(callerText, selectorText, message);
    --depth_;
    Spend(callerText);
    Spend(selectorText);
    messages_[record].returned = true;
    messages_[record].result = result;
    if (watched && documents_.EndMessage()) {
        NotifyDocument(host::kDocumentChangedNotifier);
    }
    return result;
}

void StandInHost::DocumentOpened(DocumentId) {
    NotifyDocument(host::kDocumentOpenedNotifier);
}

void StandInHost::DocumentClosed(DocumentId) {
    NotifyDocument(host::kDocumentClosedNotifier);
}

void StandInHost::NotifyDocument(std::string_view type) {
    if (main_ == nullptr) {
        return;
    }
    const bool outer = !notifyingDocument_;
    notifyingDocument_ = true;
    Notify(type);
    notifyingDocument_ = !outer;
}

char* StandInHost::FreshText(std::string_view text) {
    auto buffer = std::make_unique<char[]>(text.size() + 1);
    std::memcpy(buffer.get(), text.data(), text.size());
    buffer[text.size()] = 0;
    texts_.push_back(std::move(buffer));
    return texts_.back().get();
}

void StandInHost::Spend(char* text) {
    std::fill_n(text, std::strlen(text), kSpentTextFill);
}

std::string StandInHost::Imbalance() {
    std::string text = core_.GetLedger().Imbalance();
    if (const std::size_t live = documentSuites_.filePath.Live()) {
        text += std::to_string(live) + " file path objects not disposed\n";
    }
    if (const std::size_t held = text_.Outstanding()) {
        text += std::to_string(held) + " text engine references not released\n";
    }
    if (const std::size_t answers = fileDialogs_.Pending()) {
        text += std::to_string(answers) + " file dialog answers not used\n";
    }
    return text;
}

}  // namespace standin
