// Whole-file reading and safe replacing of files, shared by the set-up file
// and the results file.
#pragma once

#include <string>

namespace velox {

enum class FileStatus {
    Ok,       // read (or written) completely
    Missing,  // no file at the path
    Failed,   // the file exists but could not be read, or could not be written
};

struct FileBytes {
    FileStatus Status = FileStatus::Failed;
    std::string Bytes;  // the whole file when Status is Ok
    std::string Error;  // why it failed, with the system's reason
};

// Reads the whole file in binary mode.
FileBytes ReadWholeFile(const std::string& path);

struct WriteOutcome {
    bool Ok = false;
    std::string Error;  // why it failed, with the system's reason
};

// Writes `bytes` to a new file in the folder of `path` and renames it over
// `path` only once every byte is written and flushed to the disk.  When
// anything fails the previous file at `path` is left as it was and the
// temporary file is removed.
WriteOutcome ReplaceFile(const std::string& path, const std::string& bytes);

}  // namespace velox
