#include <filesystem>
#include <system_error>

#include "files/app/FileStore.h"

namespace velox::app {

FileBytes DiskFiles::Read(const std::string& path, std::uint64_t maxBytes) { return ReadWholeFile(path, maxBytes); }

WriteOutcome DiskFiles::Replace(const std::string& path, const std::string& bytes) { return ReplaceFile(path, bytes); }

bool DiskFiles::Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

}  // namespace velox::app
