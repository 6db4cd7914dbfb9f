// Any bytes as a results file, loaded into a running model.
#include "FileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace velox::fuzzing;
    return Require(ResultsModelProblem(Bytes(bytes, size)), "results model check");
}
