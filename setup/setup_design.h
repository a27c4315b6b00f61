#pragma once
// The setup dialog as designed: a 305 x 359 client area in the colour RGB(255, 247,
// 231) split by three panels; the saver's title, author, e-mail and web links in the
// top panel with the mute check box; the OK button in the bottom panel.
#include "platform/forms.h"

namespace scr::setup {

// The controls' names.
inline constexpr const char* kTopPanel = "";  // the top panel has no name
inline constexpr const char* klblTitle = "lblTitle";
inline constexpr const char* klblAuthor = "lblAuthor";
inline constexpr const char* kcbMute = "cbMute";
inline constexpr const char* klblEmail = "lblEmail";
inline constexpr const char* klblWeb = "lblWeb";
inline constexpr const char* kPanel2 = "Panel2";
inline constexpr const char* kPanel1 = "Panel1";
inline constexpr const char* kOKButton = "OKButton";

inline constexpr TColor kSetupColor = 15202303;  // red 255, green 247, blue 231

struct TSetupHandlers {
  platform::TNotifyEvent FormShow;
  platform::TNotifyEvent cbMuteClick;
  platform::TNotifyEvent OKButtonClick;
  platform::TNotifyEvent lblEmailClick;
  platform::TNotifyEvent lblWebClick;
  platform::TNotifyEvent lblEmailMouseEnter;  // both link labels
  platform::TNotifyEvent lblEmailMouseLeave;
};

// The description with its design texts ("Setup []", "Title:", "&Ok", ...).
platform::TFormSpec SetupFormDesign(const TSetupHandlers& handlers);

}  // namespace scr::setup
