#pragma once

#include "M7LAIWrappers.h"
#include "host/HostErrors.h"
#include "host/HostMessages.h"

// Any document opened, changed or closed makes the check palette forget its
// last check: the barcodes it listed may be gone or moved.
class DocumentOpenedNotifier : public M7LAIWrapperNotifier {
public:
    explicit DocumentOpenedNotifier(const host::MessageHeader& message);

    // Nothing while there is no palette.
    host::Error Notify(host::NotifierMessage* message) override;

protected:
    DocumentOpenedNotifier(const host::MessageHeader& message, const char* name, const char* type);
};

class DocumentChangedNotifier : public DocumentOpenedNotifier {
public:
    explicit DocumentChangedNotifier(const host::MessageHeader& message);
};

class DocumentClosedNotifier : public DocumentOpenedNotifier {
public:
    explicit DocumentClosedNotifier(const host::MessageHeader& message);
};
