// Every kind of target OutputFile meets, checked on the file system
// afterwards: what was written where, which files exist, their modes, and
// that a refusal or failure leaves every existing file as it was.
#include "io/output_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "io/hidden_name.h"
#include "testing/captured_run.h"
#include "testing/test_files.h"

namespace {

mode_t ModeOf(const std::string& path) {
  struct stat info;
  return lstat(path.c_str(), &info) == 0 ? info.st_mode : 0;
}

// Writes `text` through an OutputFile on `path` and commits it.
bool WriteThrough(const std::string& path,
                  const std::vector<std::string>& inputs,
                  const std::string& text, std::string* err) {
  OutputFile output;
  return output.Open(path, inputs, err) && output.Write(text, err) &&
         output.Commit(err);
}

// Runs the test body in `folder` as the current directory.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& folder) {
    char* previous = getcwd(nullptr, 0);
    if (previous != nullptr) previous_ = previous;
    free(previous);
    EXPECT_EQ(0, chdir(folder.c_str()));
  }
  ~CurrentDirectory() {
    if (!previous_.empty()) {
      EXPECT_EQ(0, chdir(previous_.c_str()));
    }
  }

 private:
  std::string previous_;
};

TEST(OutputFileTest, RefusesEveryNameOfAnInput) {
  ScratchFolder folder;
  ASSERT_FALSE(folder.path().empty());
  std::string input = folder / "in.txt";
  WriteText(input, "input\n");
  ASSERT_EQ(0, mkdir((folder / "sub").c_str(), 0755));
  ASSERT_EQ(0, symlink(input.c_str(), (folder / "link.txt").c_str()));
  ASSERT_EQ(0, symlink("link.txt", (folder / "link2.txt").c_str()));
  ASSERT_EQ(0, link(input.c_str(), (folder / "hard.txt").c_str()));
  CurrentDirectory inFolder(folder.path());

  struct {
    const char* name;
    std::string input;
    std::string target;
  } cases[] = {
      {"same spelling", input, input},
      {"dot slash", input, "./in.txt"},
      {"relative against absolute", "in.txt", input},
      {"through a subfolder", input, "sub/../in.txt"},
      {"symbolic link", input, folder / "link.txt"},
      {"link to a link", input, "link2.txt"},
      {"hard link", input, "hard.txt"},
      {"input given as a link", "link.txt", "in.txt"},
  };
  std::set<std::string> before = Listing(folder.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string err;
    OutputFile output;
    EXPECT_FALSE(output.Open(c.target, {"other.txt", c.input}, &err));
    EXPECT_EQ(c.target + ": is the same file as the input " + c.input, err);
    EXPECT_EQ(nullptr, output.stream());
    EXPECT_EQ("input\n", ReadFile(input));
    EXPECT_EQ(before, Listing(folder.path()));
    EXPECT_TRUE(S_ISLNK(ModeOf(folder / "link.txt")));
  }
}

TEST(OutputFileTest, ReplacesARegularFileKeepingItsMode) {
  ScratchFolder folder;
  std::string target = folder / "out.txt";
  WriteText(target, "old contents, longer than the new ones\n");
  ASSERT_EQ(0, chmod(target.c_str(), 0640));
  struct stat before;
  ASSERT_EQ(0, stat(target.c_str(), &before));

  std::string err;
  ASSERT_TRUE(WriteThrough(target, {folder / "in.txt"}, "new\n", &err)) << err;
  EXPECT_EQ("new\n", ReadFile(target));
  EXPECT_EQ(static_cast<mode_t>(S_IFREG | 0640), ModeOf(target));
  struct stat after;
  ASSERT_EQ(0, stat(target.c_str(), &after));
  EXPECT_NE(before.st_ino, after.st_ino) << "written in place, not replaced";
  EXPECT_EQ(std::set<std::string>{"out.txt"}, Listing(folder.path()));
}

TEST(OutputFileTest, NewFilesTakeTheUmask) {
  ScratchFolder folder;
  for (mode_t mask : {022, 027, 077}) {
    SCOPED_TRACE(mask);
    std::string target = folder / ("new" + std::to_string(mask) + ".txt");
    mode_t previous = umask(mask);
    std::string err;
    bool written = WriteThrough(target, {}, "text\n", &err);
    umask(previous);
    ASSERT_TRUE(written) << err;
    EXPECT_EQ("text\n", ReadFile(target));
    EXPECT_EQ(static_cast<mode_t>(S_IFREG | (0666 & ~mask)), ModeOf(target));
  }
  EXPECT_EQ(3u, Listing(folder.path()).size());
}

TEST(OutputFileTest, LeavesTheUsersTemporaryNamesAlone) {
  ScratchFolder folder;
  std::string target = folder / "out.txt";
  WriteText(target, "old\n");
  const char* names[] = {"out.txt.tmp", ".out.txt.tmp", "out.tmp", "out.txt~"};
  for (const char* name : names) WriteText(folder / name, name);
  std::string err;
  ASSERT_TRUE(WriteThrough(target, {}, "new\n", &err)) << err;
  EXPECT_EQ("new\n", ReadFile(target));
  for (const char* name : names) EXPECT_EQ(name, ReadFile(folder / name));
  EXPECT_EQ(5u, Listing(folder.path()).size());
}

TEST(OutputFileTest, TemporaryNamesAreHiddenBesideTheTarget) {
  struct {
    std::string target;
    uint64_t draw;
    std::string temporary;
  } cases[] = {
      {"out.txt", 0, "./.out.txt.00000000"},
      {"dir/out.txt", 1, "dir/.out.txt.10000000"},
      {"/out.txt", 61, "/.out.txt.Z0000000"},
      {"/a/b/out", 62, "/a/b/.out.01000000"},
      {"x", 62ull * 62 * 62 * 62 * 62 * 62 * 62 * 62, "./.x.00000000"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.temporary, HiddenName(c.target, c.draw));
  }
  std::string longName(300, 'n');
  std::string temporary = HiddenName(longName, 5);
  EXPECT_EQ("./." + std::string(200, 'n') + ".50000000", temporary);
}

TEST(OutputFileTest, DoesNotFollowALinkPlantedAtTheTemporaryName) {
  ScratchFolder folder;
  std::string target = folder / "out.txt";
  std::string victim = folder / "victim.txt";
  std::string absent = folder / "absent.txt";
  WriteText(victim, "keep me\n");
  // The first names the object will try are links: one to a file it would
  // clobber, one to a file it would create.
  ASSERT_EQ(
      0, symlink(victim.c_str(), HiddenName(target, 1).c_str()));
  ASSERT_EQ(
      0, symlink(absent.c_str(), HiddenName(target, 2).c_str()));
  uint64_t draw = 0;
  OutputFile output;
  output.SetNameSource([&draw] { return ++draw; });
  std::string err;
  ASSERT_TRUE(output.Open(target, {}, &err)) << err;
  ASSERT_TRUE(WriteStream(output.stream(), "new\n", &err)) << err;
  ASSERT_TRUE(output.Commit(&err)) << err;
  EXPECT_EQ(3u, draw);
  EXPECT_EQ("new\n", ReadFile(target));
  EXPECT_EQ("keep me\n", ReadFile(victim));
  EXPECT_NE(0, access(absent.c_str(), F_OK));
  EXPECT_TRUE(S_ISLNK(ModeOf(HiddenName(target, 1))));
  EXPECT_TRUE(S_ISLNK(ModeOf(HiddenName(target, 2))));
  EXPECT_EQ(4u, Listing(folder.path()).size());
}

TEST(OutputFileTest, GivesUpWhenEveryTemporaryNameIsTaken) {
  ScratchFolder folder;
  std::string target = folder / "out.txt";
  WriteText(HiddenName(target, 7), "planted\n");
  OutputFile output;
  output.SetNameSource([] { return uint64_t{7}; });
  std::string err;
  EXPECT_FALSE(output.Open(target, {}, &err));
  EXPECT_EQ(target + ": cannot create a temporary file in " + folder.path() +
                ": every name tried was taken",
            err);
  EXPECT_EQ("planted\n", ReadFile(HiddenName(target, 7)));
  EXPECT_EQ(1u, Listing(folder.path()).size());
}

TEST(OutputFileTest, RefusesTargetsItMustNotReplace) {
  ScratchFolder folder;
  WriteText(folder / "read-only.txt", "mine\n");
  ASSERT_EQ(0, chmod((folder / "read-only.txt").c_str(), 0444));
  WriteText(folder / "no-bits.txt", "mine\n");
  ASSERT_EQ(0, chmod((folder / "no-bits.txt").c_str(), 0));
  ASSERT_EQ(0, mkdir((folder / "dir").c_str(), 0755));
  ASSERT_EQ(0, symlink("nowhere", (folder / "dangling").c_str()));
  ASSERT_EQ(0, symlink("read-only.txt", (folder / "link-ro").c_str()));

  struct {
    std::string target;
    std::string reason;
  } cases[] = {
      {folder / "read-only.txt", "is read-only"},
      {folder / "no-bits.txt", "is read-only"},
      {folder / "link-ro", "is read-only"},
      {folder / "dir", "Is a directory"},
      {folder / "dir/", "Is a directory"},
      {folder / "new-dir/", "names a folder, not a file"},
      {folder / "dangling", "is a symbolic link to a file that does not exist"},
      {folder / "missing/out.txt", "cannot create a temporary file in " +
                                       folder.path() +
                                       "/missing: No such file or directory"},
      {folder / "read-only.txt/x", "Not a directory"},
      {"", "an empty file name"},
  };
  std::set<std::string> before = Listing(folder.path());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.target);
    std::string err;
    OutputFile output;
    EXPECT_FALSE(output.Open(c.target, {}, &err));
    // Every message names its target.
    EXPECT_EQ(c.target + ": " + c.reason, err);
    EXPECT_EQ(before, Listing(folder.path()));
    EXPECT_TRUE(Listing(folder / "dir").empty());
  }
  ASSERT_EQ(0, chmod((folder / "no-bits.txt").c_str(), 0600));
  EXPECT_EQ("mine\n", ReadFile(folder / "read-only.txt"));
  EXPECT_EQ("mine\n", ReadFile(folder / "no-bits.txt"));
  EXPECT_EQ(static_cast<mode_t>(S_IFREG | 0444),
            ModeOf(folder / "read-only.txt"));
}

TEST(OutputFileTest, WritesThroughALinkAndKeepsIt) {
  ScratchFolder folder;
  ASSERT_EQ(0, mkdir((folder / "real").c_str(), 0755));
  std::string real = folder / "real/out.txt";
  WriteText(real, "old\n");
  ASSERT_EQ(0, symlink("real/out.txt", (folder / "link.txt").c_str()));
  std::string err;
  ASSERT_TRUE(WriteThrough(folder / "link.txt", {}, "new\n", &err)) << err;
  EXPECT_TRUE(S_ISLNK(ModeOf(folder / "link.txt")));
  EXPECT_EQ("new\n", ReadFile(real));
  EXPECT_EQ((std::set<std::string>{"link.txt", "real"}),
            Listing(folder.path()));
  EXPECT_EQ(std::set<std::string>{"out.txt"}, Listing(folder / "real"));
}

TEST(OutputFileTest, WritesDevicesInPlace) {
  std::set<std::string> devices = Listing("/dev");
  std::string err;
  ASSERT_TRUE(WriteThrough("/dev/null", {}, "discarded\n", &err)) << err;
  EXPECT_TRUE(S_ISCHR(ModeOf("/dev/null")));

  OutputFile full;
  ASSERT_TRUE(full.Open("/dev/full", {}, &err)) << err;
  ASSERT_TRUE(WriteStream(full.stream(), "lost\n", &err)) << err;
  EXPECT_FALSE(full.Commit(&err));
  EXPECT_EQ("cannot write to /dev/full: No space left on device", err);
  EXPECT_TRUE(S_ISCHR(ModeOf("/dev/full")));
  EXPECT_EQ(devices, Listing("/dev"));
}

TEST(OutputFileTest, WritesAFifoInPlace) {
  ScratchFolder folder;
  std::string fifo = folder / "pipe";
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  // A reader that is there before the writer, so that opening for writing
  // does not wait.
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  std::string err;
  ASSERT_TRUE(WriteThrough(fifo, {}, "through the pipe\n", &err)) << err;
  char buffer[64] = {};
  ssize_t got = read(reader, buffer, sizeof buffer);
  close(reader);
  EXPECT_EQ(
      "through the pipe\n",
      std::string(buffer, static_cast<size_t>(std::max<ssize_t>(got, 0))));
  EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
  EXPECT_EQ(std::set<std::string>{"pipe"}, Listing(folder.path()));
}

TEST(OutputFileTest, StandardOutputIsTheGivenStream) {
  ScratchFolder folder;
  std::string captured = folder / "captured.txt";
  FILE* out = fopen(captured.c_str(), "wb");
  ASSERT_NE(nullptr, out);
  std::string err;
  {
    OutputFile output(out);
    ASSERT_TRUE(output.Open("-", {"-", captured + "-not"}, &err)) << err;
    EXPECT_EQ(out, output.stream());
    ASSERT_TRUE(WriteStream(output.stream(), "to standard output\n", &err));
    ASSERT_TRUE(output.Commit(&err)) << err;
  }
  // Still open: the caller owns it.
  EXPECT_TRUE(WriteStream(out, "more\n", &err)) << err;
  EXPECT_EQ(0, fclose(out));
  EXPECT_EQ("to standard output\nmore\n", ReadFile(captured));

  // Standard output redirected onto an input is refused too.
  FILE* appending = fopen(captured.c_str(), "ab");
  ASSERT_NE(nullptr, appending);
  OutputFile onInput(appending);
  EXPECT_FALSE(onInput.Open("-", {captured}, &err));
  EXPECT_EQ("standard output: is the same file as the input " + captured, err);
  fclose(appending);
}

TEST(OutputFileTest, UncommittedOutputLeavesNothingBehind) {
  ScratchFolder folder;
  std::string existing = folder / "existing.txt";
  WriteText(existing, "old\n");
  for (const std::string& target : {folder / "new.txt", existing}) {
    SCOPED_TRACE(target);
    OutputFile output;
    std::string err;
    ASSERT_TRUE(output.Open(target, {}, &err)) << err;
    ASSERT_TRUE(WriteStream(output.stream(), std::string(100000, 'x'), &err));
    // The existing file and a temporary one, or the new file's temporary;
    // where the system allows it, the temporary file has no name yet.
    EXPECT_LE(Listing(folder.path()).size(), 2u);
    EXPECT_GE(Listing(folder.path()).size(), 1u);
  }
  EXPECT_EQ(std::set<std::string>{"existing.txt"}, Listing(folder.path()));
  EXPECT_EQ("old\n", ReadFile(existing));

  // Opening again drops what the first Open prepared.
  OutputFile reopened;
  std::string err;
  ASSERT_TRUE(reopened.Open(folder / "first.txt", {}, &err)) << err;
  ASSERT_TRUE(reopened.Open(folder / "second.txt", {}, &err)) << err;
  ASSERT_TRUE(reopened.Commit(&err)) << err;
  EXPECT_EQ((std::set<std::string>{"existing.txt", "second.txt"}),
            Listing(folder.path()));
  EXPECT_FALSE(reopened.Commit(&err));
  EXPECT_EQ(folder / "second.txt: not open", err);
}

// Makes writes beyond `limit` bytes fail with EFBIG (instead of a signal)
// while it lives.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t limit) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit lowered = previous_;
    lowered.rlim_cur = limit;
    setrlimit(RLIMIT_FSIZE, &lowered);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit previous_{};
  void (*previousHandler_)(int) = SIG_DFL;
};

TEST(OutputFileTest, AFailedWriteLeavesTheTargetAsItWas) {
  ScratchFolder folder;
  std::string target = folder / "out.txt";
  WriteText(target, "old\n");
  // A short text fails when Commit flushes the stream's buffer; a long one
  // already in the write.
  struct {
    size_t size;
    const char* reason;
  } cases[] = {
      {1000, "File too large"},
      {1 << 16, "File too large"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    std::string err;
    {
      FileSizeLimit limit(100);
      EXPECT_FALSE(WriteThrough(target, {}, std::string(c.size, 'x'), &err));
    }
    EXPECT_EQ(LostWrite(target, c.reason), err);
    EXPECT_EQ("old\n", ReadFile(target));
    EXPECT_EQ(std::set<std::string>{"out.txt"}, Listing(folder.path()));
  }
}

TEST(OutputFileTest, CheckedWritesReportTheSystemsReason) {
  std::string err;
  FILE* full = fopen("/dev/full", "wb");
  ASSERT_NE(nullptr, full);
  EXPECT_TRUE(WriteStream(full, "buffered\n", &err));
  EXPECT_FALSE(FlushStream(full, &err));
  EXPECT_EQ("No space left on device", err);
  EXPECT_FALSE(WriteStream(full, "after the failure\n", &err));
  EXPECT_EQ("an earlier write failed", err);
  fclose(full);

  // What a closed standard output looks like once guarded: a descriptor
  // open for reading only.
  FILE* readOnly = fopen("/dev/null", "rb");
  ASSERT_NE(nullptr, readOnly);
  EXPECT_FALSE(WriteStream(readOnly, "x", &err) && FlushStream(readOnly, &err));
  EXPECT_EQ("Bad file descriptor", err);
  fclose(readOnly);

  FILE* null = fopen("/dev/null", "wb");
  ASSERT_NE(nullptr, null);
  EXPECT_TRUE(WriteStream(null, std::string(1 << 20, 'x'), &err));
  EXPECT_TRUE(FlushStream(null, &err));
  fclose(null);
}

}  // namespace
