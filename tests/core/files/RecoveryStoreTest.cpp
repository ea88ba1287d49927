// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "files/RecoveryFile.h"
#include "files/RecoveryStore.h"
#include "io/AtomicFile.h"
#include "io/ProcessIdentity.h"
#include "support/CaseName.h"

namespace vorn {
namespace {

namespace fs = std::filesystem;

struct LocationCase {
    const char* name;
    const char* settings;
    const char* program;
    const char* data;
    const char* expected;
};

const LocationCase LocationCases[] = {
    {"copy keeping its settings beside itself", "/home/ana/vorn/vorn.vrn", "/home/ana/vorn/vorn",
     "/home/ana/.local/share/Vorn", "/home/ana/vorn/vorn.recovery"},
    {"installed", "/home/ana/.config/Vorn/vorn.vrn", "/usr/bin/vorn", "/home/ana/.local/share/Vorn",
     "/home/ana/.local/share/Vorn/recovery"},
    {"no data folder", "/home/ana/.config/Vorn/vorn.vrn", "/usr/bin/vorn", "",
     "/home/ana/.config/Vorn/vorn.recovery"},
    {"no settings file", "", "/usr/bin/vorn", "/home/ana/.local/share/Vorn", ""},
};

class RecoveryLocationRule : public ::testing::TestWithParam<LocationCase> {};

TEST_P(RecoveryLocationRule, FollowsTheSettings) {
    const LocationCase& c = GetParam();
    EXPECT_EQ(RecoveryLocation(c.settings, c.program, c.data), c.expected);
}

INSTANTIATE_TEST_SUITE_P(All, RecoveryLocationRule, ::testing::ValuesIn(LocationCases),
                         [](const auto& info) { return vorn::testing::CaseName(info.param.name); });

TEST(RecoveryOwner, ReadsBackWhatItWroteAndNothingElse) {
    const ProcessIdentity owner{"lute-maker", "0b7d-11", 4242, 987654321};
    const std::string text = OwnerText(owner);
    ProcessIdentity read;
    ASSERT_TRUE(ReadOwnerText(text, read));
    EXPECT_EQ(read.Host, owner.Host);
    EXPECT_EQ(read.Boot, owner.Boot);
    EXPECT_EQ(read.Pid, owner.Pid);
    EXPECT_EQ(read.Start, owner.Start);

    const std::string broken[] = {
        text.substr(0, text.size() - 1),
        text + "more\n",
        text.substr(0, text.find("pid")) + "pid 0\nstart 1\n",
        text.substr(0, text.find("pid")) + "pid -4\nstart 1\n",
        text.substr(0, text.find("pid")) + "pid 4x\nstart 1\n",
        text.substr(0, text.find("start")) + "start \n",
        "Vorn settings\n" + text.substr(text.find('\n') + 1),
    };
    for (const std::string& bytes : broken) {
        ProcessIdentity kept = owner;
        EXPECT_FALSE(ReadOwnerText(bytes, kept)) << bytes;
        EXPECT_EQ(kept.Pid, owner.Pid);
    }
}

class RecoveryRuns : public ::testing::Test {
protected:
    fs::path root;
    ProcessIdentity self = ThisProcess();

    void SetUp() override {
        root = fs::temp_directory_path() /
               ("vorn-runs-" + std::to_string(getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
    }
    void TearDown() override { fs::remove_all(root); }

    // This machine's process that ran and is gone.
    ProcessIdentity Ended() const {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(0);
        ::waitpid(pid, nullptr, 0);
        ProcessIdentity gone = self;
        gone.Pid = pid;
        return gone;
    }
    static RecoveryRecord Record(const std::string& name) {
        return {"/music/" + name, name, name, "body of " + name, {}, -1};
    }
    static std::string Body(const std::string& path) {
        RecoveryRecord record;
        return ReadRecoveryFile(path, record, nullptr) ? record.Body : std::string();
    }
    std::vector<std::string> Bodies(const std::vector<std::string>& paths) const {
        std::vector<std::string> bodies;
        for (const std::string& path : paths)
            bodies.push_back(Body(path));
        std::sort(bodies.begin(), bodies.end());
        return bodies;
    }
};

TEST_F(RecoveryRuns, KeepTheirCopiesInAFolderOfTheirOwn) {
    RecoveryStore store(root.string(), self);
    EXPECT_EQ(store.Folder(), "");
    EXPECT_FALSE(fs::exists(root)); // nothing on disk for a run that never changed a thing

    ASSERT_TRUE(store.Write(1, Record("a.vrd")));
    ASSERT_TRUE(store.Write(2, Record("b.vrd")));
    ASSERT_TRUE(store.Write(1, Record("c.vrd")));
    EXPECT_EQ(fs::path(store.Folder()).parent_path(), root);
    EXPECT_EQ(Body(store.FileOf(1)), "body of c.vrd");
    std::string owner;
    ASSERT_TRUE(ReadWholeFile((fs::path(store.Folder()) / OwnerFileName).string(), owner));
    EXPECT_EQ(owner, OwnerText(self));

    store.Remove(1);
    EXPECT_FALSE(fs::exists(store.FileOf(1)));
    EXPECT_TRUE(store.HoldsCopies());
    store.Remove(2);
    EXPECT_FALSE(store.HoldsCopies());
    const std::string folder = store.Folder();
    store.End();
    EXPECT_FALSE(fs::exists(folder));
}

TEST_F(RecoveryRuns, TakeOverOnlyRunsThatEnded) {
    // Two runs at once, even of one process: neither takes the other's copies.
    RecoveryStore running(root.string(), self), other(root.string(), self);
    ASSERT_TRUE(running.Write(1, Record("running.vrd")));
    ProcessIdentity elsewhere = Ended();
    elsewhere.Host += "-elsewhere";
    RecoveryStore remote(root.string(), elsewhere);
    ASSERT_TRUE(remote.Write(1, Record("remote.vrd")));
    RecoveryStore crashed(root.string(), Ended());
    ASSERT_TRUE(crashed.Write(1, Record("one.vrd")));
    ASSERT_TRUE(crashed.Write(2, Record("two.vrd")));
    RecoveryStore idle(root.string(), Ended());
    ASSERT_TRUE(idle.Write(1, Record("idle.vrd")));
    idle.Remove(1);
    fs::create_directories(root / "no-owner");

    const std::vector<std::string> taken = other.ClaimEnded();
    EXPECT_EQ(Bodies(taken), (std::vector<std::string>{"body of one.vrd", "body of two.vrd"}));
    for (const std::string& path : taken)
        EXPECT_EQ(path.rfind(other.Folder() + "/", 0), 0u) << path;
    EXPECT_FALSE(fs::exists(crashed.Folder()));
    EXPECT_FALSE(fs::exists(idle.Folder())); // held nothing: simply gone
    EXPECT_EQ(Body(running.FileOf(1)), "body of running.vrd");
    EXPECT_EQ(Body(remote.FileOf(1)), "body of remote.vrd");
    EXPECT_TRUE(fs::exists(root / "no-owner"));

    // Taken once: a second run starting now finds nothing more.
    RecoveryStore later(root.string(), self);
    EXPECT_TRUE(later.ClaimEnded().empty());
    EXPECT_TRUE(running.ClaimEnded().empty());
}

TEST_F(RecoveryRuns, PassOnWhatTheyTookWhenTheyEndInTurn) {
    RecoveryStore first(root.string(), Ended());
    ASSERT_TRUE(first.Write(1, Record("first.vrd")));
    // The next run takes it over and ends before the user answered, with a copy of its own.
    RecoveryStore second(root.string(), Ended());
    ASSERT_EQ(second.ClaimEnded().size(), 1u);
    ASSERT_TRUE(second.Write(1, Record("second.vrd")));

    RecoveryStore third(root.string(), self);
    EXPECT_EQ(Bodies(third.ClaimEnded()),
              (std::vector<std::string>{"body of first.vrd", "body of second.vrd"}));
    EXPECT_FALSE(fs::exists(second.Folder()));
}

TEST_F(RecoveryRuns, SetAsideWhatCannotBeRead) {
    RecoveryStore crashed(root.string(), Ended());
    ASSERT_TRUE(crashed.Write(1, Record("broken.vrd")));
    ASSERT_TRUE(WriteFileAtomically(crashed.FileOf(1), "Vorn recovery copy\nversion 1\npa"));
    RecoveryStore store(root.string(), self);
    const std::vector<std::string> taken = store.ClaimEnded();
    ASSERT_EQ(taken.size(), 1u);
    const std::string aside = store.SetAside(taken[0]);
    EXPECT_EQ(fs::path(aside).parent_path(), root);
    EXPECT_FALSE(fs::exists(taken[0]));
    EXPECT_FALSE(store.HoldsCopies());
    // Where no run looks again.
    RecoveryStore later(root.string(), self);
    EXPECT_TRUE(later.ClaimEnded().empty());
    EXPECT_TRUE(fs::exists(aside));
}

// A folder of the user's beside the recovery folder, holding what a run's folder could hold.
class RecoveryAndUserFiles : public RecoveryRuns {
protected:
    fs::path user;

    void SetUp() override {
        RecoveryRuns::SetUp();
        user = root.string() + "-user";
        fs::remove_all(user);
        fs::create_directories(user);
        fs::create_directories(root);
        ASSERT_TRUE(WriteFileAtomically((user / OwnerFileName).string(), OwnerText(Ended())));
        ASSERT_TRUE(WriteFileAtomically((user / "document-1.recovery").string(),
                                        RecoveryFileBytes(Record("mine.vrd"))));
        ASSERT_TRUE(WriteFileAtomically((user / "lute.vrd").string(), "the user's own"));
    }
    void TearDown() override {
        fs::remove_all(user);
        RecoveryRuns::TearDown();
    }
    std::vector<std::string> UserFiles() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(user))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

const std::vector<std::string> UserNames{"document-1.recovery", "lute.vrd", OwnerFileName};

// A link named like the folder of a run that ended, pointing at the user's folder with an
// owner that ended, and a file of such a name: neither is followed, taken over nor removed.
TEST_F(RecoveryAndUserFiles, ALinkOrAFileNamedLikeARunIsLeftAlone) {
    const std::string runName = "run-" + self.Host + "-4242-1-0";
    fs::create_directory_symlink(user, root / runName);
    ASSERT_TRUE(WriteFileAtomically((root / "run-file-4243-1-0").string(), OwnerText(Ended())));
    // A link to a copy of the user's, inside a folder a run made.
    RecoveryStore crashed(root.string(), Ended());
    ASSERT_TRUE(crashed.Write(1, Record("crashed.vrd")));
    fs::create_symlink(user / "document-1.recovery",
                       fs::path(crashed.Folder()) / "document-2.recovery");

    RecoveryStore store(root.string(), self);
    const std::vector<std::string> taken = store.ClaimEnded();
    EXPECT_EQ(Bodies(taken), std::vector<std::string>{"body of crashed.vrd"});
    EXPECT_EQ(UserFiles(), UserNames);
    EXPECT_TRUE(fs::is_symlink(root / runName));
    EXPECT_TRUE(fs::is_regular_file(root / "run-file-4243-1-0"));

    // The user answered for every copy: what was taken over goes, the user's files stay.
    for (const std::string& path : taken)
        fs::remove(path);
    store.Tidy();
    store.End();
    EXPECT_EQ(UserFiles(), UserNames);
    EXPECT_EQ(Body((user / "document-1.recovery").string()), "body of mine.vrd");
    EXPECT_TRUE(fs::is_symlink(root / runName));
}

// Set aside, a copy stays in the recovery folder; a path that leads out of it, as written or
// through a link, is not moved and not removed.
TEST_F(RecoveryAndUserFiles, SetAsideNeverLeavesTheRecoveryFolder) {
    fs::create_directory_symlink(user, root / "to-user");
    const fs::path outside[] = {
        user / "lute.vrd",
        root / ".." / (user.filename().string() + "/lute.vrd"),
        root / "to-user" / "lute.vrd",
        root / "to-user" / "..",
        root / ".",
    };
    RecoveryStore store(root.string(), self);
    for (const fs::path& path : outside) {
        EXPECT_EQ(store.SetAside(path.string()), "") << path;
        EXPECT_EQ(UserFiles(), UserNames) << path;
        EXPECT_TRUE(fs::is_directory(root)) << path;
    }

    RecoveryStore crashed(root.string(), Ended());
    ASSERT_TRUE(crashed.Write(1, Record("broken.vrd")));
    const std::vector<std::string> taken = store.ClaimEnded();
    ASSERT_EQ(taken.size(), 1u);
    const std::string aside = store.SetAside(taken[0]);
    EXPECT_EQ(fs::canonical(fs::path(aside).parent_path()), fs::canonical(root));
    EXPECT_TRUE(fs::is_regular_file(aside));
}

} // namespace
} // namespace vorn
