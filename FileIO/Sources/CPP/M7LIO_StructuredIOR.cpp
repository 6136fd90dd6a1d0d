#include "M7LIO_StructuredIOR.h"

bool M7LIO_StructuredIOR::StartDocument(const char* rootName, M7LIO_StructuredIOR* parent) {
    rootName_.Assign(rootName);
    parent_ = parent;
    depth_ = 0;
    return BeginDocument();
}

bool M7LIO_StructuredIOR::FinishDocument() {
    depth_ = 0;
    const bool ok = EndDocument();
    parent_ = nullptr;
    return ok;
}

M7LIO_StructuredIOR* M7LIO_StructuredIOR::OpenElement(const char* name, int extra) {
    ++depth_;
    return BeginElement(name, extra);
}

// When a delegated child's outermost element ends, its parent opened that
// element too and must hear of the end; the walk goes up as long as each
// receiver in turn has closed its last element.
M7LIO_StructuredIOR* M7LIO_StructuredIOR::CloseElement() {
    M7LIO_StructuredIOR* receiver = this;
    for (;;) {
        M7LIO_StructuredIOR* const answer = receiver->EndElement();
        if (receiver->depth_ > 0) {
            --receiver->depth_;
        }
        if (receiver->depth_ != 0 || receiver->parent_ == nullptr) {
            return answer;
        }
        receiver = receiver->parent_;
    }
}

int M7LIO_StructuredIOR::LookUpType(const char* name) const {
    if (depth_ == 0 && rootName_.GetSize() != 0 && rootName_.Equals(name)) {
        return kM7LIO_Element;
    }
    return TypeOf(name);
}

// A child that is this receiver itself would make CloseElement walk from a
// receiver to itself for ever, so it is refused like a missing one.
M7LIO_StructuredIOR* M7LIO_StructuredIOR::DelegateElement(M7LIO_StructuredIOR* child,
                                                          const char* name, int extra) {
    if (child == nullptr || child == this) {
        return nullptr;
    }
    child->StartDocument(nullptr, this);
    return child->OpenElement(name, extra);
}
