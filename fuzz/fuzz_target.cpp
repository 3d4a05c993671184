// A libFuzzer program for one target of properties/, named by TORVEL_FUZZ_TARGET at build time.
#include <cstdio>
#include <cstdlib>

#include "properties/properties.h"

namespace {
const torvel::fuzz::Target* target = nullptr;
}

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    torvel::fuzz::startProcess(*argc, *argv);
    target = torvel::fuzz::findTarget(TORVEL_FUZZ_TARGET);
    if (target == nullptr) {
        std::fprintf(stderr, "unknown fuzz target %s\n", TORVEL_FUZZ_TARGET);
        std::abort();
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    target->oneInput(data, size);
    return 0;
}
