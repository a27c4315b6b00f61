#pragma once
// Forms with child controls, made from a description: a form says what it holds
// (panels, labels, check boxes, push buttons; their places, colours, fonts, texts and
// events) and the backend makes real windows of it, or keeps it as a model a test can
// read and click. Also the application-wide mouse cursor.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"
#include "common/geometry.h"
#include "platform/windowing.h"

namespace scr::platform {

inline constexpr TColor clBlue = 0x00FF0000;

// Left, top, width, height as a rectangle.
constexpr TRect Bounds(int left, int top, int width, int height) {
  return TRect{left, top, left + width, top + height};
}

struct TFontSpec {
  std::string name = "MS Sans Serif";
  int32_t height = -11;  // below zero: the characters' height in pixels
  TColor color = clWindowText;
  bool bold = false;
  bool underline = false;
  friend bool operator==(const TFontSpec&, const TFontSpec&) = default;
};

enum class TControlKind { ckPanel, ckLabel, ckCheckBox, ckButton };

// How a control sits in its parent: where its bounds say, or against the parent's top
// or bottom edge at full width, or filling what the others leave.
enum class TAlign { alNone, alTop, alBottom, alClient };

using TNotifyEvent = std::function<void()>;

struct TControlSpec {
  std::string name;     // how the form and tests address it; may be empty
  TControlKind kind = TControlKind::ckLabel;
  int parent = -1;      // index of an earlier panel in the form's list; -1: the form
  TAlign align = TAlign::alNone;
  TRect bounds;         // within the parent's client area
  std::string text;     // the label text or the caption
  std::optional<TFontSpec> font;  // none: the parent's font
  std::optional<TColor> color;    // none: the parent's colour
  bool transparent = false;       // labels: the parent shows through
  bool autoSize = false;          // labels: sized to their text
  int tabOrder = 0;               // among the parent's children
  bool checked = false;           // check boxes
  // Click: mouse released over the control, or the check box's state changed by
  // the user (after the change). Enter and leave: the mouse comes over or leaves it.
  TNotifyEvent onClick;
  TNotifyEvent onMouseEnter;
  TNotifyEvent onMouseLeave;
};

struct TFormSpec {
  std::string caption;
  int32_t clientWidth = 320;
  int32_t clientHeight = 240;
  TColor color = 0xFF00000F;  // the system colour of button faces
  TFontSpec font;
  bool borderIcons = true;    // false: no system menu, no buttons in the title bar
  bool sizeable = true;
  bool screenCenter = false;  // placed in the middle of the screen
  TPoint position;            // top-left on the screen when not centred
  std::vector<TControlSpec> controls;
  // Runs each time the form is about to become visible.
  TNotifyEvent onShow;
};

// A form made from a description. Show runs onShow first; an error escaping onShow or
// any control event is reported with the application's error box and the program
// carries on. Controls are addressed by name; an unknown name raises
// std::invalid_argument.
class IForm : public IWindow {
 public:
  virtual std::string Caption() const = 0;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual std::string Text(std::string_view control) const = 0;
  virtual void SetText(std::string_view control, const std::string& text) = 0;
  virtual bool Checked(std::string_view control) const = 0;
  // Sets the check box's state without running its click event.
  virtual void SetChecked(std::string_view control, bool checked) = 0;
};

enum class TCursor { crDefault, crHandPoint };

class IForms {
 public:
  virtual ~IForms() = default;
  // Creates the form hidden; events (may be null) must outlive it.
  virtual std::unique_ptr<IForm> CreateForm(TFormSpec desc, IWindowEvents* events) = 0;
  // The application-wide cursor: every window of the program shows it while it is not
  // crDefault; crDefault gives each window its own cursor back.
  virtual void SetCursor(TCursor cursor) = 0;
  virtual TCursor Cursor() const = 0;
};

// Raises std::invalid_argument unless every control's parent is -1 or an earlier
// panel. CreateForm checks this first.
void CheckFormSpec(const TFormSpec& desc);

// The index of the named control, or -1.
int FindControl(const TFormSpec& desc, std::string_view name);

// Where each control lies within its parent's client area when the form's client area
// is width x height: aligned controls take the parent's edges (top ones in the order
// of their tops, bottom ones in the order of their bottoms from below, then the one
// filling the rest); the others keep their bounds.
std::vector<TRect> LayoutControls(const TFormSpec& desc, int width, int height);

}  // namespace scr::platform
