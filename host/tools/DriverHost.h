#pragma once

#include <cstddef>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Preferences.h"
#include "StandInHost.h"

namespace driver {

// A run of the driver program: a stand-in host on the preferences file,
// the plug-in loaded into it and started, one document, and what the
// plug-in tells the user (modal dialogs, alerts, beeps) passed on to
// standard error as it happens. Every modal dialog is answered with its
// default button unless the driver queued what the user does in it.
class DriverHost {
public:
    explicit DriverHost(std::ostream& messages);
    ~DriverHost();
    DriverHost(const DriverHost&) = delete;
    DriverHost& operator=(const DriverHost&) = delete;

    // Reads the preferences, loads the plug-in and sends the start-up
    // messages. Empty, or why not.
    std::string Start(const std::string& pluginPath, const std::string& preferencesPath);
    // A new empty document of one layer of the name, or the SVG file opened.
    void OpenNew(const std::string& layerName);
    std::string Open(const std::string& path);
    // Saves the current document as SVG, whole or not at all.
    std::string Save(const std::string& path);
    // "Shutdown", then the preferences saved. Empty, or why not.
    std::string Finish();

    // Begins a message of the driver's own, where the plug-in's go.
    std::ostream& Say();
    standin::StandInHost& Host() { return *host_; }
    standin::DialogManager& Dialogs() { return host_->Dialogs(); }
    standin::DocumentStore& Documents() { return host_->Documents(); }
    standin::DocumentId Document() const { return document_; }

    // Passes on what the plug-in showed since the last call: the texts of
    // each modal dialog, the alerts, the beeps and any mistake the host
    // caught.
    void Report();
    // Whether the plug-in showed its error alert, or beeped, since the
    // counts were taken.
    struct Marks {
        std::size_t modals;
        int beeps;
    };
    Marks Mark() const;
    bool ErrorShownSince(const Marks& marks) const;
    bool BeepedSince(const Marks& marks) const;
    bool RanSince(const Marks& marks, std::string_view dialog) const;
    // The texts of the last run of the modal dialog; empty when none ran.
    std::vector<std::string> LastTexts(std::string_view dialog) const;

    // The palette of the name, shown as the user shows it: by selecting the
    // tool, or by the window menu's item. Empty, or why not.
    std::string ShowPalette(std::string_view name, std::string_view tool,
                            std::string_view menuItem);
    host::Dialog Palette(std::string_view name) const { return host_->Dialogs().FindDialog(name); }

private:
    std::ostream& messages_;
    standin::PreferenceStore preferences_;
    std::string preferencesPath_;
    std::unique_ptr<standin::StandInHost> host_;
    standin::DocumentId document_{};
    bool started_ = false;
    std::size_t reportedModals_ = 0;
    std::size_t reportedAlerts_ = 0;
    int reportedBeeps_ = 0;
    std::size_t reportedViolations_ = 0;
};

// The plug-in library the driver loads unless told otherwise: next to the
// installed program, else the one of the build.
std::string DefaultPluginPath(const std::string& programPath);
// $XDG_CONFIG_HOME/strivelo-host/prefs, else ~/.config/strivelo-host/prefs.
std::string DefaultPreferencesPath();

}  // namespace driver
