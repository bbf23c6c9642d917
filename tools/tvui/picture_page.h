// The page of a run's pictures: index.html in the output folder, beside the
// screenshots, each captioned picture under its caption and the keys that led
// there from the picture before (the key lines run since then, as the
// scenario named the keys, and the lines of events and devices among them,
// as written). One page a run; it is written again at every
// captioned picture, so a run that fails keeps the page of what it took.
#pragma once

#include <string>

// The page's file in the output folder.
const char* PicturePageFile();

// A key that a key line pressed ("MENU", "gui 21"), or a line that led on as
// a key would ("event XPM_EVENT_REPORT_3DMODE", "media stick").
void PicturePageNoteKey(const std::string& key);
// A picture taken: the keys noted so far lead to it. With a caption it joins
// the page, which is written again; empty, or why the page could not be.
std::string PicturePageAdd(const std::string& folder, const std::string& title, const std::string& file,
                           const std::string& caption);
