#include "files/model/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace velox {
namespace {

std::string Reason(int err) { return std::strerror(err); }

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A symbolic link is followed, so that saving replaces the file it points
// at and the link stays.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) == nullptr) return path;
    return buf;
}

bool WriteAll(int fd, const std::string& bytes, int& err) {
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
            return false;
        }
        if (n == 0) {
            err = EIO;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path) {
    FileBytes out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) {
            out.Status = FileStatus::Missing;
            out.Error = "A fájl nem létezik: " + path;
        } else {
            out.Error = "Nem sikerült megnyitni: " + path + ": " + Reason(err);
        }
        return out;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
        out.Bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            out.Bytes.clear();
            out.Error = "Nem sikerült olvasni: " + path + ": " + Reason(err);
            return out;
        }
        if (n == 0) break;
        out.Bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    out.Status = FileStatus::Ok;
    return out;
}

WriteOutcome ReplaceFile(const std::string& path, const std::string& bytes) {
    WriteOutcome out;
    if (path.empty()) {
        out.Error = "Nincs megadva fájlnév.";
        return out;
    }
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    const std::string prefix = folder + "/." + NameOf(target) + ".tmp-" + std::to_string(::getpid()) + "-";

    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    int err = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = prefix + std::to_string(++counter);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            err = errno;
            if (err != EEXIST) break;
        }
    }
    if (fd < 0) {
        out.Error = "Nem sikerült létrehozni az ideiglenes fájlt ebben a mappában: " + folder + ": " + Reason(err);
        return out;
    }

    // The new file keeps the access rights of the one it replaces.
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode)) (void)::fchmod(fd, st.st_mode & 07777);

    const char* step = nullptr;
    if (!WriteAll(fd, bytes, err))
        step = "Nem sikerült írni: ";
    else if (::fsync(fd) != 0)
        err = errno, step = "Nem sikerült a lemezre írni: ";
    if (::close(fd) != 0 && step == nullptr) err = errno, step = "Nem sikerült lezárni: ";
    if (step == nullptr && ::rename(temp.c_str(), target.c_str()) != 0)
        err = errno, step = "Nem sikerült a fájlt a helyére tenni: ";
    if (step != nullptr) {
        ::unlink(temp.c_str());
        out.Error = step + path + ": " + Reason(err);
        return out;
    }

    // Make the rename itself durable; a failure here no longer endangers
    // either the old or the new contents.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    out.Ok = true;
    return out;
}

}  // namespace velox
