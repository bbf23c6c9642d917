#include "FactorySystem/DetectLightSensor.h"

#include <cstdio>

#include "AppServices/Wrapper.h"
#include "SkinBin/Wrapper.h"
#include "vgslot.h"

VG_DEFINE_CLASS(FactorySystem, DetectLightSensor, ::FactorySystem::SmallMessage)

namespace FactorySystem {

DetectLightSensor::DetectLightSensor(XObject* link) : SmallMessage(link) {
  OnSetOnTimeOut(VgSlot());
  readTimer.OnSetBegin(ReadPeriod);
  readTimer.OnSetPeriod(0);
  readTimer.OnSetOnTrigger(VgSlotOf<&DetectLightSensor::GetLightSensor>(this));
  readTimer.OnSetEnabled(true);
}

void DetectLightSensor::Initialize(Primitives::KeyRoutingParameter* parameter) {
  SmallMessage::Initialize(parameter);
  SkinBin::Wrapper* model = MainApp::GetWrapper();
  model->OpenUART(true);
  OnSetLightSensor(model->GetLightSensor());
}

void DetectLightSensor::OnSetLightSensor(int32_t value) {
  LightSensor = static_cast<uint16_t>(value);
  char text[16];
  std::snprintf(text, sizeof text, "SEN: %u", unsigned(LightSensor));
  VgString line = VgNewStringAnsi(text);
  message.OnSetString(line);
  MainApp::GetWrapper()->PrintVgString(line);
}

void DetectLightSensor::GetLightSensor(XObject*) {
  readTimer.Activate();
  OnSetLightSensor(MainApp::GetWrapper()->GetLightSensor());
}

// A read-out that is no longer open neither reads the sensor nor prints on
// the console, which another screen may hold by now.
void DetectLightSensor::Close(XObject* sender) {
  const bool open = Parent && owner.get() == Parent.get();
  SmallMessage::Close(sender);
  if (!open) return;
  readTimer.OnSetEnabled(false);
  MainApp::GetWrapper()->OpenUART(false);
}

}  // namespace FactorySystem
