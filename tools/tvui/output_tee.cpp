#include "output_tee.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace OutputTee {
namespace {

// A marker that ends a drain; it is never passed on.
constexpr char kMarker[] = "\x1e" "tvui-drain" "\x1e";

struct State {
  std::mutex mutex;
  std::condition_variable drained;
  // The product's output from `dropped` on.
  std::string copy;
  size_t dropped = 0;
  unsigned long markers = 0;
  int pipeIn = -1;
  int savedOut = -1;
  int savedErr = -1;
  // Read without the mutex by a thread that ends the process.
  std::atomic<bool> running = false;
  // Set as a sanitizer ends the process: a thread that never lets go may
  // hold the standard streams then.
  std::atomic<bool> abandoned = false;
  bool keepCopy = false;
  bool quiet = false;
  bool colours = false;
  int escape = 0;  // 1 after ESC, 2 inside a control sequence
};

State& S() {
  static State s;
  return s;
}

// The copy holds at most this much: a soak of many thousand lines keeps its
// memory flat, and a block of expectations looks at far less.
constexpr size_t kKeptBytes = 64 * 1024;

void Keep(State& s, const std::string& text) {
  s.copy += text;
  if (s.copy.size() <= kKeptBytes) return;
  // Half at a time, so that the front is not moved for every line.
  const size_t cut = s.copy.size() - kKeptBytes / 2;
  s.copy.erase(0, cut);
  s.dropped += cut;
}

// Set when a write to the terminal's standard output failed: what the run
// says there, its verdict too, did not reach it.
std::atomic<bool> outputLost = false;

void WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t done = write(fd, data, size);
    if (done < 0 && errno == EINTR) continue;
    if (done <= 0) {
      if (fd == 1 || fd == S().savedOut) outputLost = true;
      return;
    }
    data += done;
    size -= size_t(done);
  }
}

// Drops ANSI control sequences (ESC [ ... final byte), also when one is
// split between two reads.
std::string WithoutColours(const std::string& text, int* escape) {
  std::string plain;
  for (char c : text) {
    if (*escape == 1) {
      *escape = c == '[' ? 2 : 0;
    } else if (*escape == 2) {
      if (c >= 0x40 && c <= 0x7E) *escape = 0;
    } else if (c == '\x1b') {
      *escape = 1;
    } else {
      plain += c;
    }
  }
  return plain;
}

void PassOn(const std::string& text) {
  State& s = S();
  if (s.quiet || text.empty()) return;
  if (s.colours) {
    WriteAll(s.savedOut, text.data(), text.size());
    return;
  }
  const std::string plain = WithoutColours(text, &s.escape);
  WriteAll(s.savedOut, plain.data(), plain.size());
}

void Reader(int fd) {
  State& s = S();
  std::string pending;
  char chunk[4096];
  for (;;) {
    ssize_t got = read(fd, chunk, sizeof chunk);
    if (got <= 0) return;
    pending.append(chunk, size_t(got));
    for (;;) {
      size_t at = pending.find(kMarker);
      // A marker may arrive in two reads: keep back a tail that could start one.
      size_t keep = 0;
      if (at == std::string::npos) {
        for (size_t n = std::min(pending.size(), sizeof kMarker - 2); n > 0 && keep == 0; --n)
          if (pending.compare(pending.size() - n, n, kMarker, n) == 0) keep = n;
      }
      std::string text = pending.substr(0, at == std::string::npos ? pending.size() - keep : at);
      PassOn(text);
      std::lock_guard guard(s.mutex);
      if (s.keepCopy) Keep(s, text);
      if (at == std::string::npos) {
        pending.erase(0, pending.size() - keep);
        break;
      }
      pending.erase(0, at + sizeof kMarker - 1);
      ++s.markers;
      s.drained.notify_all();
    }
  }
}

}  // namespace

void Start(bool keepCopy, bool quiet) {
  State& s = S();
  int fds[2];
  if (s.running || (!keepCopy && !quiet) || pipe(fds) != 0) return;
  std::fflush(nullptr);
  s.savedOut = dup(1);
  s.savedErr = dup(2);
  s.keepCopy = keepCopy;
  s.quiet = quiet;
  s.colours = isatty(s.savedOut) != 0;
  s.pipeIn = fds[1];
  dup2(fds[1], 1);
  dup2(fds[1], 2);
  s.running = true;
  std::thread(Reader, fds[0]).detach();
}

size_t Drain() {
  State& s = S();
  if (!s.running) return 0;
  std::fflush(nullptr);
  unsigned long wanted;
  {
    std::lock_guard guard(s.mutex);
    wanted = s.markers + 1;
  }
  WriteAll(s.pipeIn, kMarker, sizeof kMarker - 1);
  std::unique_lock lock(s.mutex);
  s.drained.wait(lock, [&] { return s.markers >= wanted; });
  return s.dropped + s.copy.size();
}

std::string Since(size_t offset, size_t* from) {
  State& s = S();
  std::lock_guard guard(s.mutex);
  *from = std::max(offset, s.dropped);
  return *from - s.dropped < s.copy.size() ? s.copy.substr(*from - s.dropped) : std::string();
}

void Forget(size_t offset) {
  State& s = S();
  std::lock_guard guard(s.mutex);
  if (offset <= s.dropped) return;
  const size_t cut = std::min(offset - s.dropped, s.copy.size());
  s.copy.erase(0, cut);
  s.dropped += cut;
}

int ErrorFd() {
  State& s = S();
  return s.running ? s.savedErr : 2;
}

void Stop() {
  State& s = S();
  if (!s.running) return;
  Drain();
  dup2(s.savedOut, 1);
  dup2(s.savedErr, 2);
  s.running = false;
}

void Abandon() {
  State& s = S();
  s.abandoned = true;
  if (!s.running.exchange(false)) return;
  dup2(s.savedOut, 1);
  dup2(s.savedErr, 2);
}

bool OutputLost() { return outputLost; }

void Say(const std::string& line, bool failure) {
  State& s = S();
  const std::string text = line + "\n";
  if (!s.running) {
    if (!s.abandoned) std::fflush(nullptr);
    WriteAll(failure ? 2 : 1, text.data(), text.size());
    return;
  }
  Drain();
  WriteAll(failure ? s.savedErr : s.savedOut, text.data(), text.size());
}

}  // namespace OutputTee
