#pragma once

class M7LIO_StructuredIOR;

// Produces a document into a receiver.
class M7LIO_StructuredIOP {
public:
    virtual ~M7LIO_StructuredIOP() = default;
    virtual bool Produce(M7LIO_StructuredIOR* receiver, const char* elementName) = 0;
};
