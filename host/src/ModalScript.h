#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "DialogSnapshot.h"
#include "host/HostHandles.h"

namespace standin {

class DialogManager;

// One modal dialog as it ran.
struct ModalRun {
    std::string name;
    std::int32_t resourceId;
    std::map<std::int32_t, std::string> texts;  // of every item, after init
    std::int32_t result;
    bool cancelled;  // by Cancel, by the host, or as EndModal said
};

// What the user does in one expected modal dialog, step by step. Setting a
// value is a user change of the item (its value, then "ADM User Changed
// Notifier"); pressing delivers the notifier alone.
class ModalExpectation {
public:
    explicit ModalExpectation(std::string name) : name_(std::move(name)) {}

    ModalExpectation& Inspect(std::function<void(const DialogSnapshot&)> inspect);
    ModalExpectation& SetText(std::int32_t itemId, std::string text);
    ModalExpectation& SetBoolean(std::int32_t itemId, bool value);
    ModalExpectation& SetNumber(std::int32_t itemId, float value);
    ModalExpectation& SelectEntry(std::int32_t itemId, int index);
    ModalExpectation& Press(std::int32_t itemId);

private:
    friend class ModalScript;
    // False when the step could not be done (no such item, or one the user
    // cannot reach).
    using Action = std::function<bool(DialogManager&, host::Dialog)>;
    struct Step {
        std::string what;
        Action action;
    };

    ModalExpectation& Add(std::string what, Action action);

    std::string name_;
    std::vector<Step> steps_;
};

// The scripting side of the dialog manager: modal dialogs run against a
// queue of expectations, in the order the dialogs come, and every run is
// logged. A dialog the script does not expect is a violation, or, where the
// default button answers, pressed OK (as the headless driver program does).
class ModalScript {
public:
    ModalExpectation& Expect(std::string name);
    void AnswerWithDefaultButton(bool answer) { answerDefault_ = answer; }
    std::size_t Pending() const { return script_.size(); }
    const std::vector<ModalRun>& Log() const { return log_; }

    // Runs a live dialog modally by the script until it ends; the id of the
    // item that ended it. Mistakes go against the call.
    std::int32_t Run(DialogManager& manager, host::Dialog dialog, const std::string& call);

private:
    // Runs the expectation at the front of the script for the running
    // dialog, or the default answer.
    void Play(DialogManager& manager, host::Dialog dialog, const std::string& call);
    void PlaySteps(DialogManager& manager, host::Dialog dialog, const std::string& call,
                   const ModalExpectation& expectation);

    std::deque<ModalExpectation> script_;
    std::vector<ModalRun> log_;
    bool answerDefault_ = false;
};

}  // namespace standin
