#pragma once

#include <cstdint>

// Measures the most heap memory held at once while one input runs, above what
// was held when the measurement began, so that a target can call a small input
// that makes the code under test hold gigabytes a finding. Only an
// AddressSanitizer build (the fuzzing build and the sanitizer test build) can
// see every allocation: there available() is true; elsewhere peak() stays 0.
class FuzzHeapMeter
{
public:
    static bool available();
    // Starts a measurement: the current holding becomes the base.
    static void start();
    // The most bytes held above the base since start().
    static std::int64_t peak();
};
