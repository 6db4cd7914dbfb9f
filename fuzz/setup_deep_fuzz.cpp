// Any bytes as a set-up file, loaded and run in the model.
#include "FileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace velox::fuzzing;
    return Require(SetupModelProblem(Bytes(bytes, size)), "set-up model check");
}
