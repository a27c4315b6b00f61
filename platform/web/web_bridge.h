#pragma once
// The page's side of the web backend: the few calls into the JavaScript host (the
// canvas, the clock, text, audio elements, dialogs). The host object is the module's
// `scrHost` (see web/js/host.js); without one the calls do nothing.
#include <cstddef>
#include <cstdint>
#include <string>

namespace scr::platform::web {

// Milliseconds of the page's monotonic clock.
double JsNow();
// Gives the page's event loop its turn for up to ms milliseconds: the wait ends early
// when the page has input or a notice for the show (never a busy wait).
void JsWait(uint32_t ms);
// Puts a part of the stage's frame onto the canvas: rgba holds w x h pixels for the
// rectangle at (x, y) of a frame of frameWidth x frameHeight.
void JsPresent(const uint8_t* rgba, int x, int y, int w, int h, int frameWidth, int frameHeight);
void JsShowCursor(bool visible);

// Text in a CSS font: its extent, and its coverage (w x h bytes) drawn at the cell's
// top-left.
void JsTextExtent(const std::string& cssFont, const std::string& utf8, int& width, int& height);
void JsTextCoverage(const std::string& cssFont, const std::string& utf8, int width, int height, uint8_t* out);

// Audio elements, by the player's id. Open waits until the browser has the track's
// details and answers whether it can play it; Play waits until playing started.
bool JsAudioOpen(int id, const uint8_t* bytes, size_t size, const std::string& name);
bool JsAudioPlay(int id);
void JsAudioStop(int id);
void JsAudioClose(int id);

// A message for the page (an error box: caption and text, UTF-8).
void JsMessage(const std::string& caption, const std::string& text);
// A yes/no question; true for yes.
bool JsConfirm(const std::string& text);
// Opens an address in a new tab.
void JsOpen(const std::string& target);

}  // namespace scr::platform::web
