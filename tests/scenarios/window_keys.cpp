// window_keys: a keyboard and an eye on a window of the X display, for the
// tests of tvui's desktop window on a display of their own (Xvfb has no
// input of its own to drive).
//
//   window_keys TITLE key KEYSYM...   presses and releases each key in turn in
//                                     the window (KEYSYM as X names it: p, g)
//   window_keys TITLE hold KEYSYM MS  holds the key down for MS milliseconds
//   window_keys TITLE pixel X Y       prints the window's pixel as 0xRRGGBB
//
// TITLE is the beginning of the window's title. Exit status: 0 done, 1 no
// such window or key, 2 usage.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// The first window, top-level or below, whose title begins with the text.
Window FindWindow(Display* display, Window under, const std::string& title) {
  char* name = nullptr;
  if (XFetchName(display, under, &name) && name) {
    const bool found = std::strncmp(name, title.c_str(), title.size()) == 0;
    XFree(name);
    if (found) return under;
  }
  Window root = 0, parent = 0;
  Window* children = nullptr;
  unsigned count = 0;
  Window found = 0;
  if (!XQueryTree(display, under, &root, &parent, &children, &count)) return 0;
  for (unsigned i = 0; i < count && !found; ++i) found = FindWindow(display, children[i], title);
  if (children) XFree(children);
  return found;
}

// Presses (down), releases (up) or presses and releases the key.
enum class Stroke { Down, Up, Both };

bool SendKey(Display* display, Window window, const char* keysymName, Stroke stroke = Stroke::Both) {
  const KeySym keysym = XStringToKeysym(keysymName);
  const KeyCode keycode = keysym == NoSymbol ? 0 : XKeysymToKeycode(display, keysym);
  if (!keycode) {
    std::fprintf(stderr, "window_keys: no key %s on this display\n", keysymName);
    return false;
  }
  XKeyEvent key{};
  key.display = display;
  key.window = window;
  key.root = DefaultRootWindow(display);
  key.time = CurrentTime;
  key.same_screen = True;
  key.keycode = keycode;
  for (int type : {KeyPress, KeyRelease}) {
    if ((type == KeyPress && stroke == Stroke::Up) || (type == KeyRelease && stroke == Stroke::Down)) continue;
    key.type = type;
    XEvent event{};
    event.xkey = key;
    XSendEvent(display, window, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, &event);
  }
  XSync(display, False);
  return true;
}

int Usage() {
  std::fprintf(stderr,
               "usage: window_keys TITLE key KEYSYM...\n       window_keys TITLE hold KEYSYM MS\n"
               "       window_keys TITLE pixel X Y\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return Usage();
  const std::string command = argv[2];
  if ((command == "pixel" || command == "hold") && argc != 5) return Usage();
  if (command != "pixel" && command != "key" && command != "hold") return Usage();
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "window_keys: no display\n");
    return 1;
  }
  const Window window = FindWindow(display, DefaultRootWindow(display), argv[1]);
  int status = 0;
  if (!window) {
    std::fprintf(stderr, "window_keys: no window titled %s...\n", argv[1]);
    status = 1;
  } else if (command == "key") {
    for (int i = 3; i < argc && status == 0; ++i)
      if (!SendKey(display, window, argv[i])) status = 1;
  } else if (command == "hold") {
    if (!SendKey(display, window, argv[3], Stroke::Down)) {
      status = 1;
    } else {
      const long ms = std::atol(argv[4]);
      const timespec held{ms / 1000, (ms % 1000) * 1000000L};
      nanosleep(&held, nullptr);
      SendKey(display, window, argv[3], Stroke::Up);
    }
  } else {
    XImage* image = XGetImage(display, window, std::atoi(argv[3]), std::atoi(argv[4]), 1, 1, AllPlanes, ZPixmap);
    if (!image) {
      std::fprintf(stderr, "window_keys: the window's pixel cannot be read\n");
      status = 1;
    } else {
      std::printf("0x%06lX\n", XGetPixel(image, 0, 0) & 0xFFFFFF);
      XDestroyImage(image);
    }
  }
  XCloseDisplay(display);
  return status;
}
