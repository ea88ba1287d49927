#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "io/AtomicFile.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

class AtomicFile : public ::testing::Test {
protected:
    fs::path folder;

    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vorn-atomic-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
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
        _exit(WriteFileAtomically(file.string(), "new settings") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: written anyway, 2: could not drop privileges";
    EXPECT_EQ(Contents(file), "old settings");
    EXPECT_EQ(Entries(), 1);
}

} // namespace
} // namespace vorn
