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
#include "core/model/VeloxData.h"
#include "files/model/FileAccess.h"
#include "files/model/ResultsFile.h"
#include "files/model/SetupFile.h"

namespace velox {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string Old = "old contents\r\n";

TEST(ReplaceFile, CreatesAndReplacesLeavingNothingElse) {
    TempDir dir;
    const std::string bytes("binary\0\r\n\x80\xFF", 11);
    ASSERT_TRUE(ReplaceFile(dir / "f.edat", bytes).Ok);
    EXPECT_EQ(ReadBytes(dir / "f.edat"), bytes);
    ASSERT_TRUE(ReplaceFile(dir / "f.edat", "second").Ok);
    EXPECT_EQ(ReadBytes(dir / "f.edat"), "second");
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"f.edat"});

    const FileBytes read = ReadWholeFile(dir / "f.edat");
    EXPECT_EQ(read.Status, FileStatus::Ok);
    EXPECT_EQ(read.Bytes, "second");
}

TEST(ReplaceFile, KeepsTheAccessRightsOfTheReplacedFile) {
    TempDir dir;
    WriteBytes(dir / "f.gydat", Old);
    ASSERT_EQ(::chmod((dir / "f.gydat").c_str(), 0640), 0);
    ASSERT_TRUE(ReplaceFile(dir / "f.gydat", "new").Ok);
    struct stat st {};
    ASSERT_EQ(::stat((dir / "f.gydat").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(ReplaceFile, WritesThroughASymbolicLink) {
    TempDir dir;
    WriteBytes(dir / "real.gydat", Old);
    ASSERT_EQ(::symlink("real.gydat", (dir / "link.gydat").c_str()), 0);
    ASSERT_TRUE(ReplaceFile(dir / "link.gydat", "new").Ok);
    EXPECT_EQ(ReadBytes(dir / "real.gydat"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.gydat"));
}

// A folder in which no file can be created.  The superuser may write into
// a folder without write permission, so the test asks the system first.
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
    VeloxData data;
    data.ApplyStartupDefaults();
    const WriteOutcome w = WriteSetupFile(dir / "VELOX_2013.gydat", data);
    EXPECT_FALSE(w.Ok);
    EXPECT_NE(w.Error.find(std::strerror(EACCES)), std::string::npos) << w.Error;
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.gydat"), Old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"VELOX_2013.gydat"});
}

// A write that fails half-way: the file size limit lets the temporary file
// take a few bytes and then refuses the rest.
TEST(ReplaceFile, FailedWriteKeepsTheOldFileAndRemovesTheTemporary) {
    TempDir dir;
    WriteBytes(dir / "VELOX_2013.edat", Old);
    Results results;
    for (int i = 0; i < 100; ++i) results.RecordArrival(10 + i, 0.5);

    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const WriteOutcome w = WriteResultsFile(dir / "VELOX_2013.edat", results, 36526.0);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(w.Ok);
    EXPECT_NE(w.Error.find("VELOX_2013.edat"), std::string::npos) << w.Error;
    EXPECT_NE(w.Error.find(std::strerror(EFBIG)), std::string::npos) << w.Error;
    EXPECT_EQ(ReadBytes(dir / "VELOX_2013.edat"), Old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"VELOX_2013.edat"});
}

TEST(ReplaceFile, FailuresAreReportedWithTheSystemsReason) {
    TempDir dir;
    // A folder standing where the file should go.
    std::filesystem::create_directory(dir / "x.gydat");
    WriteBytes(dir / "x.gydat/inner", Old);
    WriteOutcome w = ReplaceFile(dir / "x.gydat", "new");
    EXPECT_FALSE(w.Ok);
    EXPECT_NE(w.Error.find(std::strerror(EISDIR)), std::string::npos) << w.Error;
    EXPECT_EQ(ReadBytes(dir / "x.gydat/inner"), Old);
    EXPECT_EQ(dir.Entries(), std::vector<std::string>{"x.gydat"});

    // A folder that does not exist.
    w = ReplaceFile(dir / "no/such/folder/x.gydat", "new");
    EXPECT_FALSE(w.Ok);
    EXPECT_NE(w.Error.find(std::strerror(ENOENT)), std::string::npos) << w.Error;

    w = ReplaceFile("", "new");
    EXPECT_FALSE(w.Ok);
    EXPECT_FALSE(w.Error.empty());
}

TEST(ReadWholeFile, MissingIsNotAFailure) {
    TempDir dir;
    EXPECT_EQ(ReadWholeFile(dir / "none").Status, FileStatus::Missing);
    EXPECT_EQ(ReadWholeFile(dir.Path()).Status, FileStatus::Failed);
    WriteBytes(dir / "empty", "");
    const FileBytes empty = ReadWholeFile(dir / "empty");
    EXPECT_EQ(empty.Status, FileStatus::Ok);
    EXPECT_TRUE(empty.Bytes.empty());
}

}  // namespace
}  // namespace velox
