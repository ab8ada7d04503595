#pragma once
// What every fuzz target asserts: a broken promise ends the run like a crash,
// so that libFuzzer keeps the input that broke it.
#include <cstdio>
#include <cstdlib>

inline void requireThat(bool holds, const char* promise) {
    if (holds) return;
    std::fprintf(stderr, "Broken: %s\n", promise);
    std::abort();
}
