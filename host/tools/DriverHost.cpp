#include "DriverHost.h"

#include <cstdlib>
#include <filesystem>
#include <ostream>

#include "PreferenceFile.h"
#include "SvgReader.h"
#include "SvgWriter.h"
#include "host/HostMessages.h"

namespace driver {

namespace {

constexpr const char* kErrorDialog = "Error";
constexpr const char* kPluginFileName = "strivelo-cs3.so";

// Buttons say nothing the user needs to read.
bool IsButtonText(const std::string& text) {
    return text == "OK" || text == "Abbrechen";
}

}  // namespace

DriverHost::DriverHost(std::ostream& messages) : messages_(messages) {}

DriverHost::~DriverHost() {
    if (host_ && started_) {
        host_->SendInterface(host::kSelectorShutdown);
    }
}

std::string DriverHost::Start(const std::string& pluginPath, const std::string& preferencesPath) {
    if (std::string error = standin::LoadPreferenceFile(preferencesPath, preferences_);
        !error.empty()) {
        return error;
    }
    preferencesPath_ = preferencesPath;
    host_ = std::make_unique<standin::StandInHost>(
        standin::StandInHostOptions{host::Generation::kCs3, &preferences_});
    host_->Dialogs().AnswerWithDefaultButton(true);
    std::string reason;
    if (!host_->LoadLibrary(pluginPath, &reason)) {
        return "cannot load the plug-in: " + reason;
    }
    const host::Error error = host_->Start();
    started_ = true;
    Report();
    if (error != host::kNoError) {
        return "the plug-in did not start (error " + std::to_string(error) + ")";
    }
    return {};
}

void DriverHost::OpenNew(const std::string& layerName) {
    document_ = host_->Documents().OpenNew(
        {"", standin::kDefaultPageWidthPoints, standin::kDefaultPageHeightPoints, {{layerName}}});
    Report();
}

std::string DriverHost::Open(const std::string& path) {
    const standin::SvgOpened opened =
        standin::OpenSvgDocument(host_->Documents(), host_->Fonts(), path);
    if (!opened.document) {
        return opened.error.find(path) == std::string::npos ? path + ": " + opened.error
                                                            : opened.error;
    }
    document_ = opened.document;
    if (opened.skippedElements > 0) {
        Say() << path << ": " << opened.skippedElements
              << " elements left out that the host does not take\n";
    }
    Report();
    return {};
}

std::ostream& DriverHost::Say() {
    return messages_ << "strivelo-host: ";
}

std::string DriverHost::Save(const std::string& path) {
    return standin::SaveSvgDocument(host_->Documents(), host_->Fonts(), document_, path);
}

std::string DriverHost::Finish() {
    if (!started_) {
        return {};
    }
    started_ = false;
    host_->SendInterface(host::kSelectorShutdown);
    Report();
    std::error_code error;
    const std::filesystem::path folder = std::filesystem::path(preferencesPath_).parent_path();
    if (!folder.empty()) {
        std::filesystem::create_directories(folder, error);
    }
    return standin::SavePreferenceFile(preferencesPath_, preferences_);
}

void DriverHost::Report() {
    const auto& modals = host_->Dialogs().ModalLog();
    for (; reportedModals_ < modals.size(); ++reportedModals_) {
        const standin::ModalRun& run = modals[reportedModals_];
        messages_ << "dialog \"" << run.name << "\":";
        for (const auto& [item, text] : run.texts) {
            if (!text.empty() && !IsButtonText(text)) {
                messages_ << ' ' << text;
            }
        }
        messages_ << '\n';
    }
    const auto& alerts = host_->Dialogs().ErrorAlerts();
    for (; reportedAlerts_ < alerts.size(); ++reportedAlerts_) {
        messages_ << "alert: " << alerts[reportedAlerts_] << '\n';
    }
    for (; reportedBeeps_ < host_->Platform().Beeps(); ++reportedBeeps_) {
        messages_ << "beep\n";
    }
    const auto& violations = host_->Core().GetViolations().All();
    for (; reportedViolations_ < violations.size(); ++reportedViolations_) {
        messages_ << "host: the plug-in made a mistake: " << violations[reportedViolations_]
                  << '\n';
    }
}

DriverHost::Marks DriverHost::Mark() const {
    return {host_->Dialogs().ModalLog().size(), host_->Platform().Beeps()};
}

bool DriverHost::ErrorShownSince(const Marks& marks) const {
    return RanSince(marks, kErrorDialog);
}

bool DriverHost::BeepedSince(const Marks& marks) const {
    return host_->Platform().Beeps() > marks.beeps;
}

bool DriverHost::RanSince(const Marks& marks, std::string_view dialog) const {
    const auto& modals = host_->Dialogs().ModalLog();
    for (std::size_t i = marks.modals; i < modals.size(); ++i) {
        if (modals[i].name == dialog) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> DriverHost::LastTexts(std::string_view dialog) const {
    const auto& modals = host_->Dialogs().ModalLog();
    for (auto run = modals.rbegin(); run != modals.rend(); ++run) {
        if (run->name == dialog) {
            std::vector<std::string> texts;
            for (const auto& [item, text] : run->texts) {
                texts.push_back(text);
            }
            return texts;
        }
    }
    return {};
}

std::string DriverHost::ShowPalette(std::string_view name, std::string_view tool,
                                    std::string_view menuItem) {
    if (!tool.empty() && host_->Tools().FindTool(tool) != nullptr) {
        host_->SendTool(tool, host::kSelectorSelect);
    }
    host::Dialog palette = Palette(name);
    if (palette && !host_->Dialogs().View(palette).visible && !menuItem.empty() &&
        host_->Menus().FindItem(menuItem) != nullptr) {
        host_->SendMenu(menuItem, host::kSelectorGo);
        palette = Palette(name);
    }
    Report();
    if (!palette || !host_->Dialogs().View(palette).visible) {
        return "the plug-in shows no palette \"" + std::string(name) + "\"";
    }
    return {};
}

std::string DefaultPluginPath(const std::string& programPath) {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::canonical(programPath, error);
    if (!error) {
        const std::filesystem::path installed =
            program.parent_path().parent_path() / "lib" / kPluginFileName;
        if (std::filesystem::exists(installed, error)) {
            return installed.string();
        }
    }
    return STRIVELO_BUILT_PLUGIN_PATH;
}

std::string DefaultPreferencesPath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    std::filesystem::path folder;
    if (config != nullptr && config[0] == '/') {
        folder = config;
    } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != 0) {
        folder = std::filesystem::path(home) / ".config";
    } else {
        folder = ".";
    }
    return (folder / "strivelo-host" / "prefs").string();
}

}  // namespace driver
