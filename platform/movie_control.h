#pragma once
// The movie player control that movie mode hosts: an outside component created by its
// class identifier as a child of one of the program's windows, used only through the
// few calls below. Every call that fails raises Exception with the system's text.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "common/geometry.h"
#include "platform/types.h"

namespace scr::platform {

// The control's class identifier.
inline constexpr const char* kMovieControlClassId = "{D27CDB6E-AE6D-11CF-96B8-444553540000}";

// The command the movie sends (first) with its argument (second).
using TFSCommandEvent = std::function<void(std::u16string_view command, std::u16string_view args)>;

class IMovieControl {
 public:
  virtual ~IMovieControl() = default;

  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;

  // The path of the movie to load.
  virtual void SetMovie(const std::u16string& path) = 0;
  // Total number of frames of the loaded movie.
  virtual int32_t TotalFrames() = 0;
  // Current frame number.
  virtual int32_t CurrentFrame() = 0;
  virtual void Play() = 0;
  virtual void Stop() = 0;
  // Stops playing (before the saver quits).
  virtual void StopPlay() = 0;

  // Raised on the main thread, from the message loop, for each command of the movie.
  // Setting it replaces the previous handler; an empty one ignores commands.
  virtual void SetOnFSCommand(TFSCommandEvent handler) = 0;
};

class IMovieControls {
 public:
  virtual ~IMovieControls() = default;
  // Creates the control as a child of parent, placed at bounds (client coordinates).
  // Raises Exception when it cannot be created or placed (typically because it is not
  // installed).
  virtual std::unique_ptr<IMovieControl> CreateMovieControl(TWindowHandle parent, const TRect& bounds) = 0;
};

}  // namespace scr::platform
