#include "product_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "Constants/Constants.h"
#include "Core/Group.h"
#include "Events/Events.h"
#include "MainApp/Messages.h"
#include "MainApp/PersistentData.h"
#include "gui_loop.h"
#include "nvpath.h"
#include "simtv.h"

namespace TvuiProduct {

namespace {

bool Number(const std::string& text, int32_t* value) {
  if (text.empty()) return false;
  errno = 0;
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 0);
  if (errno != 0 || *end != '\0') return false;
  *value = int32_t(parsed);
  return true;
}

std::string Dispatch(Core::Event* event) {
  XObject* root = rootObject.load();
  if (!root) return "the GUI has no root";
  CoreGroup__DispatchEvent(static_cast<Core::Group*>(root), event);
  return {};
}

std::string DispatchLine(const std::vector<ScenarioToken>& t) {
  if (t.size() < 2) return "dispatch what?";
  const std::string& what = t[1].text;
  if (what == "factory-reset" && t.size() == 2) return Dispatch(VgNew<Events::XPM_EVENT_FACTORY_RESET>());
  if (what == "restart-setup" && t.size() == 2) {
    MainApp::SendMessage(Constants::MSG_RESTART_INITIAL_SETUP);
    return {};
  }
  int32_t seconds = 0;
  if (what == "dpms" && t.size() == 3 && Number(t[2].text, &seconds)) {
    auto* dpms = VgNew<Events::XPM_EVENT_DPMS>();
    dpms->Seconds = seconds;
    return Dispatch(dpms);
  }
  return "dispatch takes factory-reset, restart-setup or dpms SECONDS";
}

std::string BackupLine(const std::vector<ScenarioToken>& t) {
  if (t.size() != 3) return "expect-backup takes a key and a value";
  std::ifstream file(NvPath("/mnt/nvram/APP_NVRAM.dat.bakup"), std::ios::binary);
  if (!file) return "there is no settings backup";
  const std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::string head = "[" + t[1].text + "]=<";
  const size_t at = content.find(head);
  if (at == std::string::npos) return "the settings backup holds no key " + t[1].text;
  const size_t end = content.find('>', at + head.size());
  const std::string value = content.substr(at + head.size(), end - at - head.size());
  if (value != t[2].text) return "the settings backup holds " + t[1].text + " = " + value;
  return {};
}

std::string UsbLine(const std::vector<ScenarioToken>& t) {
  if (t.size() == 2 && t[1].text == "remove") {
    simtv_usb_remove();
    return {};
  }
  int32_t kb = SIMTV_USB_DEFAULT_KB;
  if (t.size() < 2 || t.size() > 4 || t[1].text != "insert" || (t.size() > 2 && !Number(t[2].text, &kb)) || kb <= 0)
    return "usb takes insert [KB [FILESYSTEM]] or remove";
  simtv_usb_insert(uint32_t(kb), t.size() > 3 ? t[3].text.c_str() : "FAT32");
  return {};
}

}  // namespace

std::string RunLine(const std::vector<ScenarioToken>& t, bool* known) {
  *known = true;
  const std::string& command = t[0].text;
  if (command == "dispatch") return DispatchLine(t);
  if (command == "expect-backup") return BackupLine(t);
  if (command == "store") {
    if (t.size() != 3) return "store takes a key and a value";
    MainApp::GetPersistentData()->PutString(VgNewStringAnsi(t[1].text.c_str()), VgNewStringAnsi(t[2].text.c_str()));
    return {};
  }
  if (command == "live-tv") {
    int32_t window = 0;
    int32_t state = 0;
    if (t.size() != 3 || !Number(t[1].text, &window) || !Number(t[2].text, &state) || window < 0 || window > 1)
      return "live-tv takes a window (0 or 1) and a state";
    simtv_tv_set_live_tv_state(window, state);
    return {};
  }
  if (command == "usb") return UsbLine(t);
  if (command == "recording") {
    int32_t minutes = 0;
    if (t.size() != 3 || !Number(t[2].text, &minutes) || minutes < 0) return "recording takes a title and minutes";
    XPM_RecordedShow show{};
    std::snprintf(show.title, sizeof show.title, "%s", t[1].text.c_str());
    std::string file = t[1].text;
    std::replace_if(file.begin(), file.end(), [](char c) { return c == ' ' || c == '/' || c == '.'; }, '_');
    std::snprintf(show.fileName, sizeof show.fileName, "%s.trp", file.c_str());
    show.startTime = show.recordTime = simtv_tv_local_time() - int64_t(minutes) * 60;
    show.duration = minutes * 60;
    show.state = 19;
    simtv_tv_add_recording(XPM_USB_DISK_MOUNT_POINT, &show);
    return {};
  }
  *known = false;
  return {};
}

}  // namespace TvuiProduct
