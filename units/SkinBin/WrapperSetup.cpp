// The television model's operations behind the setup options: the aspect
// flags of the preferred view mode, the channel-browser list kinds, the
// set's inputs and the names of caption languages.
#include <cstring>
#include <string>

#include "PersistentData/PersistentData.h"
#include "SkinBin/Wrapper.h"
#include "vgdebug.h"
#include "xpm.h"

namespace SkinBin {

namespace {

constexpr int32_t kMainWindow = 0;
constexpr int32_t kAutoAspectFlag = 0x100;
constexpr int32_t kStretch43Flag = 0x200;
constexpr int32_t kCBListKinds = 8;

// The settings keys of the inputs' settings, with the source id appended,
// and of the PINs.
constexpr char kSourceLabel[] = "SourceLabel_";
constexpr char kSourceCustomLabel[] = "SourceCustomLabel_";
constexpr char kSourceDisable[] = "SourceDisable_";
constexpr char kParentalPinKey[] = "Password";
constexpr char k3DPinKey[] = "ThreeDPassword";

enum CBListKind : int32_t { kHistory = 0, kAntCable = 1, kInputs = 2, kFavorites = 3, kNOVIQLink = 4 };

struct LanguageName {
  const char* code;
  const char* name;
};

// Broadcasters use both the bibliographic and the terminological codes.
constexpr LanguageName kLanguageNames[] = {
    {"eng", "English"}, {"fra", "French"},  {"fre", "French"},     {"spa", "Spanish"},
    {"esl", "Spanish"}, {"deu", "German"},  {"ger", "German"},     {"ita", "Italian"},
    {"por", "Portuguese"}, {"kor", "Korean"}, {"jpn", "Japanese"}, {"chi", "Chinese"},
    {"zho", "Chinese"}, {"vie", "Vietnamese"},
};

int32_t ReadViewWord() {
  int32_t word = 0;
  if (int32_t status = XPM_GetAvProperty(kMainWindow, XPM_AV_PROP_PREFER_VIEW_MODE, &word); status != 0)
    VgPrint("Wrapper: reading the preferred view mode failed (error %d)\n", status);
  return word;
}

void WriteViewFlag(int32_t flag, int32_t on) {
  int32_t word = ReadViewWord();
  word = on ? (word | flag) : (word & ~flag);
  if (int32_t status = XPM_SetAvProperty(kMainWindow, XPM_AV_PROP_PREFER_VIEW_MODE, word); status != 0)
    VgPrint("Wrapper: setting the preferred view mode to 0x%x failed (error %d)\n", word, status);
}

}  // namespace

int32_t Wrapper::OnGetAutoAspect() { return (ReadViewWord() & kAutoAspectFlag) != 0 ? 1 : 0; }
void Wrapper::OnSetAutoAspect(int32_t value) { WriteViewFlag(kAutoAspectFlag, value); }
int32_t Wrapper::OnGetStretch43() { return (ReadViewWord() & kStretch43Flag) != 0 ? 1 : 0; }
void Wrapper::OnSetStretch43(int32_t value) { WriteViewFlag(kStretch43Flag, value); }

bool Wrapper::IsCBListEnabled(int32_t kind) {
  if (kind < 0 || kind >= kCBListKinds) return false;
  return (OnGetCBListMask() >> kind & 1) != 0;
}

void Wrapper::SetCBListStatus(int32_t kind, bool enabled) {
  if (kind < 0 || kind >= kCBListKinds) {
    VgPrint("Wrapper: no channel-browser list kind %d\n", kind);
    return;
  }
  int32_t mask = OnGetCBListMask();
  int32_t changed = enabled ? (mask | 1 << kind) : (mask & ~(1 << kind));
  // The mask is written through to the settings file, so only real changes go out.
  if (changed != mask) OnSetCBListMask(changed);
}

int32_t Wrapper::OnGetHistoryList() { return IsCBListEnabled(kHistory) ? 1 : 0; }
void Wrapper::OnSetHistoryList(int32_t value) { SetCBListStatus(kHistory, value != 0); }
int32_t Wrapper::OnGetAntCableList() { return IsCBListEnabled(kAntCable) ? 1 : 0; }
void Wrapper::OnSetAntCableList(int32_t value) { SetCBListStatus(kAntCable, value != 0); }
int32_t Wrapper::OnGetInputsList() { return IsCBListEnabled(kInputs) ? 1 : 0; }
void Wrapper::OnSetInputsList(int32_t value) { SetCBListStatus(kInputs, value != 0); }
int32_t Wrapper::OnGetFavoritesList() { return IsCBListEnabled(kFavorites) ? 1 : 0; }
void Wrapper::OnSetFavoritesList(int32_t value) { SetCBListStatus(kFavorites, value != 0); }
int32_t Wrapper::OnGetNOVIQLinkList() { return IsCBListEnabled(kNOVIQLink) ? 1 : 0; }
void Wrapper::OnSetNOVIQLinkList(int32_t value) { SetCBListStatus(kNOVIQLink, value != 0); }

int32_t Wrapper::GetValidSourceNum() {
  int32_t count = 0;
  if (int32_t status = XPM_GetSourceList(nullptr, 0, &count); status != 0) {
    VgPrint("Wrapper: reading the inputs failed (error %d)\n", status);
    return 0;
  }
  // The input lists are indexed by this count; the middleware may report more
  // inputs than GetSourceId can reach.
  if (count > XPM_MAX_SOURCES) count = XPM_MAX_SOURCES;
  return count < 0 ? 0 : count;
}

VgString Wrapper::SourceKey(const char* prefix, int32_t source) {
  return VgNewStringAnsi((prefix + std::to_string(source)).c_str());
}

bool Wrapper::GetSourceDisable(int32_t source) {
  ::PersistentData::PersistentData* store = Store();
  if (!store) return false;
  VgString key = SourceKey(kSourceDisable, source);
  return store->IsStringExist(key) && store->GetInteger(key) != 0;
}

void Wrapper::SetSourceDisable(int32_t source, bool disable) {
  PutSourceText(kSourceDisable, source, disable ? VgNewStringInt(1, 0) : nullptr);
}

VgString Wrapper::GetSourceLabel(int32_t source) {
  ::PersistentData::PersistentData* store = Store();
  VgString key = SourceKey(kSourceLabel, source);
  return store && store->IsStringExist(key) ? store->GetString(key) : nullptr;
}

void Wrapper::SetSourceLabel(int32_t source, VgString label) { PutSourceText(kSourceLabel, source, label); }

VgString Wrapper::GetSourceCustomLabel(int32_t source) {
  ::PersistentData::PersistentData* store = Store();
  VgString key = SourceKey(kSourceCustomLabel, source);
  return store && store->IsStringExist(key) ? store->GetString(key) : nullptr;
}

void Wrapper::SetSourceCustomLabel(int32_t source, VgString label) {
  PutSourceText(kSourceCustomLabel, source, label);
}

void Wrapper::PutSourceText(const char* prefix, int32_t source, VgString text) {
  ::PersistentData::PersistentData* store = Store();
  if (!store) {
    VgPrint("Wrapper: no settings store, %s%d is not kept\n", prefix, source);
    return;
  }
  VgString key = SourceKey(prefix, source);
  if (VgGetStringLength(text) > 0)
    store->PutString(key, text);
  else if (store->IsStringExist(key))
    store->RemoveString(key);
}

bool Wrapper::IsPinExisting() {
  ::PersistentData::PersistentData* store = Store();
  return store && store->IsStringExist(VgNewStringAnsi(kParentalPinKey));
}

bool Wrapper::Is3DPinExisting() {
  ::PersistentData::PersistentData* store = Store();
  return store && store->IsStringExist(VgNewStringAnsi(k3DPinKey));
}

int32_t Wrapper::GetCBListsNum() {
  int32_t enabled = 0;
  for (int32_t kind = 0; kind < kCBListKinds; ++kind) enabled += IsCBListEnabled(kind) ? 1 : 0;
  return enabled;
}

VgString Wrapper::GetFullLangName(VgString code) {
  char text[8] = {};
  VgStringToAnsi(code, text, sizeof text, '?');
  for (char& c : text) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  for (const LanguageName& language : kLanguageNames)
    if (std::strcmp(language.code, text) == 0) return VgNewStringAnsi(language.name);
  return code;
}

}  // namespace SkinBin
