// The safe-rewrite floor of the benchmark: the least a rewrite that keeps Nosk's promises does
// to each script, with no parsing and no edit. For every regular file named on the command line:
// open it, read it and write its bytes (through one 256 KB buffer) to a new temporary file beside
// it (O_EXCL, 0600), give it the script's mode, link the inode read into Nosk_backup, exchange the
// two names and remove the temporary name; then one syncfs for the run.
//   nosk_bench_rewrite_floor FILE...
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

[[noreturn]] void Fail(const std::string& what) {
  std::fprintf(stderr, "nosk_bench_rewrite_floor: %s: %s\n", what.c_str(), std::strerror(errno));
  std::exit(1);
}

// The folder part and the name part of a path.
std::pair<std::string, std::string> Split(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path};
  return {path.substr(0, slash + 1), path.substr(slash + 1)};
}

// The folder being rewritten and its backup folder, opened once for all its scripts.
struct OpenFolder {
  std::string path;
  int folder = -1;
  int backups = -1;
};

void RewriteOne(const std::string& path, std::vector<char>& buffer, OpenFolder& open) {
  const auto [folderPath, name] = Split(path);
  if (folderPath != open.path) {
    if (open.folder >= 0) ::close(open.folder);
    if (open.backups >= 0) ::close(open.backups);
    open.path = folderPath;
    open.folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (open.folder < 0) Fail(folderPath);
    ::mkdirat(open.folder, "Nosk_backup", 0755);
    open.backups = ::openat(open.folder, "Nosk_backup", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (open.backups < 0) Fail(folderPath + "Nosk_backup");
  }
  const int folder = open.folder;
  const int backups = open.backups;
  const int script = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  struct stat status {};
  if (script < 0 || ::fstat(script, &status) != 0) Fail(path);
  const std::string temporary = ".floor-" + name + ".tmp";
  const int output = ::openat(folder, temporary.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (output < 0) Fail(temporary);
  // Through one small buffer, as cp does: the least reading and writing can cost.
  for (off_t at = 0; at < status.st_size;) {
    const ssize_t got = ::pread(script, buffer.data(), buffer.size(), at);
    if (got <= 0) Fail(path);
    for (ssize_t written = 0; written < got;) {
      const ssize_t put =
          ::write(output, buffer.data() + written, static_cast<std::size_t>(got - written));
      if (put <= 0) Fail(temporary);
      written += put;
    }
    at += got;
  }
  if (::fchmod(output, status.st_mode & 07777) != 0 || ::close(output) != 0) Fail(temporary);
  const std::string self = "/proc/self/fd/" + std::to_string(script);
  if (::linkat(AT_FDCWD, self.c_str(), backups, (name + ".~1~").c_str(), AT_SYMLINK_FOLLOW) != 0) {
    Fail("backup of " + path);
  }
  if (::syscall(SYS_renameat2, folder, temporary.c_str(), folder, name.c_str(), RENAME_EXCHANGE) !=
          0 ||
      ::unlinkat(folder, temporary.c_str(), 0) != 0) {
    Fail(path);
  }
  ::close(script);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<char> buffer(256 * 1024);
  OpenFolder open;
  for (int i = 1; i < argc; ++i) RewriteOne(argv[i], buffer, open);
  if (open.folder >= 0 && ::syncfs(open.folder) != 0) Fail("syncfs");
  return 0;
}
