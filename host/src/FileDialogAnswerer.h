#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Violations.h"

namespace standin {

// One standard file dialog the plug-in opened, as the user saw it.
struct FileDialogRequest {
    bool save;  // a put-file dialog, else an open-file dialog
    std::string message;
    std::vector<std::pair<std::string, std::string>> filters;  // description, pattern
    std::string defaultName;
};

// The user at the host's standard file dialogs: each dialog is answered by
// the next answer queued (a path, or a cancel) and recorded. A dialog with no
// answer queued is a mistake; the user cancels it.
class FileDialogAnswerer {
public:
    void Choose(std::string path) { answers_.emplace_back(std::move(path)); }
    void Cancel() { answers_.emplace_back(std::nullopt); }
    std::size_t Pending() const { return answers_.size(); }
    const std::vector<FileDialogRequest>& Requests() const { return requests_; }

    // The path chosen for the dialog; none when it is cancelled.
    std::optional<std::string> Answer(FileDialogRequest request, Violations& violations,
                                      std::string_view call);

private:
    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogRequest> requests_;
};

}  // namespace standin
