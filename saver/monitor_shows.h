#pragma once
// What the displays beside the primary one show while the saver runs, as the saver's
// MonitorMode says: black covers (0), the primary's show composed for each display's
// own size (1), or a show of its own on each display with pictures dealt so that no two
// displays show the same one while there are enough (2). The shows have no music and
// no timer of their own: they change picture with the primary display and follow its
// transition step by step. Their key and mouse input goes through the saver window's
// exit rules, points moved into its client coordinates like the covers'.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/bitmap24.h"
#include "common/geometry.h"
#include "package/image.h"
#include "package/settings.h"
#include "platform/platform.h"
#include "platform/windowing.h"
#include "saver/cover_windows.h"
#include "saver/picture_layout.h"

namespace scr::saver {

// Which displays get a show window and which rectangles a black cover.
struct TMonitorLayout {
  std::vector<TRect> shows;
  std::vector<TRect> covers;
  friend bool operator==(const TMonitorLayout&, const TMonitorLayout&) = default;
};

// The parts of r outside hole, as up to four bands: above, left, right, below.
std::vector<TRect> Outside(const TRect& r, const TRect& hole);

// The primary display, empty ones, displays wholly inside the saver window and repeats
// of an earlier display get nothing. A display partly under the saver window is
// covered only outside it, in every mode: a show of its own would hide part of the
// saver's. The others get a show in modes 1 and 2, a cover in any other mode.
TMonitorLayout LayOutMonitors(const std::vector<platform::TMonitor>& monitors, const TRect& saver, int32_t mode);

// The primary display's picture as it shows it when the settings prepare pictures.
struct TShownPicture {
  TBitmap24 picture;  // a pair side by side where two portraits share the screen
  std::string caption;
  TMotion motion;
};

class TMonitorShows {
 public:
  using TRules = TCoverWindows::TRules;

  explicit TMonitorShows(TRules rules);
  ~TMonitorShows();
  TMonitorShows(const TMonitorShows&) = delete;
  TMonitorShows& operator=(const TMonitorShows&) = delete;

  // Makes the covers and shows match the desk as it is now, for the saver window at
  // saver (screen coordinates): those that still fit stay, shows whose display moved
  // or changed size follow it, the rest close, the missing ones open.
  void Match(platform::TPlatform& p, int32_t mode, const TRect& saver);
  // Closes every cover and show.
  void Close();

  // The primary display brings in picture with effect style: every show starts its
  // own transition (the same picture and effect in mode 1, a picture dealt to it and
  // an effect of its own in mode 2), composed for its display. A picture that cannot
  // be read leaves that show as it is. When the settings prepare pictures (a fill, pan
  // and zoom or pairs), each show prepares its picture for its display as the primary
  // does; in mode 1 that is `shown`, with the primary's motion, where given.
  void StartPicture(platform::TPlatform& p, const TSSFileLocations& s, int32_t picture, uint8_t style,
                    const TShownPicture* shown = nullptr);
  // The primary's held picture moved to time t of its motion (0..kMotionEnd): every
  // show whose picture moves draws it there too.
  void MoveHeld(int32_t t, const TSSFileLocations& s, platform::IScreen& screen);
  // The primary's transition reached position (0..100).
  void FollowProgress(int position);
  // The primary's transition ended: every show completes its own.
  void FinishPicture();

  size_t ShowCount() const { return shows_.size(); }
  const TCoverWindows& Covers() const { return covers_; }
  // The picture each show brings in or shows, in the order of the displays; -1 for a
  // show that has had none yet.
  std::vector<int32_t> ShowPictures() const;
  // The display rectangles of the shows, in the same order.
  std::vector<TRect> ShowBounds() const;

 private:
  class TShow;
  // The picture a show of mode 2 prepares: its own, beside the next one when both are
  // portraits on a landscape display and the settings pair them.
  static void OwnPicture(TStream& file, const TSSFileLocations& s, int32_t index, const TImage& record,
                         const TRect& display, platform::IScreen& screen, TBitmap24& picture, std::string& caption);
  // The pictures for the shows this time, given the primary's.
  std::vector<int32_t> DealPictures(const TSSFileLocations& s, int32_t primary) const;

  TRules rules_;
  int32_t mode_ = kMonitorsBlack;
  TCoverWindows covers_;
  std::vector<std::unique_ptr<TShow>> shows_;
};

}  // namespace scr::saver
