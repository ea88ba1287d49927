// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "io/AtomicFile.h"
#include "io/FileMode.h"

namespace vorn {
namespace {

struct ModeCase {
    const char* Name;
    mode_t Mode;
    uid_t Owner;
    gid_t Group;
    Credentials Who;
    bool Writable;
};

// A user 1000 in group 100 and the supplementary group 20, asking of files of various owners.
const Credentials User{1000, 100, {20, 24}};
const Credentials Root{0, 0, {}};

// clang-format off
const ModeCase ModeCases[] = {
    {"owner_may_write",          0644, 1000, 100, User, true},
    {"owner_read_only",          0444, 1000, 100, User, false},
    {"owner_without_own_bit",    0464, 1000, 100, User, false}, // the owner's bits decide alone
    {"owner_of_other_only_file", 0446, 1000, 500, User, false},
    {"group_may_write",          0664, 2000, 100, User, true},
    {"supplementary_group",      0664, 2000,  24, User, true},
    {"group_read_only",          0646, 2000,  20, User, false}, // the group's bits decide alone
    {"other_may_write",          0666, 2000, 500, User, true},
    {"other_read_only",          0664, 2000, 500, User, false},
    {"root_read_only",           0444,    0,   0, Root, false},
    {"root_no_write_bit",        0555, 1000, 100, Root, false},
    {"root_someone_may_write",   0644, 1000, 100, Root, true},
    {"root_group_bit_only",      0424, 1000, 100, Root, true},
};
// clang-format on

class WritableByModeTest : public ::testing::TestWithParam<ModeCase> {};

TEST_P(WritableByModeTest, FollowsTheFilesOwnBits) {
    const ModeCase& c = GetParam();
    EXPECT_EQ(WritableByMode(S_IFREG | c.Mode, c.Owner, c.Group, c.Who), c.Writable);
}

INSTANTIATE_TEST_SUITE_P(Modes, WritableByModeTest, ::testing::ValuesIn(ModeCases),
                         [](const auto& info) { return std::string(info.param.Name); });

namespace fs = std::filesystem;

class ReadOnlyTarget : public ::testing::Test {
protected:
    fs::path folder;
    void SetUp() override {
        folder = fs::temp_directory_path() /
                 ("vorn-mode-" + std::to_string(getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }
    static std::string Contents(const fs::path& p) {
        std::ifstream in(p);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

// Whoever runs the tests, root included: the rule is the file's mode, not what access() says.
TEST_F(ReadOnlyTarget, IsRefusedUnlessTheUserSaidToReplaceIt) {
    const fs::path file = folder / "lute.vrd";
    const fs::path link = folder / "link.vrd";
    std::ofstream(file) << "old";
    fs::create_symlink(file, link);
    ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
    EXPECT_TRUE(ReadOnlyFile(file.string()));
    EXPECT_FALSE(ReadOnlyFile((folder / "missing.vrd").string()));
    for (const fs::path& target : {file, link}) {
        std::string error;
        EXPECT_FALSE(WriteFileAtomically(target.string(), "new", &error)) << target;
        EXPECT_NE(error.find("read-only"), std::string::npos) << error;
        EXPECT_FALSE(CanWriteFile(target.string()));
        EXPECT_EQ(Contents(file), "old");
    }
    ASSERT_TRUE(WriteFileAtomically(link.string(), "new", nullptr, ro_replace));
    EXPECT_EQ(Contents(file), "new");
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat info {};
    ASSERT_EQ(::stat(file.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0444u); // still the owner's choice
}

} // namespace
} // namespace vorn
