// FactorySystem::DetectLightSensor: the light sensor's reading, "SEN: n", read
// again every 1500 ms and printed on the serial console each time. It holds
// the console open while it is open, and stays until it is closed.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "FactorySystem/SmallMessage.h"

namespace FactorySystem {

class DetectLightSensor : public SmallMessage {
  VG_CLASS()

 public:
  explicit DetectLightSensor(XObject* link = nullptr);

  static constexpr int32_t ReadPeriod = 1500;

  void Initialize(Primitives::KeyRoutingParameter* parameter) override;
  // Stops the readings and frees the console.
  void Close(XObject* sender = nullptr) override;

  uint16_t OnGetLightSensor() const { return LightSensor; }
  void OnSetLightSensor(int32_t value);
  // The read timer's target.
  void GetLightSensor(XObject* sender = nullptr);

  uint16_t LightSensor = 0;
  Core::Timer readTimer{this};
};

}  // namespace FactorySystem
