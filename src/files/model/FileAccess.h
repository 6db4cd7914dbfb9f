// Whole-file reading and safe replacing of files, shared by the set-up file
// and the results file.
#pragma once

#include <cstdint>
#include <optional>
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

// Reads the whole file in binary mode, if it is a regular file of at most
// `maxBytes` bytes.  Anything else (a FIFO, a device, a socket, a folder) is
// refused without waiting for it, and so is a file that reports a larger
// size or turns out larger while it is read; the message names the file
// (and its size).  Memory grows only with the bytes actually read.
FileBytes ReadWholeFile(const std::string& path, std::uint64_t maxBytes);

// The sizes up to which the kinds of file are read.
inline constexpr std::uint64_t SetupFileLimit = 16ull << 20;    // 16 MiB
inline constexpr std::uint64_t ResultsFileLimit = 1ull << 30;   // 1 GiB
inline constexpr std::uint64_t TaskTextLimit = 16ull << 20;     // 16 MiB, the exercise text

struct WriteOutcome {
    bool Ok = false;
    std::string Error;  // why it failed, with the system's reason
};

// Writes `bytes` to a new file in the folder of `path` and renames it over
// `path` only once every byte is written and flushed to the disk.  When
// anything fails the previous file at `path` is left as it was and the
// temporary file is removed.
//
// Only what the user could have written in place is replaced: an existing
// target that is not a regular file, that the user may not open for
// writing, or that belongs to another user (unless the program runs as the
// superuser, who can give the new file the old owner) is refused and
// nothing is written.  The new file keeps the old one's access rights, and
// as the superuser its owner and group.  A symbolic link is followed.
WriteOutcome ReplaceFile(const std::string& path, const std::string& bytes);

// Why ReplaceFile would refuse `path` before writing anything, or nothing:
// what it refuses of an existing target, a folder that is missing, or one
// the user may not write in.  Asked before long work whose result goes
// there.
std::optional<std::string> CheckReplaceable(const std::string& path);

// Both programs call this first: a write beyond the process's file size
// limit then fails with EFBIG and is reported like any other failed write,
// instead of SIGXFSZ ending the program.
void IgnoreFileSizeSignal();

}  // namespace velox
