// The racing program of the fault suite: exchanges two names in a folder again and again, as
// fast as it can, until it is killed.
//   nosk_test_swapper FOLDER NAME NAME
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s FOLDER NAME NAME\n", argv[0]);
    return 2;
  }
  const int folder = open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) {
    std::perror(argv[1]);
    return 1;
  }
  for (;;) {
    if (syscall(SYS_renameat2, folder, argv[2], folder, argv[3], RENAME_EXCHANGE) != 0) {
      std::perror("renameat2");
      return 1;
    }
  }
}
