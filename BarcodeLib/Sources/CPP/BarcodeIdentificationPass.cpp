#include "BarcodeIdentificationPass.h"

namespace Strivelo {

namespace {

thread_local std::uint64_t currentPass = 0;
thread_local std::uint64_t lastPass = 0;

}  // namespace

BarcodeIdentificationPass::BarcodeIdentificationPass() : enclosing_(currentPass) {
    currentPass = ++lastPass;
}

// What an inner pass kept carries its own number, so the outer one finds
// its own entries or none.
BarcodeIdentificationPass::~BarcodeIdentificationPass() {
    currentPass = enclosing_;
}

std::uint64_t BarcodeIdentificationPass::GetCurrent() {
    return currentPass;
}

}  // namespace Strivelo
