// Modal dialogs: each runs against the expectation at the front of the
// script, and every run is logged.
#include "ModalScript.h"

#include <utility>

#include "DialogManager.h"

namespace standin {

ModalExpectation& ModalExpectation::Add(std::string what, Action action) {
    steps_.push_back({std::move(what), std::move(action)});
    return *this;
}

ModalExpectation& ModalExpectation::Inspect(std::function<void(const DialogSnapshot&)> inspect) {
    return Add("inspect",
               [inspect = std::move(inspect)](DialogManager& manager, host::Dialog dialog) {
                   inspect(manager.View(dialog));
                   return true;
               });
}

ModalExpectation& ModalExpectation::SetText(std::int32_t itemId, std::string text) {
    return Add("set the text of item " + std::to_string(itemId),
               [itemId, text = std::move(text)](DialogManager& manager, host::Dialog dialog) {
                   return manager.UserSetText(dialog, itemId, text);
               });
}

ModalExpectation& ModalExpectation::SetBoolean(std::int32_t itemId, bool value) {
    return Add("set the value of item " + std::to_string(itemId),
               [itemId, value](DialogManager& manager, host::Dialog dialog) {
                   return manager.UserSetBoolean(dialog, itemId, value);
               });
}

ModalExpectation& ModalExpectation::SetNumber(std::int32_t itemId, float value) {
    return Add("set the number of item " + std::to_string(itemId),
               [itemId, value](DialogManager& manager, host::Dialog dialog) {
                   return manager.UserSetNumber(dialog, itemId, value);
               });
}

ModalExpectation& ModalExpectation::SelectEntry(std::int32_t itemId, int index) {
    return Add("select entry " + std::to_string(index) + " of item " + std::to_string(itemId),
               [itemId, index](DialogManager& manager, host::Dialog dialog) {
                   return manager.UserSelectEntry(dialog, itemId, index);
               });
}

ModalExpectation& ModalExpectation::Press(std::int32_t itemId) {
    return Add("press item " + std::to_string(itemId),
               [itemId](DialogManager& manager, host::Dialog dialog) {
                   return manager.UserPress(dialog, itemId);
               });
}

ModalExpectation& ModalScript::Expect(std::string name) {
    return script_.emplace_back(std::move(name));
}

std::int32_t ModalScript::Run(DialogManager& manager, host::Dialog dialog,
                              const std::string& call) {
    DialogManager::DialogState* state = manager.LiveDialog(dialog);
    state->modal = true;
    state->running = true;
    state->visible = true;
    state->endItem.reset();
    state->cancelled = false;
    // Logged when it opens, so that a modal opened from this one comes after.
    const std::size_t run = log_.size();
    log_.push_back(
        {state->name, state->resourceId, manager.ItemTexts(dialog), host::kCancelItem, true});
    Play(manager, dialog, call);
    // Still live: a running modal dialog is not destroyed.
    state = manager.LiveDialog(dialog);
    if (!state->endItem) {
        manager.core_.GetViolations().Record(
            ViolationKind::kModalLeftOpen, call,
            "\"" + state->name + "\" is still open; the host cancels it");
        state->endItem = host::kCancelItem;
        state->cancelled = true;
    }
    state->running = false;
    log_[run].result = *state->endItem;
    log_[run].cancelled = state->cancelled;
    return *state->endItem;
}

void ModalScript::Play(DialogManager& manager, host::Dialog dialog, const std::string& call) {
    DialogManager::DialogState* state = manager.LiveDialog(dialog);
    if (!script_.empty() && script_.front().name_ == state->name) {
        const ModalExpectation expectation = std::move(script_.front());
        script_.pop_front();
        PlaySteps(manager, dialog, call, expectation);
    } else if (answerDefault_) {
        PlaySteps(manager, dialog, call, ModalExpectation(state->name).Press(host::kOkItem));
    } else {
        const std::string expected =
            script_.empty() ? "no modal dialog" : "\"" + script_.front().name_ + "\"";
        manager.core_.GetViolations().Record(ViolationKind::kUnexpectedModal, call,
                                             "\"" + state->name + "\" where the script expects " +
                                                 expected + "; the host cancels it");
        state->endItem = host::kCancelItem;
        state->cancelled = true;
    }
}

void ModalScript::PlaySteps(DialogManager& manager, host::Dialog dialog, const std::string& call,
                            const ModalExpectation& expectation) {
    Violations& violations = manager.core_.GetViolations();
    const std::string& name = expectation.name_;
    for (const ModalExpectation::Step& step : expectation.steps_) {
        if (manager.LiveDialog(dialog)->endItem) {
            violations.Record(ViolationKind::kUnexpectedModal, call,
                              "\"" + name + "\" ended before its script could " + step.what);
            return;
        }
        if (!step.action(manager, dialog)) {
            violations.Record(ViolationKind::kUnexpectedModal, call,
                              "\"" + name + "\" does not let its script " + step.what);
        }
    }
}

}  // namespace standin
