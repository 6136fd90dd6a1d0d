#pragma once

// A process-wide pointer to one suite's function table. The host hands a
// table out as `const void*`; keeping it in that type and converting on use
// lets the suite table write every target through one pointer type, instead
// of writing a typed pointer through a `const void**`.
template <typename Suite>
struct M7LSuitePointer {
    operator const Suite*() const { return static_cast<const Suite*>(table); }
    const Suite* operator->() const { return *this; }

    const void* table = nullptr;
};
