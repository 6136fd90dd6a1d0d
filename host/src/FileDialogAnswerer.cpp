#include "FileDialogAnswerer.h"

namespace standin {

std::optional<std::string> FileDialogAnswerer::Answer(FileDialogRequest request,
                                                      Violations& violations,
                                                      std::string_view call) {
    requests_.push_back(std::move(request));
    if (answers_.empty()) {
        violations.Record(ViolationKind::kUnexpectedModal, call,
                          "a file dialog no answer was queued for; the user cancels it");
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(answers_.front());
    answers_.pop_front();
    return answer;
}

}  // namespace standin
