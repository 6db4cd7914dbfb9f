// Any bytes as a set-up file: read, checked and written back.
#include "FileChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    using namespace velox::fuzzing;
    return Require(SetupFileProblem(Bytes(bytes, size)), "set-up file check");
}
