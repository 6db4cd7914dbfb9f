// The layer's way to the files: it never opens a file itself.  A face on a
// desktop gives it DiskFiles; a face without a file system (a web page)
// gives it a store of its own.
#pragma once

#include <cstdint>
#include <string>

#include "files/model/FileAccess.h"

namespace velox::app {

class FileStore {
public:
    virtual ~FileStore() = default;
    // The whole file, as ReadWholeFile reads it.
    virtual FileBytes Read(const std::string& path, std::uint64_t maxBytes) = 0;
    // Replaces the file only once all of `bytes` is written, as ReplaceFile.
    virtual WriteOutcome Replace(const std::string& path, const std::string& bytes) = 0;
    virtual bool Exists(const std::string& path) = 0;
};

// The files of the local disk, through the model's file access.
class DiskFiles : public FileStore {
public:
    FileBytes Read(const std::string& path, std::uint64_t maxBytes) override;
    WriteOutcome Replace(const std::string& path, const std::string& bytes) override;
    bool Exists(const std::string& path) override;
};

}  // namespace velox::app
