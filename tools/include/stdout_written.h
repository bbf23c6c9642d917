#pragma once

#include <cerrno>
#include <cstdio>
#include <cstring>

// Whether all a service tool printed reached its standard output. A dump
// that could not be written whole (a full disk behind it) was not given:
// the tool says so on standard error, in its own name, and does not end well.
inline bool StdoutWritten(const char* tool) {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  const int reason = errno;
  std::fprintf(stderr, "%s: the standard output could not be written%s%s\n", tool, reason ? ": " : "",
               reason ? std::strerror(reason) : "");
  return false;
}
