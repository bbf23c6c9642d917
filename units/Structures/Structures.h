// The whole Structures unit.
#pragma once

#include "Structures/Boxes.h"
#include "Structures/Channels.h"
#include "Structures/Devices.h"
#include "Structures/DuLinkList.h"
#include "Structures/History.h"
#include "Structures/LocalTime.h"
#include "Structures/Message.h"
#include "Structures/TimerData.h"
