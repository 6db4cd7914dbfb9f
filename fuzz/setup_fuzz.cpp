// Any bytes as a set-up file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "FileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    const std::string problem = velox::fuzzing::SetupInputProblem({reinterpret_cast<const char*>(bytes), size});
    if (!problem.empty()) {
        std::fprintf(stderr, "set-up file check failed: %s\n", problem.c_str());
        std::abort();
    }
    return 0;
}
