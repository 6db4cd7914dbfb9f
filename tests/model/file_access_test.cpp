#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

#include "../common/TestFiles.h"
#include "files/model/FileAccess.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;
using Names = std::vector<std::string>;

const std::string Old = "old contents\r\n";

TEST(ReplaceFile, ReplacesKeepingModeAndLinkAndLeavesNothingElse) {
    TempDir dir;
    const std::string bytes("binary\0\r\n\x80\xFF", 11);
    ASSERT_TRUE(ReplaceFile(dir / "f.edat", bytes).Ok);
    EXPECT_EQ(ReadWholeFile(dir / "f.edat").Bytes, bytes);
    ASSERT_EQ(::chmod((dir / "f.edat").c_str(), 0640), 0);
    ASSERT_EQ(::symlink("f.edat", (dir / "link").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(dir / "link", "second").Ok);
    EXPECT_EQ(ReadBytes(dir / "f.edat"), "second");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link"));
    struct stat st {};
    ASSERT_EQ(::stat((dir / "f.edat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(dir.Entries(), (Names{"f.edat", "link"}));
}

// The superuser may write into a folder without write permission, so the
// test asks the system first.
TEST(ReplaceFile, ReadOnlyFolderKeepsTheOldFile) {
    TempDir dir;
    WriteBytes(dir / "VELOX_2013.gydat", Old);
    ASSERT_EQ(::chmod(dir.Path().c_str(), 0555), 0);
    const int probe = ::open((dir / "probe").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
    if (probe >= 0) {
        ::close(probe);
        ::unlink((dir / "probe").c_str());
        GTEST_SKIP() << "this user can write into a read-only folder";
    }
    const WriteOutcome w = ReplaceFile(dir / "VELOX_2013.gydat", "new");
    EXPECT_FALSE(w.Ok);
    EXPECT_NE(w.Error.find(std::strerror(EACCES)), std::string::npos) << w.Error;
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), Old);
    EXPECT_EQ(dir.Entries(), Names{"VELOX_2013.gydat"});
}

// The file size limit lets the temporary file take a few bytes and then
// refuses the rest.
TEST(ReplaceFile, WriteFailingHalfWayKeepsTheOldFileAndRemovesTheTemporary) {
    TempDir dir;
    WriteBytes(dir / "VELOX_2013.edat", Old);
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteOutcome w = ReplaceFile(dir / "VELOX_2013.edat", std::string(800, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(w.Ok);
    EXPECT_NE(w.Error.find("VELOX_2013.edat"), std::string::npos) << w.Error;
    EXPECT_NE(w.Error.find(std::strerror(EFBIG)), std::string::npos) << w.Error;
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.edat"), Old);
    EXPECT_EQ(dir.Entries(), Names{"VELOX_2013.edat"});
}

TEST(ReplaceFile, FailuresAreReportedWithTheSystemsReason) {
    TempDir dir;
    std::filesystem::create_directory(dir / "x.gydat");
    WriteBytes(dir / "x.gydat/inner", Old);
    for (auto [path, reason] : {std::pair{dir / "x.gydat", EISDIR}, {dir / "no/such/x.gydat", ENOENT}, {"", 0}}) {
        const WriteOutcome w = ReplaceFile(path, "new");
        EXPECT_FALSE(w.Ok) << path;
        EXPECT_NE(w.Error.find(reason ? std::strerror(reason) : ""), std::string::npos) << w.Error;
        EXPECT_NE(w.Error, "") << path;
    }
    EXPECT_EQ(ReadBytes(dir / "x.gydat/inner"), Old);
    EXPECT_EQ(dir.Entries(), Names{"x.gydat"});
}

}  // namespace
}  // namespace velox
