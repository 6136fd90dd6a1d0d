#include "DocumentOpenedNotifier.h"

#include "CheckDialog.h"
#include "host/HostPolicies.h"

DocumentOpenedNotifier::DocumentOpenedNotifier(const host::MessageHeader& message)
    : DocumentOpenedNotifier(message, "CheckDocNotifier", host::kDocumentOpenedNotifier) {}

DocumentOpenedNotifier::DocumentOpenedNotifier(const host::MessageHeader& message, const char* name,
                                               const char* type)
    : M7LAIWrapperNotifier(message, name, type) {}

host::Error DocumentOpenedNotifier::Notify(host::NotifierMessage*) {
    if (gCheckDialog != nullptr) {
        gCheckDialog->Reset();
    }
    return host::kNoError;
}

DocumentChangedNotifier::DocumentChangedNotifier(const host::MessageHeader& message)
    : DocumentOpenedNotifier(message, "CheckChangeDocNotifier", host::kDocumentChangedNotifier) {}

DocumentClosedNotifier::DocumentClosedNotifier(const host::MessageHeader& message)
    : DocumentOpenedNotifier(message, "CheckCloseDocNotifier", host::kDocumentClosedNotifier) {}
