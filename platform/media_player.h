#pragma once
// The media player: a thin layer over the system's multimedia command interface that
// plays one file at a time and tells its owner when a command sent with a notify
// request has finished. The player owns a hidden window of its own; the system's
// completion notices go to that window and raise the player's completion event from
// the message loop (never from inside a command).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "common/errors.h"

namespace scr::platform {

// An open or play that the device refused, with the device's own text for the error.
class EMediaPlayerError : public Exception {
 public:
  using Exception::Exception;
};

// The device's texts for the failures every backend reports the same way.
inline constexpr const char* kMediaFileNotFound =
    "The specified file was not found. Make sure the path and filename are correct.";
inline constexpr const char* kMediaCannotPlay =
    "The specified file cannot be played on the specified MCI device. The file may be corrupt, not in the correct "
    "format, or no file handler available for this format.";
inline constexpr const char* kMediaNotOpen = "The specified device is not open or is not recognized by MCI.";

// What a completion notice says about the command that asked for it.
enum class TMPNotifyValue : uint8_t { Successful, Superseded, Aborted, Failure };

class IMediaPlayer {
 public:
  virtual ~IMediaPlayer() = default;

  // Remembered for the next Open.
  virtual void SetFileName(const std::string& name) = 0;
  virtual const std::string& FileName() const = 0;

  // Opens the file named last, letting the system choose the device from the file;
  // a device still open is closed first. Waits for the device. Raises
  // EMediaPlayerError with the device's text when the file cannot be opened.
  virtual void Open() = 0;
  // Starts playing from the current position without waiting. A completion notice
  // is asked for (with the player's window as its receiver) unless a no-notify
  // request is pending. Raises EMediaPlayerError when nothing is open or the device
  // refuses.
  virtual void Play() = 0;
  // Stops playing and waits; asks for a notice only when a notify request is
  // pending. Does nothing when nothing is open; the device's errors are ignored.
  virtual void Stop() = 0;
  // Closes the device, waiting; does nothing when nothing is open.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;

  // A one-shot request (notify or no notify) that the next command consumes: Play and
  // Stop follow it, Open and Close only use it up.
  virtual void SetNotify(bool notify) = 0;

  // The completion event: raised for every completion notice that reaches the
  // player's window, whatever it says.
  virtual void SetOnNotify(std::function<void(TMPNotifyValue)> onNotify) = 0;
};

class IMedia {
 public:
  virtual ~IMedia() = default;
  // A player with nothing open and no file name.
  virtual std::unique_ptr<IMediaPlayer> CreateMediaPlayer() = 0;
};

}  // namespace scr::platform
