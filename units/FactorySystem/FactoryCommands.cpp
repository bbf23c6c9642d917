// For now the operations only note what was asked of them: leaving the M mode
// and choosing a model are the command processor's, which takes their place.
#include "FactorySystem/FactoryCommands.h"

#include <mutex>

namespace FactoryCommands {
namespace {

std::mutex g_mutex;
Requests g_requests;

}  // namespace

Requests Requested() {
  std::lock_guard lock(g_mutex);
  return g_requests;
}

void ResetRequests() {
  std::lock_guard lock(g_mutex);
  g_requests = Requests{};
}

}  // namespace FactoryCommands

int32_t FactoryCommandExitMMode() {
  std::lock_guard lock(FactoryCommands::g_mutex);
  ++FactoryCommands::g_requests.exitMMode;
  return 1;
}

int32_t ServiceSelectModel(int32_t row) {
  std::lock_guard lock(FactoryCommands::g_mutex);
  ++FactoryCommands::g_requests.selectModel;
  FactoryCommands::g_requests.lastModelRow = row;
  return 1;
}
