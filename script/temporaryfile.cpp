#include "script/temporaryfile.h"

#include <fcntl.h>
#include <sys/random.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>

#include "script/ascii.h"

namespace nosk::script {
namespace {

constexpr std::string_view kPrefix = ".nosk-";
constexpr std::string_view kSuffix = ".tmp";
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The files a signal handler removes. A handler may only touch what is async-signal-safe: fixed
// storage, and a folder descriptor published last, after the name is in place.
struct Registered {
  std::atomic<int> folder{-1};
  char name[64] = {};
};
std::array<Registered, 4> registered;

int Register(int folder, const std::string& name) {
  for (std::size_t i = 0; i < registered.size(); ++i) {
    if (registered[i].folder.load() != -1 || name.size() >= sizeof registered[i].name) continue;
    std::memcpy(registered[i].name, name.c_str(), name.size() + 1);
    registered[i].folder.store(folder);
    return static_cast<int>(i);
  }
  return -1;
}

void Unregister(int& slot) {
  if (slot >= 0) registered[static_cast<std::size_t>(slot)].folder.store(-1);
  slot = -1;
}

std::array<struct sigaction, 3> previousActions;

extern "C" void RemoveRegisteredAndEnd(int signal) {
  for (Registered& file : registered) {
    const int folder = file.folder.exchange(-1);
    if (folder >= 0) ::unlinkat(folder, file.name, 0);
  }
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

// Eight bytes from the kernel's random source, drawn 256 at a time: a run names a temporary
// file per script, and one call per name was most of the calls of naming it. Each name still
// gets bytes of its own that nobody else has seen.
std::string RandomHex() {
  thread_local unsigned char pool[256];
  thread_local std::size_t used = sizeof pool;
  constexpr std::size_t kTaken = 8;
  if (used + kTaken > sizeof pool) {
    std::size_t filled = 0;
    while (filled < sizeof pool) {
      const ssize_t got = ::getrandom(pool + filled, sizeof pool - filled, 0);
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      filled += static_cast<std::size_t>(got);
    }
    if (filled < sizeof pool) std::memset(pool + filled, 0, sizeof pool - filled);
    used = 0;
  }
  const std::string hex =
      HexText(std::string_view(reinterpret_cast<const char*>(pool + used), kTaken));
  std::memset(pool + used, 0, kTaken);  // not kept once used
  used += kTaken;
  return hex;
}

// The process id in a temporary name, or 0 when the name is none.
long ProcessOf(std::string_view name) {
  if (!IsTemporaryName(name)) return 0;
  name.remove_prefix(kPrefix.size());
  long pid = 0;
  for (const char c : name.substr(0, name.find('-'))) pid = pid * 10 + (c - '0');
  return pid;
}

}  // namespace

bool IsTemporaryName(std::string_view name) {
  if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix)) return false;
  name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || dash + 1 == name.size() || dash > 10) {
    return false;
  }
  for (std::size_t i = 0; i < name.size(); ++i) {
    const char c = name[i];
    const bool digit = c >= '0' && c <= '9';
    if (i < dash ? !digit : i > dash && !digit && !(c >= 'a' && c <= 'f')) return false;
  }
  return true;
}

TemporaryFile::~TemporaryFile() { Remove(); }

Outcome TemporaryFile::Create(const Folder& folder) {
  Remove();
  for (int attempt = 0; attempt < 10; ++attempt) {
    static const std::string ownPrefix = std::string(kPrefix) + std::to_string(::getpid()) + "-";
    const std::string name = ownPrefix + RandomHex() + std::string(kSuffix);
    // Registered before it exists: a signal between the two removes nothing, or this very file.
    slot_ = Register(folder.Descriptor(), name);
    Outcome created = output_.CreateNewIn(folder.Descriptor(), name, 0600);
    if (created) {
      folder_ = folder.Descriptor();
      name_ = name;
      return created;
    }
    Unregister(slot_);
    if (output_.FirstError() != EEXIST) return created;
  }
  return Outcome::Failure(Message::System(EEXIST));
}

bool TemporaryFile::Write(std::string_view bytes) { return output_.Write(bytes); }

void TemporaryFile::Keep() {
  Unregister(slot_);
  folder_ = -1;
  name_.clear();
}

void TemporaryFile::Remove() {
  Unregister(slot_);
  if (folder_ >= 0) ::unlinkat(folder_, name_.c_str(), 0);
  folder_ = -1;
  name_.clear();
}

InterruptCleanup::InterruptCleanup() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    struct sigaction action {};
    action.sa_handler = RemoveRegisteredAndEnd;
    sigemptyset(&action.sa_mask);
    ::sigaction(kSignals[i], nullptr, &previousActions[i]);
    if (previousActions[i].sa_handler == SIG_IGN) continue;
    ::sigaction(kSignals[i], &action, nullptr);
  }
}

InterruptCleanup::~InterruptCleanup() {
  for (std::size_t i = 0; i < std::size(kSignals); ++i) {
    ::sigaction(kSignals[i], &previousActions[i], nullptr);
  }
}

void RemoveStaleTemporaryFiles(const Folder& folder) {
  static const uid_t runner = ::geteuid();
  folder.ForEachEntry([&](const std::string& name) {
    const long pid = ProcessOf(name);
    if (pid <= 0 || pid == ::getpid()) return;
    struct stat status {};
    if (folder.StatEntry(name, status) != 0 || !S_ISREG(status.st_mode) ||
        status.st_uid != runner) {
      return;
    }
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      ::unlinkat(folder.Descriptor(), name.c_str(), 0);
    }
  });
}

}  // namespace nosk::script
