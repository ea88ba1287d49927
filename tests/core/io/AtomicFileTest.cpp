// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/AtomicFile.h"
#include "support/FileKinds.h"

// Every call that sets the process's file creation mask, counted: the mask is shared by all
// threads, so a write that sets it, even for a moment, races any thread creating a file.
static std::atomic<int> umaskCalls{0};
extern "C" mode_t umask(mode_t mask) noexcept {
    ++umaskCalls;
    return static_cast<mode_t>(::syscall(SYS_umask, mask));
}

namespace vorn {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        // A parameterised test's name holds a '/', which would make two folders of it.
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        folder =
            fs::temp_directory_path() / ("vorn-atomic-" + std::to_string(getpid()) + "-" + name);
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(folder);
    }
    std::string Contents(const fs::path& p) {
        std::string data;
        EXPECT_TRUE(ReadWholeFile(p.string(), data));
        return data;
    }
    long Entries() const {
        return std::distance(fs::directory_iterator(folder), fs::directory_iterator());
    }
};

TEST_F(AtomicFile, ReplacesTheFileAndKeepsItsPermissions) {
    const fs::path file = folder / "vorn.vrn";
    const std::string first("\x82\0\0\0\0\0 zeros", 12);
    ASSERT_TRUE(WriteFileAtomically(file.string(), first));
    EXPECT_EQ(Contents(file), first);
    const auto mode = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(file, mode);
    ASSERT_TRUE(WriteFileAtomically(file.string(), "second"));
    EXPECT_EQ(Contents(file), "second");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, mode);
    EXPECT_EQ(Entries(), 1); // no temporary left behind
}

class NewFileMode : public AtomicFile, public ::testing::WithParamInterface<mode_t> {};

TEST_P(NewFileMode, FollowsTheUmaskWithoutSettingIt) {
    const mode_t mask = GetParam();
    const mode_t before = ::umask(mask);
    umaskCalls = 0;
    const fs::path file = folder / "new.vrd";
    const bool written = WriteFileAtomically(file.string(), "data");
    const int calls = umaskCalls;
    ::umask(before);
    ASSERT_TRUE(written);
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0666 & ~mask);
    EXPECT_EQ(calls, 0);
}

INSTANTIATE_TEST_SUITE_P(Masks, NewFileMode, ::testing::Values(0022, 0077, 0027, 0002, 0),
                         [](const auto& info) {
                             std::string name = "umask_0";
                             for (int shift : {6, 3, 0})
                                 name += static_cast<char>('0' + (info.param >> shift & 7));
                             return name;
                         });

TEST_F(AtomicFile, DirectoryInTheWayOrMissingFolder) {
    const fs::path taken = folder / "taken";
    fs::create_directory(taken);
    std::ofstream(taken / "inside") << "kept";
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(taken.string(), "data", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(Contents(taken / "inside"), "kept");
    EXPECT_EQ(Entries(), 1);
    EXPECT_FALSE(WriteFileAtomically((folder / "no" / "such.vrd").string(), "x"));
    // The start-up check says the same and leaves nothing behind.
    EXPECT_FALSE(CanWriteFile(taken.string()));
    EXPECT_FALSE(CanWriteFile((folder / "no" / "such.vrd").string()));
    EXPECT_TRUE(CanWriteFile((folder / "new.vrn").string()));
    EXPECT_EQ(Entries(), 1);

    std::string data = "untouched";
    EXPECT_FALSE(ReadWholeFile((folder / "none.vrd").string(), data));
    EXPECT_FALSE(ReadWholeFile(folder.string(), data));
    EXPECT_EQ(data, "untouched");
}

TEST_F(AtomicFile, UnwritableFolderKeepsTheOldFile) {
    const fs::path file = folder / "vorn.vrn";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "old settings"));
    fs::permissions(folder,
                    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    // Permissions do not bind root, so the write is tried as an ordinary user in a child.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
            _exit(2);
        if (CanWriteFile(file.string()))
            _exit(3);
        _exit(WriteFileAtomically(file.string(), "new settings") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0)
        << "1: written anyway, 2: could not drop privileges, 3: said writable";
    EXPECT_EQ(Contents(file), "old settings");
    EXPECT_EQ(Entries(), 1);
}

// Paths that are not plain files: refused at once with a reason, the buffer left alone.
TEST_F(AtomicFile, ReadsOnlyRegularFilesOfSaneSize) {
    const fs::path fifo = folder / "pipe.vrd";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const fs::path big = folder / "big.vrd";
    std::ofstream(big).close();
    fs::resize_file(big, MaxReadBytes + 1); // sparse: costs no disk
    const fs::path loop = folder / "loop.vrd";
    fs::create_symlink(loop, loop);
    const struct {
        std::string path;
        const char* reason;
    } refused[] = {
        {fifo.string(), "not a regular file"},
        {"/dev/zero", "not a regular file"},
        {"/proc/self/mem", ""}, // a regular-looking file whose reads fail
        {big.string(), "larger than 16 MB"},
        {loop.string(), ""},
    };
    for (const auto& r : refused) {
        std::string data = "untouched", error;
        EXPECT_FALSE(ReadWholeFile(r.path, data, &error)) << r.path;
        EXPECT_EQ(data, "untouched") << r.path;
        EXPECT_NE(error.find(r.reason), std::string::npos) << r.path << ": " << error;
        EXPECT_FALSE(error.empty()) << r.path;
    }
    const fs::path real = folder / "real.vrd";
    std::ofstream(real) << "bytes";
    const fs::path link = folder / "link.vrd";
    fs::create_symlink(real.filename(), link);
    EXPECT_EQ(Contents(link), "bytes");
}

TEST_F(AtomicFile, WritesThroughLinksAndRefusesSpecialFiles) {
    fs::create_directory(folder / "real");
    const fs::path real = folder / "real" / "lute.vrd";
    std::ofstream(real) << "old";
    const fs::path link = folder / "lute.vrd";
    fs::create_symlink(fs::path("real") / "lute.vrd", link);
    ASSERT_TRUE(WriteFileAtomically(link.string(), "new"));
    EXPECT_TRUE(fs::is_symlink(link)); // still a link
    EXPECT_EQ(Contents(real), "new");  // and the file it names took the bytes

    const fs::path fifo = folder / "pipe.vrd";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(fifo.string(), "x", &error));
    EXPECT_NE(error.find("not a regular file"), std::string::npos) << error;
    EXPECT_TRUE(fs::is_fifo(fifo));

    // A name as long as the folder allows can be written: the temporary's name is short.
    const fs::path longName = folder / (std::string(250, 'n') + ".vrd");
    EXPECT_TRUE(WriteFileAtomically(longName.string(), "long"));
    EXPECT_EQ(Contents(longName), "long");
}

// Every writer of the program ends in WriteFileAtomically, so this is the one rule for all of
// them: a missing or regular file (or a link to one) takes the bytes, anything else is
// refused with a reason and left as it was.
class WriteTarget : public AtomicFile,
                    public ::testing::WithParamInterface<testing::FileKindCase> {};

TEST_P(WriteTarget, OnlyARegularFileIsWritten) {
    const testing::FileKindCase& c = GetParam();
    const fs::path target = folder / "out";
    ASSERT_TRUE(testing::MakeFileKind(c.Kind, target)) << c.Name;
    const std::string before = testing::DescribeFile(target);
    std::string error;
    EXPECT_EQ(WriteFileAtomically(target.string(), "new", &error), c.Writable) << error;
    EXPECT_EQ(CanWriteFile(target.string()), c.Writable);
    if (c.Writable) {
        const bool link = c.Kind == testing::FileKind::link_to_regular;
        EXPECT_EQ(testing::DescribeFile(target),
                  std::string(link ? "link to " : "") + "regular: new");
    } else {
        EXPECT_FALSE(error.empty());
        EXPECT_EQ(testing::DescribeFile(target), before);
    }
    // Nothing left beside it but what the case made.
    for (const auto& entry : fs::directory_iterator(folder))
        EXPECT_EQ(entry.path().filename().string().rfind("out", 0), 0u) << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Kinds, WriteTarget, ::testing::ValuesIn(testing::FileKindCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST_F(AtomicFile, LeftoversOfDeadWritersGoAtTheNextWrite) {
    // A process id no process has (beyond the kernel's pid_max) and this process's own.
    const ProcessIdentity self = ThisProcess();
    ProcessIdentity gone = self;
    gone.Pid = 99999999;
    const fs::path dead = folder / (TemporaryStem(gone) + "abcdef.tmp");
    const fs::path alive = folder / (TemporaryStem(self) + "abcdef.tmp");
    const fs::path other = folder / "notes.tmp";
    for (const fs::path& p : {dead, alive, other})
        std::ofstream(p) << "x";
    ASSERT_TRUE(WriteFileAtomically((folder / "vorn.vrn").string(), "settings"));
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(alive));
    EXPECT_TRUE(fs::exists(other));
}

// A temporary is removed only when its writer is known to have ended: one of another machine
// sharing the folder, or whose writer cannot be told, may belong to a write under way.
TEST(TemporaryNames, OnlyThoseOfAnEndedWriterOfThisMachineAreStale) {
    const ProcessIdentity self = ThisProcess();
    const auto named = [](const ProcessIdentity& writer) {
        return TemporaryStem(writer) + "Ab12Cd.tmp";
    };
    ProcessIdentity reaped = self, restarted = self, otherHost = self, otherBoot = self;
    reaped.Pid = 99999999;
    restarted.Start = self.Start + 1; // this id, now another process
    otherHost.Host += "-elsewhere";
    otherHost.Pid = 99999999;
    otherBoot.Boot += "0";
    otherBoot.Pid = 99999999;
    const std::string dead = std::to_string(99999999);
    struct {
        std::string Name;
        bool Stale;
    } const cases[] = {
        {named(self), false},
        {named(reaped), true},
        {named(restarted), self.Start != 0},
        {named(otherHost), false},
        {named(otherBoot), false},
        {".vorn-" + dead + "-abcdef.tmp", false}, // no start and no machine: cannot be told
        {".vorn-" + dead + "-0-zz-abcdef.tmp", false},
        {".vorn-x-0-" + named(reaped).substr(6), false},
        {named(reaped) + ".bak", false},
        {"notes.tmp", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LeftByEndedWriter(c.Name, self), c.Stale) << c.Name;
}

} // namespace
} // namespace vorn
