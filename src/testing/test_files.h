// Test support: a private folder per test, and the files in it.
#ifndef FLOORPLAN_TESTING_TEST_FILES_H_
#define FLOORPLAN_TESTING_TEST_FILES_H_

#include <set>
#include <string>

// A fresh folder under $TEST_TMPDIR (or /tmp), removed with everything in it
// when the object goes. path() is empty when the folder could not be made.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  // The path of `name` inside the folder.
  std::string operator/(const std::string& name) const {
    return path_ + "/" + name;
  }

 private:
  std::string path_;
};

// Makes `path` the current folder while the object lives, for what a
// program writes beside where it was started. `changed()` is false when the
// folder could not be entered.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& path);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

  bool changed() const { return changed_; }

 private:
  std::string previous_;
  bool changed_ = false;
};

// Creates or truncates `path` and writes `text` to it.
void WriteText(const std::string& path, const std::string& text);

// The names in `folder`, without "." and "..".
std::set<std::string> Listing(const std::string& folder);

#endif  // FLOORPLAN_TESTING_TEST_FILES_H_
