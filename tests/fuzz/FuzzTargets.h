#pragma once

// One entry point per reader of bytes that come from outside the program (files a user
// may damage, archives from anyone). libFuzzer drives each one (scripts/fuzz.sh builds
// them with clang and QUORVEL_LIBFUZZER); FuzzRegressionTest replays every input the
// fuzzers ever found through the same functions in the normal test run.
//
// Each entry returns 0. Whatever the bytes, reading them must not crash, hang or hit
// undefined behaviour, and the checks a target states with FUZZ_REQUIRE must hold.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using FuzzEntry = int (*)(const uint8_t* data, size_t size);

int FuzzNoteFile(const uint8_t* data, size_t size);
int FuzzRtf(const uint8_t* data, size_t size);
int FuzzSourcesFile(const uint8_t* data, size_t size);
int FuzzAuthorsFile(const uint8_t* data, size_t size);
int FuzzBibFile(const uint8_t* data, size_t size);
int FuzzExportData(const uint8_t* data, size_t size);
int FuzzLastViewList(const uint8_t* data, size_t size);
int FuzzSettingsFile(const uint8_t* data, size_t size);
int FuzzArchive(const uint8_t* data, size_t size);
int FuzzBibliography(const uint8_t* data, size_t size);

// A broken promise of a reader: abort, so that the fuzzer keeps the input and the replay
// test fails on it.
#define FUZZ_REQUIRE(condition)                                                                              \
    do {                                                                                                     \
        if (!(condition)) {                                                                                  \
            std::fprintf(stderr, "%s:%d: FUZZ_REQUIRE(%s) failed\n", __FILE__, __LINE__, #condition);        \
            std::abort();                                                                                    \
        }                                                                                                    \
    } while (false)

// In a libFuzzer build each target file is its own program with this entry.
#ifdef QUORVEL_LIBFUZZER
#define QUORVEL_FUZZ_ENTRY(function)                                                                         \
    extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)                                  \
    {                                                                                                        \
        return function(data, size);                                                                         \
    }
#else
#define QUORVEL_FUZZ_ENTRY(function)
#endif
