#include "files/model/FileAccess.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "editor/model/NumberText.h"

namespace velox {
namespace {

std::string Reason(int err) { return std::strerror(err); }

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
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

const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "mappa";
    if (S_ISFIFO(mode)) return "névvel ellátott cső (FIFO)";
    if (S_ISCHR(mode) || S_ISBLK(mode)) return "eszköz";
    if (S_ISSOCK(mode)) return "socket";
    return "különleges fájl";
}

std::string NotRegular(const std::string& path, mode_t mode) {
    return "Nem közönséges fájl, hanem " + std::string(KindOf(mode)) + ": " + path;
}

std::string TooLarge(const std::string& path, const std::string& size, std::uint64_t maxBytes) {
    return "A fájl túl nagy: " + path + " (" + size + "; legfeljebb " +
           FormatInteger(static_cast<long long>(maxBytes)) + " bájtos fájl tölthető be)";
}

}  // namespace

FileBytes ReadWholeFile(const std::string& path, std::uint64_t maxBytes) {
    FileBytes out;
    // O_NONBLOCK: opening a FIFO must not wait for a writer; the type is
    // checked on the open file right after.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat st {};
    if (fd < 0) {
        const int err = errno;
        if (err == ENOENT) {
            out.Status = FileStatus::Missing;
            out.Error = "A fájl nem létezik: " + path;
        } else if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {  // a socket
            out.Error = NotRegular(path, st.st_mode);
        } else {
            out.Error = "Nem sikerült megnyitni: " + path + ": " + Reason(err);
        }
        return out;
    }
    if (::fstat(fd, &st) != 0) {
        out.Error = "Nem sikerült olvasni: " + path + ": " + Reason(errno);
    } else if (!S_ISREG(st.st_mode)) {
        out.Error = NotRegular(path, st.st_mode);
    } else if (st.st_size < 0 || static_cast<std::uint64_t>(st.st_size) > maxBytes) {
        out.Error = TooLarge(path, FormatInteger(static_cast<long long>(st.st_size)) + " bájt", maxBytes);
    }
    if (!out.Error.empty()) {
        ::close(fd);
        return out;
    }
    // The reported size is not trusted: the file may grow while it is read,
    // or be a file system that reports no size at all.  Reading stops one
    // byte past the limit.
    char buf[65536];
    std::uint64_t total = 0;
    for (;;) {
        const std::uint64_t room = maxBytes - total + 1;
        const ssize_t n = ::read(fd, buf, static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buf, room)));
        if (n < 0) {
            if (errno == EINTR) continue;
            out.Error = "Nem sikerült olvasni: " + path + ": " + Reason(errno);
            break;
        }
        if (n == 0) break;
        total += static_cast<std::uint64_t>(n);
        if (total > maxBytes) {
            out.Error = TooLarge(path, "több mint " + FormatInteger(static_cast<long long>(maxBytes)) + " bájt", maxBytes);
            break;
        }
        out.Bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    if (!out.Error.empty()) {
        out.Bytes = std::string();
        return out;
    }
    out.Status = FileStatus::Ok;
    return out;
}

namespace {

// What keeps ReplaceFile from replacing `target` (the resolved `path`), or
// nothing; `old` and `exists` tell of the file that is there.
std::string RefusedTarget(const std::string& path, const std::string& target, struct stat& old, bool& exists) {
    // An existing target is replaced only when the user could have
    // overwritten it in place.  A missing one (or a path that cannot be
    // looked at) is left to the creation of the temporary file to report.
    exists = ::stat(target.c_str(), &old) == 0;
    if (!exists) return "";
    if (!S_ISREG(old.st_mode)) return NotRegular(path, old.st_mode) + ", ezért nem írható felül.";
    const int probe = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (probe < 0) return "A fájl nem írható: " + path + ": " + Reason(errno);
    const bool same = ::fstat(probe, &old) == 0 && S_ISREG(old.st_mode);
    ::close(probe);
    if (!same) return "A fájl megváltozott mentés közben: " + path;
    // A rename gives the file the saving user as its owner; only the
    // superuser can hand it back.
    if (old.st_uid != ::geteuid() && ::geteuid() != 0)
        return "A fájl egy másik felhasználóé, ezért nem cserélhető le: " + path;
    return "";
}

}  // namespace

std::optional<std::string> CheckReplaceable(const std::string& path) {
    if (path.empty()) return "Nincs megadva fájlnév.";
    const std::string target = ResolveTarget(path);
    struct stat old {};
    bool exists = false;
    if (std::string refused = RefusedTarget(path, target, old, exists); !refused.empty()) return refused;
    const std::string folder = FolderOf(target);
    struct stat dir {};
    const std::string where = folder + " (ide kerülne: " + path + ")";
    if (::stat(folder.c_str(), &dir) != 0) return "A mappa nem érhető el: " + where + ": " + Reason(errno);
    if (!S_ISDIR(dir.st_mode)) return "Nem mappa: " + where;
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return "A mappába nem lehet írni: " + where + ": " + Reason(errno);
    return std::nullopt;
}

WriteOutcome ReplaceFile(const std::string& path, const std::string& bytes) {
    WriteOutcome out;
    if (path.empty()) {
        out.Error = "Nincs megadva fájlnév.";
        return out;
    }
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    struct stat old {};
    bool exists = false;
    out.Error = RefusedTarget(path, target, old, exists);
    if (!out.Error.empty()) return out;

    // A short name, so that a target whose name is as long as the folder
    // allows can still be replaced.
    const std::string prefix = folder + "/.velox" + std::to_string(::getpid()) + "-";
    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    int err = 0;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = prefix + std::to_string(++counter) + ".tmp";
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            err = errno;
            if (err != EEXIST) break;
        }
    }
    if (fd < 0) {
        out.Error = "Nem sikerült létrehozni az ideiglenes fájlt " + path + " mentéséhez ebben a mappában: " + folder +
                    ": " + Reason(err);
        return out;
    }

    // The new file keeps the owner (as the superuser), the group (where the
    // user may give it) and the access rights of the one it replaces; the
    // rights come last, since a change of owner clears some of them.
    if (exists) {
        (void)::fchown(fd, ::geteuid() == 0 ? old.st_uid : static_cast<uid_t>(-1), old.st_gid);
        (void)::fchmod(fd, old.st_mode & 07777);
    }

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

void IgnoreFileSizeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace velox
