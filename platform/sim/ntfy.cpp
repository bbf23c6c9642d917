#include "ntfy.h"

#include <cstdlib>

#include "simkernel.h"

namespace {

// The simulated player's one queue.
constexpr int32_t kQueue = 1;

// A message is its code; the texts are not looked at by the simulated player.
struct Message {
  int32_t code;
};

}  // namespace

extern "C" {

int32_t ntfy_get_mqid(void) {
  simk::Record("ntfy_get_mqid");
  int32_t code = 0;
  return simk::Fails("ntfy_get_mqid", &code) ? -1 : kQueue;
}

int32_t ntfy_convert_strings_to_sysv_msg(int32_t code, const char* first, const char* second, void** message) {
  simk::Record("ntfy_convert_strings_to_sysv_msg", simk::CallArgs{}.Int(code).Text(first).Text(second));
  int32_t failure = 0;
  if (!message) return -1;
  if (simk::Fails("ntfy_convert_strings_to_sysv_msg", &failure)) return failure;
  auto* made = static_cast<Message*>(std::malloc(sizeof(Message)));
  if (!made) return -1;
  made->code = code;
  *message = made;
  return 0;
}

int32_t ntfy_send_sysv_msg(int32_t queue, void* message) {
  const int32_t code = message ? static_cast<Message*>(message)->code : -1;
  simk::Record("ntfy_send_sysv_msg", simk::CallArgs{}.Int(queue).Int(code));
  int32_t failure = 0;
  if (simk::Fails("ntfy_send_sysv_msg", &failure)) return failure;
  return queue == kQueue && message ? 0 : -1;
}

void ntfy_free_sysv_msg(void* message) {
  simk::Record("ntfy_free_sysv_msg");
  std::free(message);
}

}  // extern "C"
