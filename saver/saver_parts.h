#pragma once
// The parts of saver mode that come on top of the slide show: the music playlist
// (the hidden media player mpSaver) and the Flash movie mode. The saver window calls
// them at fixed points of its life; a window made without them plays no music, and a
// package whose Ver is "flash" then runs as a picture saver.
namespace scr::saver {

class TfrmScrn;

// The music playlist.
class IMusicPart {
 public:
  virtual ~IMusicPart() = default;
  // Set-up has finished successfully (sound files extracted, mute settled).
  virtual void SetupDone(TfrmScrn& form) = 0;
  // The slide show starts (the first start message, after a successful set-up).
  virtual void ShowStarting(TfrmScrn& form) {}
  // The window is being destroyed, before the extracted sound files are deleted.
  virtual void Destroying(TfrmScrn& form) = 0;
};

// The Flash movie mode.
class IFlashPart {
 public:
  virtual ~IFlashPart() = default;
  // Set-up step for a "flash" package, after the hook library has been extracted:
  // starts the keyboard hook and the movie control. Returns false when it has closed
  // the window (the rest of set-up is skipped then). Errors end set-up.
  virtual bool Start(TfrmScrn& form) = 0;
  // The window is being destroyed: the movie control and the hook component go.
  virtual void Destroying(TfrmScrn& form) = 0;
};

}  // namespace scr::saver
