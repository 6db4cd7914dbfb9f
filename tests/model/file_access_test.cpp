// Reading limits and special files; replacing files: what the user may replace, what is kept, what fails safely.
#include <gtest/gtest.h>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>

#include "../common/TestFiles.h"
#include "files/model/ExportName.h"
#include "files/model/FileAccess.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Names = std::vector<std::string>;

const std::string Old = "old contents\r\n";
constexpr uid_t Nobody = 65534;

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// ReplaceFile by `body` in a forked child, as user 65534 when `drop` is set: "1", or "0" and the error.
std::string InChild(bool drop, const std::function<WriteOutcome()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    if (::fork() == 0) {
        if (drop &&
            (::setgroups(0, nullptr) || ::setresgid(Nobody, Nobody, Nobody) || ::setresuid(Nobody, Nobody, Nobody)))
            ::_exit(3);
        const WriteOutcome w = body();
        const std::string report = (w.Ok ? "1" : "0") + w.Error;
        ::_exit(::write(fds[1], report.data(), report.size()) < 0);
    }
    ::close(fds[1]);
    std::string report;
    char buf[512];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;) report.append(buf, static_cast<std::size_t>(n));
    ::close(fds[0]);
    ::wait(nullptr);
    return report;
}

// Nothing is read from a file that is not a regular file, nor beyond the limit; nothing waits for a writer (the
// alarm ends the program if opening the FIFO blocks).
TEST(ReadWholeFile, RefusesSpecialAndOversizedFilesAtOnce) {
    TempDir dir;
    ASSERT_EQ(::mkfifo((dir / "x.gydat").c_str(), 0644), 0);
    std::filesystem::create_directory(dir / "folder.gydat");
    WriteBytes(dir / "small.edat", "12345678");
    WriteBytes(dir / "sparse.edat", "");
    ASSERT_EQ(::truncate((dir / "sparse.edat").c_str(), 64LL << 30), 0);
    const struct { std::string path; std::uint64_t limit; const char* message; } rows[] = {
        {dir / "x.gydat", 100, "Nem közönséges fájl, hanem névvel ellátott cső (FIFO): "},
        {dir / "folder.gydat", 100, "Nem közönséges fájl, hanem mappa: "},
        {"/dev/zero", 100, "Nem közönséges fájl, hanem eszköz: "},
        {dir / "sparse.edat", ResultsFileLimit, "(68719476736 bájt; legfeljebb 1073741824 bájtos fájl tölthető be)"},
        {dir / "small.edat", 7, "(8 bájt; legfeljebb 7 bájtos"},
        {"/proc/self/maps", 16, "(több mint 16 bájt; legfeljebb 16 bájtos"}};  // reports 0 bytes, holds more
    ::alarm(60);
    for (const auto& row : rows) {
        const FileBytes f = ReadWholeFile(row.path, row.limit);
        EXPECT_TRUE(f.Status == FileStatus::Failed && f.Bytes.empty()) << row.path;
        EXPECT_TRUE(Contains(f.Error, row.path) && Contains(f.Error, row.message)) << f.Error;
    }
    ::alarm(0);
    EXPECT_EQ(ReadWholeFile(dir / "small.edat", 8).Bytes, "12345678");
    EXPECT_EQ(ReadWholeFile(dir / "none.edat", 8).Status, FileStatus::Missing);
}

// A link is followed and stays; the rights stay; the longest name still leaves room for the temporary one.
TEST(ReplaceFile, ReplacesKeepingModeAndLinkAndLeavesNothingElse) {
    TempDir dir;
    const std::string bytes("binary\0\r\n\x80\xFF", 11);
    ASSERT_TRUE(ReplaceFile(dir / "f.edat", bytes).Ok);
    EXPECT_EQ(ReadBytes(dir / "f.edat"), bytes);
    ASSERT_EQ(::chmod((dir / "f.edat").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("f.edat", (dir / "link").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(dir / "link", "second").Ok);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "f.edat").c_str(), &st), 0);
    EXPECT_EQ(std::tuple(ReadBytes(dir / "f.edat"), std::filesystem::is_symlink(dir / "link"), st.st_mode & 07777),
              std::tuple("second", true, 0640u));
    const std::string longest(255, 'n');
    EXPECT_TRUE(ReplaceFile(dir / longest, "x").Ok);
    EXPECT_EQ(dir.Entries(), (Names{"f.edat", "link", longest}));
}

// A read-only folder keeps the old file (the superuser saves as user 65534 there); so does a write beyond the file
// size limit, with SIGXFSZ ignored as the programs do.
TEST(ReplaceFile, FailedWritesKeepTheOldFile) {
    TempDir dir;
    WriteBytes(dir / "VELOX_2013.gydat", Old);
    ASSERT_TRUE(::geteuid() != 0 || ::chown((dir / "VELOX_2013.gydat").c_str(), Nobody, Nobody) == 0);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    const std::string report = InChild(::geteuid() == 0, [&] { return ReplaceFile(dir / "VELOX_2013.gydat", "x"); });
    EXPECT_TRUE(report.starts_with("0") && Contains(report, std::strerror(EACCES))) << report;
    EXPECT_EQ(std::pair(ReadBytes(dir / "VELOX_2013.gydat"), dir.Entries()), std::pair(Old, Names{"VELOX_2013.gydat"}));
    TempDir big;
    WriteBytes(big / "VELOX_2013.edat", Old);
    const std::string tooLarge = InChild(false, [&] {
        IgnoreFileSizeSignal();
        const rlimit small{64, 64};
        ::setrlimit(RLIMIT_FSIZE, &small);
        return ReplaceFile(big / "VELOX_2013.edat", std::string(800, 'x'));
    });
    EXPECT_TRUE(tooLarge.starts_with("0") && Contains(tooLarge, std::strerror(EFBIG))) << tooLarge;
    EXPECT_EQ(std::pair(ReadBytes(big / "VELOX_2013.edat"), big.Entries()), std::pair(Old, Names{"VELOX_2013.edat"}));
}

TEST(ReplaceFile, TargetsThatAreNoRegularFileAreRefused) {
    TempDir dir;
    std::filesystem::create_directory(dir / "x.gydat");
    WriteBytes(dir / "x.gydat/inner", Old);
    ASSERT_EQ(::mkfifo((dir / "fifo.gydat").c_str(), 0644), 0);
    ASSERT_EQ(::symlink("/dev/null", (dir / "null.edat").c_str()), 0);
    for (auto [path, message] : {std::pair{dir / "x.gydat", "hanem mappa"}, {dir / "fifo.gydat", "cső (FIFO)"},
                                 {dir / "null.edat", "hanem eszköz"}, {dir / "no/such/x.gydat", std::strerror(ENOENT)},
                                 {"", "Nincs megadva fájlnév."}}) {
        const WriteOutcome w = ReplaceFile(path, "new");
        EXPECT_TRUE(!w.Ok && Contains(w.Error, path) && Contains(w.Error, message)) << w.Error;
    }
    EXPECT_EQ(ReadBytes(dir / "x.gydat/inner"), Old);
    EXPECT_TRUE(std::filesystem::is_fifo(dir / "fifo.gydat") && std::filesystem::is_character_file("/dev/null"));
    EXPECT_EQ(dir.Entries(), (Names{"fifo.gydat", "null.edat", "x.gydat"}));
}

// In a shared folder user 65534 replaces only its own writable file; the superuser keeps the owner and group.
TEST(ReplaceFile, OnlyWhatTheUserCouldWriteInPlaceIsReplaced) {
    if (::geteuid() != 0) GTEST_SKIP() << "acting as another user needs the superuser";
    TempDir dir;
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0777), 0);
    const struct { const char* name; bool asNobody; uid_t owner; mode_t mode; const char* refusal; } rows[] = {
        {"own.gydat", true, Nobody, 0640, nullptr},
        {"protected.gydat", true, Nobody, 0444, "A fájl nem írható: "},
        {"teszt02.gydat", true, 0, 0644, "A fájl nem írható: "},
        {"shared.edat", true, 0, 0666, "A fájl egy másik felhasználóé, ezért nem cserélhető le: "},
        {"pupil.edat", false, Nobody, 0604, nullptr}};
    for (const auto& row : rows) {
        const std::string path = dir / row.name;
        WriteBytes(path, Old);
        ASSERT_TRUE(::chown(path.c_str(), row.owner, row.owner) == 0 && ::chmod(path.c_str(), row.mode) == 0);
        const std::string report = InChild(row.asNobody, [&] { return ReplaceFile(path, "new"); });
        EXPECT_TRUE(report.starts_with(row.refusal ? "0" + (row.refusal + path) : "1")) << report;
        struct stat st {};
        ASSERT_EQ(::stat(path.c_str(), &st), 0);
        EXPECT_EQ(std::tuple(ReadBytes(path), st.st_uid, st.st_gid, st.st_mode & 07777),
                  std::tuple(row.refusal ? Old : "new", row.owner, row.owner, row.mode)) << row.name;
    }
    EXPECT_EQ(dir.Entries(), (Names{"own.gydat", "protected.gydat", "pupil.edat", "shared.edat", "teszt02.gydat"}));
}

// A ".csv" or ".png" suffix in any case decides the format; any other name
// gets the chosen filter's suffix, trailing dots dropped first.
TEST(ExportTarget, TheSuffixDecidesAndOtherNamesGetTheChosenOne) {
    using enum ExportFormat;
    for (const auto& [confirmed, chosen, path, format] :
         std::initializer_list<std::tuple<std::string, ExportFormat, std::string, ExportFormat>>{
             {"/d/ures.", Csv, "/d/ures.csv", Csv},        {"/d/ures..", Png, "/d/ures.png", Png},
             {"/d/adat.txt", Png, "/d/adat.txt.png", Png}, {"/d/m.CSV", Png, "/d/m.CSV", Csv},
             {"/d/.Png", Csv, "/d/.Png", Png},             {"/d.png/b", Csv, "/d.png/b.csv", Csv},
             {"/d/xpng", Png, "/d/xpng.png", Png},         {"/d/a.png.", Csv, "/d/a.png.csv", Csv}})
        EXPECT_EQ(ExportTargetFor(confirmed, chosen), (ExportTarget{path, format})) << confirmed;
}

}  // namespace
}  // namespace velox
