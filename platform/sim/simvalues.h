// Values the simulated set reports through out-parameters, and the pieces of
// the set that several families of calls share.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ossem.h"
#include "simtv.h"
#include "xpm.h"

namespace simtv {

int32_t Value(const char* name);
void SetValue(const char* name, int32_t value);
// The reported values of a set fresh from the factory: the windows' sources
// (the pattern generator's among them), standby, the launched application.
void ResetValues();

// The semaphore without recording a call: the middleware's own use of the
// GUI lock, which the program does not make.
bool SemTake(OS_SemId semaphore, int32_t timeout);
void SemGive(OS_SemId semaphore);

// What the set does later, as the result of a long operation: the answer
// runs on the set's answering thread once ms have passed on the set's clock,
// after the answers due before it and those asked for earlier at the same
// time. The caller may hold its own family's lock, but not the kernel's; an
// answer runs with no lock held. The number withdraws a pending answer (a
// stopped scan, an ended test); one given already is not undone.
using Answer = std::function<void()>;
uint64_t AnswerLater(uint32_t ms, Answer answer);
void WithdrawAnswer(uint64_t id);
// The usual answers: a middleware event, or a command of the state manager,
// with a copy of the payload.
uint64_t EventLater(uint32_t ms, uint32_t event, const void* payload, uint32_t size);
uint64_t CommandLater(uint32_t ms, uint32_t command, const void* payload, uint32_t size);

// The television state's channel table, changed under its lock.
void WithChannels(const std::function<void(std::vector<XPM_ChannelInfo>&)>& change);
// The broadcast that a reset set receives.
std::vector<simtv_broadcast_channel> DefaultBroadcast();
// The tuner of a reset set: the default broadcast, no scan, no answer to a
// tuning pending, every input with a signal, no channel logos.
void ResetTuner();
// The answer to a source switch, which comes once the source is acquired.
void AnswerSource(int32_t window, int32_t source);
// Picture and sound state as the set itself reads it, without a recorded
// call: a property by number, the medium, a generic device property.
int32_t AvValue(int32_t property);
int32_t Medium();
int32_t OemValue(int32_t id);
// With the kernel's lock held: the state manager has ended the period of
// operation, or a standby that ends it is on its way.
bool PeriodEnds();
// The state manager hands the television's state the reports that start and
// end network applications (TVSM_ReportAsyncEvent, tvsm.h).
void AsyncReport(int32_t code, const void* data, uint32_t size);

// The television state's timers and channels, read without a call.
bool TimerOf(int32_t index, XPM_TimerInfo* timer);
bool FindChannel(int32_t medium, int32_t major, int32_t minor, XPM_ChannelInfo* channel);
// Where the recording of a timer that starts at now (a local second) with
// the early start given ends: its show under way, from the minute it comes
// due to its late end, ends at its start plus its duration and late end.
// -1 when no show of the timer is under way.
int64_t TimerRecordingEnd(int32_t index, int32_t early, int64_t now);

// The slave of the serial console's pseudo-terminal, which stands for
// "/dev/ttyS0"; empty when the set could not open one.
std::string ConsoleDevice();

// The backlight curve behind customised property 49 back to its straight
// line (oam.cpp).
void ResetBacklightCurve();
// The board's shell script and network bench back to a fresh set's
// (factory_shell.cpp).
void ResetFactoryShell();

// The recorder's state of a timer's schedule row (db.cpp): 1 while it
// records, 0 once its recording completed, or the record state that refused
// or cut it (4 no disk, 5 the disk full, ...). The recorder calls it with its
// own lock held, so the database never calls the recorder.
void SetScheduleStatus(int32_t timerId, int32_t status);
// The repeating schedule rows whose start has passed before now, their
// recording not running, move on to the start that nextStart (called with
// the database's lock held) gives for their timer; a row it gives no start
// to come goes, and its timer id back to the pool.
void MoveOnScheduledShows(int32_t now, const std::function<int64_t(int32_t timerId)>& nextStart);

// A timer came due: the recorder records it on its tuner, channel and
// medium, as a timer's recording, and reports that it started (or why it
// could not). Called without the television state's lock.
void StartTimerRecording(int32_t timerId, const XPM_TimerInfo& timer);

// The recorder (xpm_pvr.cpp) back to a set fresh from the factory: no disk,
// recordings, playback, time-shift or answers to come.
void ResetRecorder();
// Whether the USB disk is mounted at XPM_USB_DISK_MOUNT_POINT.
bool UsbDiskMounted();

// The media library (psl.cpp) hears that the USB disk came or went, and
// tells the program; a reset takes it back to a library fresh from the
// factory.
void MediaStorageChanged(bool mounted);
void ResetMediaLibrary();

}  // namespace simtv
