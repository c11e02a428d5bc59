#include "testing/test_files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <vector>

ScratchFolder::ScratchFolder() {
  const char* base = std::getenv("TEST_TMPDIR");
  std::string pattern =
      std::string(base != nullptr ? base : "/tmp") + "/floorplan_XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) != nullptr) path_ = buffer.data();
}

namespace {

// Removes `top` and everything below it, folders the tests made unreadable
// or unwritable included: each folder is opened up before it is read, and
// the folders are removed last, deepest first. An explicit stack, as a test
// may nest folders deeply.
void RemoveTree(const std::string& top) {
  std::vector<std::string> pending{top};
  std::vector<std::string> folders;
  while (!pending.empty()) {
    std::string path = pending.back();
    pending.pop_back();
    struct stat info;
    if (lstat(path.c_str(), &info) != 0) continue;
    if (!S_ISDIR(info.st_mode)) {
      unlink(path.c_str());
      continue;
    }
    chmod(path.c_str(), (info.st_mode & 07777) | S_IRWXU);
    folders.push_back(path);
    for (const std::string& name : Listing(path)) {
      pending.push_back(path + "/" + name);
    }
  }
  for (size_t k = folders.size(); k-- > 0;) rmdir(folders[k].c_str());
}

}  // namespace

ScratchFolder::~ScratchFolder() {
  if (!path_.empty()) RemoveTree(path_);
}

CurrentFolder::CurrentFolder(const std::string& path) {
  char* here = getcwd(nullptr, 0);
  if (here != nullptr) previous_ = here;
  free(here);
  changed_ = chdir(path.c_str()) == 0;
}

CurrentFolder::~CurrentFolder() {
  if (changed_ && !previous_.empty()) (void)!chdir(previous_.c_str());
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

std::set<std::string> Listing(const std::string& folder) {
  std::set<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (dirent* entry = readdir(dir)) {
    std::string name = entry->d_name;
    if (name != "." && name != "..") names.insert(name);
  }
  closedir(dir);
  return names;
}
