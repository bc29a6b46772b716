// Saves made by a child process, for faults that need a process of their
// own: another user, a system call made to fail, a kill on the way; and the
// owner, ACL and attributes a save must keep. A case whose tool (setpriv,
// strace, setfacl) cannot run here is skipped, never passed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionary/DictionaryWriter.h"
#include "dictionary/FileReplace.h"
#include "support/TempDir.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace lexor {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

const std::string kOld = "Lexor Dictionary Volume\r\n1\r\nvecchio\r\n";
const std::string kNew = "Lexor Dictionary Volume\r\n1\r\nnuovo\r\n";

// A folder anyone may enter, holding the old dictionary "d.lexor" and a new
// one "nuovo.lexor" to copy over it.
class LinuxOnly_SaveProcess : public testing::Test {
protected:
    void SetUp() override
    {
#ifndef LEXOR_SAVE_CHILD
        GTEST_SKIP() << "POSIX processes";
#else
        fs::permissions(dir_.path(), fs::perms::all);
        WriteBytes(Target(), kOld);
        WriteBytes(dir_ / "nuovo.lexor", kNew);
#endif
    }

    fs::path Target() const
    {
        return dir_ / "d.lexor";
    }

    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    static bool Available(const std::string& probe)
    {
        return std::system((probe + " >/dev/null 2>&1").c_str()) == 0;
    }

    struct Outcome {
        int exitCode = -1; // -1 when the child did not exit by itself
        std::string output;
    };

    static Outcome Shell(const std::string& command)
    {
        Outcome outcome;
#ifndef _WIN32
        FILE* pipe = ::popen(command.c_str(), "r");
        if (pipe == nullptr)
            return outcome;
        char buffer[256];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            outcome.output.append(buffer, n);
        const int status = ::pclose(pipe);
        // A shell reports a child killed by a signal as 128 + the signal.
        if (WIFEXITED(status) && WEXITSTATUS(status) < 128)
            outcome.exitCode = WEXITSTATUS(status);
#endif
        return outcome;
    }

    // The save ("save d.lexor nuovo") or copy ("copy nuovo.lexor d.lexor"),
    // paths relative to the folder, run behind prefix (strace, setpriv).
    Outcome Run(const std::string& prefix, const std::string& arguments) const
    {
#ifdef LEXOR_SAVE_CHILD
        return Shell("cd '" + dir_.path().string() + "' && exec " + prefix + " '" LEXOR_SAVE_CHILD "' " + arguments);
#else
        return {};
#endif
    }

    test::TempDir dir_;
};

const char* const kSave = "save d.lexor nuovo";
const char* const kCopy = "copy nuovo.lexor d.lexor";
const char* const kStrace = "strace -f -qq -o /dev/null -e trace=fsync";

// The rename needs only the folder's permission; the file's own must hold.
TEST_F(LinuxOnly_SaveProcess, ReadOnlyFileIsNotReplacedByAUserWhoMayNotWriteIt)
{
    const std::string asNobody = "setpriv --reuid=65534 --regid=65534 --clear-groups";
    if (!Available(asNobody + " true"))
        GTEST_SKIP() << "cannot run a process as another user here";
    fs::permissions(Target(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    for (const char* arguments : {kSave, kCopy}) {
        const Outcome outcome = Run(asNobody, arguments);
        EXPECT_EQ(outcome.exitCode, 1) << arguments;
        EXPECT_EQ(outcome.output, "lexor-file:" + std::to_string(static_cast<int>(FileErrc::WriteProtected)));
        EXPECT_EQ(ReadBytes(Target()), kOld);
    }
    EXPECT_EQ(fs::status(Target()).permissions(),
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    // The same user replaces a file they may write.
    fs::permissions(Target(), fs::perms::all);
    EXPECT_EQ(Run(asNobody, kCopy).exitCode, 0);
    EXPECT_EQ(ReadBytes(Target()), kNew);
    EXPECT_EQ(Names(), (std::vector<std::string>{"d.lexor", "nuovo.lexor"}));
}

// Killed as it is about to flush the complete temporary file: the moment it
// is largest and not yet in the target's place.
TEST_F(LinuxOnly_SaveProcess, SaveKilledOnTheWayLeavesTheOldFileAndNothingElse)
{
    if (!Available("strace -o /dev/null true"))
        GTEST_SKIP() << "strace cannot trace here";
    for (const char* arguments : {kSave, kCopy}) {
        EXPECT_EQ(Run(std::string(kStrace) + " -e inject=fsync:signal=KILL:when=1", arguments).exitCode, -1);
        EXPECT_EQ(ReadBytes(Target()), kOld);
        EXPECT_EQ(Names(), (std::vector<std::string>{"d.lexor", "nuovo.lexor"})) << arguments;
    }
}

TEST_F(LinuxOnly_SaveProcess, FailedFlushOfTheFileIsAFailureButOfTheFolderAfterTheRenameIsNot)
{
    if (!Available("strace -o /dev/null true"))
        GTEST_SKIP() << "strace cannot trace here";
    const Outcome fileFlush = Run(std::string(kStrace) + " -e inject=fsync:error=EIO:when=1", kSave);
    EXPECT_EQ(fileFlush.exitCode, 1);
    EXPECT_EQ(fileFlush.output, "generic:" + std::to_string(EIO));
    EXPECT_EQ(ReadBytes(Target()), kOld);

    const Outcome folderFlush = Run(std::string(kStrace) + " -e inject=fsync:error=EIO:when=2", kSave);
    EXPECT_EQ(folderFlush.exitCode, 0) << folderFlush.output;
    EXPECT_EQ(ReadBytes(Target()), kNew);
    EXPECT_EQ(Names(), (std::vector<std::string>{"d.lexor", "nuovo.lexor"}));
}

// Root saving another user's file: it stays theirs, with its ACL (whose mask
// differs from the group's own bits), its attributes and its exact mode.
TEST_F(LinuxOnly_SaveProcess, ReplacedFileKeepsOwnerAclAttributesAndMode)
{
#ifndef _WIN32
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to give the file to another user";
    const std::string file = "'" + Target().string() + "'";
    if (::chown(Target().c_str(), 65534, 65534) != 0 || ::chmod(Target().c_str(), 0640) != 0 ||
        !Available("setfacl -m u:daemon:rw " + file) || !Available("setfattr -n user.nota -v ciao " + file))
        GTEST_SKIP() << "no ACLs or user attributes on this file system";
    const std::string acl = Shell("getfacl -cp " + file).output;
    const std::string attributes = Shell("getfattr -d -m - --absolute-names " + file + " | tail -n +2").output;
    ASSERT_NE(acl.find("user:daemon:rw-"), std::string::npos);

    for (const char* arguments : {kSave, kCopy}) {
        ASSERT_EQ(Run("", arguments).exitCode, 0) << arguments;
        struct stat info {};
        ASSERT_EQ(::stat(Target().c_str(), &info), 0);
        EXPECT_EQ(info.st_uid, 65534u);
        EXPECT_EQ(info.st_gid, 65534u);
        EXPECT_EQ(info.st_mode & 07777, 0660u) << "the ACL's mask rw- shows as the group bits";
        EXPECT_EQ(Shell("getfacl -cp " + file).output, acl);
        EXPECT_EQ(Shell("getfattr -d -m - --absolute-names " + file + " | tail -n +2").output, attributes);
    }
    EXPECT_EQ(ReadBytes(Target()), kNew);
#endif
}

} // namespace
} // namespace lexor
