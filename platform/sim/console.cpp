// The board's first serial port: a pseudo-terminal whose slave stands for
// "/dev/ttyS0" and whose master is the test fixture's end of the cable. The
// set opens it once, on first use, and keeps a descriptor of the slave open
// for good, so that the line stays up between the program's opens and closes
// and what the program wrote can still be read after it closed the port.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <string>

#include "simtv.h"
#include "simvalues.h"

namespace {

struct Terminal {
  int master = -1;
  int slave = -1;
  std::string slavePath;
};

Terminal Open() {
  Terminal t;
  t.master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (t.master < 0 || grantpt(t.master) != 0 || unlockpt(t.master) != 0) {
    std::fprintf(stderr, "SIMTV: no pseudo-terminal for the serial console: %s\n", std::strerror(errno));
    if (t.master >= 0) close(t.master);
    return Terminal{};
  }
  char name[128] = {};
  if (ptsname_r(t.master, name, sizeof name) != 0 ||
      (t.slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC)) < 0) {
    std::fprintf(stderr, "SIMTV: the serial console's terminal cannot be opened: %s\n", std::strerror(errno));
    close(t.master);
    return Terminal{};
  }
  t.slavePath = name;
  return t;
}

const Terminal& T() {
  static const Terminal terminal = Open();
  return terminal;
}

}  // namespace

namespace simtv {

std::string ConsoleDevice() { return T().slavePath; }

}  // namespace simtv

extern "C" {

int simtv_console_read(char* buffer, int size) {
  const Terminal& t = T();
  if (t.master < 0 || !buffer || size <= 0) return -1;
  // The kernel hands written bytes on to the master from a worker of its
  // own, a moment after the write; a poll of the master that finds nothing
  // finishes that hand-over first, so what was written is there at once,
  // however busy the machine.
  pollfd ready{t.master, POLLIN, 0};
  if (poll(&ready, 1, 0) <= 0) return 0;
  int total = 0;
  while (total < size) {
    const ssize_t got = read(t.master, buffer + total, size_t(size - total));
    if (got <= 0) break;
    total += int(got);
  }
  return total;
}

int simtv_console_settings(struct termios* settings) {
  const Terminal& t = T();
  if (t.slave < 0 || !settings) return -1;
  return tcgetattr(t.slave, settings) == 0 ? 0 : -1;
}

}  // extern "C"
