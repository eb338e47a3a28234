#pragma once

#include <cstddef>
#include <cstdint>

// What every fuzz target shares: a GUI application on the offscreen
// platform, made once before the first input, and quiet Qt warnings (a
// fuzzer feeds mostly broken input, and the warnings would drown its log).
class FuzzSupport
{
public:
    static void ensureApplication();
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
