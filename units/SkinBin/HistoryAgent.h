// The source history: what the viewer watched, most recent first, without
// the same item twice.
#pragma once

#include <cstdint>

#include "Core/Timer.h"
#include "Structures/DuLinkList.h"
#include "Structures/History.h"

namespace SkinBin {

class HistoryAgent : public ::Structures::DuLinkList {
  VG_CLASS()

 public:
  static constexpr int32_t kCapacity = 32;
  // A delayed entry waits this long, so that zapping through channels does
  // not fill the history with every channel passed on the way.
  static constexpr int32_t kDelayMs = 5000;

  explicit HistoryAgent(XObject* link = nullptr);

  // Whether two listed items denote the same entry.
  bool MatchCriteria(XObject* data, XObject* criteria) override;
  virtual bool matchRF(::Structures::HistoryChannelInfo* a, ::Structures::HistoryChannelInfo* b);
  virtual bool matchNonRF(::Structures::HistorySourceInfo* a, ::Structures::HistorySourceInfo* b);
  virtual bool matchMedia(::Structures::HistoryMediaInfo* a, ::Structures::HistoryMediaInfo* b);
  virtual bool matchCEC(::Structures::HistoryCECInfo* a, ::Structures::HistoryCECInfo* b);

  // Puts the entry at the head, at once or once it has waited kDelayMs; a
  // newer delayed entry replaces one still waiting.
  void AddHistory(::Structures::HistoryInfo* entry, bool delayed);
  // Adds what window 0 shows now: the channel of a tuner, the HDMI-CEC
  // device on an input that has one, or else the input by its label.
  void AddCurrentSource(bool delayed);
  int32_t GetHistoryNum() const { return Length(); }
  // Positions count from 1 at the most recent entry.
  ::Structures::HistoryInfo* GetHistory(int32_t position) const;
  // The delay timer's slot: inserts the waiting entry.
  void InsertHistorySlot(XObject* sender);

  VgPtr<::Structures::HistoryInfo> Pending;
  ::Core::Timer DelayTimer{this};

 private:
  void InsertEntry(::Structures::HistoryInfo* entry);
};

}  // namespace SkinBin
