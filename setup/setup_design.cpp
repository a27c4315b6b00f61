#include "setup/setup_design.h"

namespace scr::setup {

namespace {

using platform::Bounds;
using platform::TAlign;
using platform::TControlKind;
using platform::TControlSpec;
using platform::TFontSpec;

TControlSpec Panel(const char* name, TAlign align, TRect bounds, int tabOrder) {
  TControlSpec c;
  c.name = name;
  c.kind = TControlKind::ckPanel;
  c.align = align;
  c.bounds = bounds;
  c.tabOrder = tabOrder;
  return c;
}

// Labels size themselves to their text; the sizes here are those of the design texts.
TControlSpec Label(const char* name, int parent, TRect bounds, const char* text) {
  TControlSpec c;
  c.name = name;
  c.kind = TControlKind::ckLabel;
  c.parent = parent;
  c.bounds = bounds;
  c.text = text;
  c.transparent = true;
  c.autoSize = true;
  return c;
}

TFontSpec LinkFont() {
  TFontSpec f;
  f.color = platform::clBlue;
  f.underline = true;
  return f;
}

}  // namespace

platform::TFormSpec SetupFormDesign(const TSetupHandlers& h) {
  platform::TFormSpec form;
  form.caption = "Setup []";
  form.clientWidth = 305;
  form.clientHeight = 359;
  form.color = kSetupColor;
  form.font = TFontSpec{};  // "MS Sans Serif", height -11, clWindowText
  form.borderIcons = false;
  form.sizeable = true;
  form.screenCenter = true;
  form.onShow = h.FormShow;

  std::vector<TControlSpec>& c = form.controls;
  c.push_back(Panel(kTopPanel, TAlign::alTop, Bounds(0, 0, 305, 145), 0));
  const int top = 0;

  TControlSpec title = Label(klblTitle, top, Bounds(29, 23, 35, 16), "Title:");
  title.font = TFontSpec{};
  title.font->bold = true;
  title.font->height = -13;
  c.push_back(title);

  c.push_back(Label(klblAuthor, top, Bounds(29, 44, 34, 13), "Author:"));

  TControlSpec mute;
  mute.name = kcbMute;
  mute.kind = TControlKind::ckCheckBox;
  mute.parent = top;
  mute.bounds = Bounds(24, 72, 97, 17);
  mute.text = "Mute music";
  mute.onClick = h.cbMuteClick;
  c.push_back(mute);

  TControlSpec email = Label(klblEmail, top, Bounds(29, 106, 28, 13), "Email:");
  email.font = LinkFont();
  email.onClick = h.lblEmailClick;
  email.onMouseEnter = h.lblEmailMouseEnter;
  email.onMouseLeave = h.lblEmailMouseLeave;
  c.push_back(email);

  TControlSpec web = Label(klblWeb, top, Bounds(29, 127, 65, 13), "Web address:");
  web.font = LinkFont();
  web.onClick = h.lblWebClick;
  web.onMouseEnter = h.lblEmailMouseEnter;
  web.onMouseLeave = h.lblEmailMouseLeave;
  c.push_back(web);

  c.push_back(Panel(kPanel2, TAlign::alClient, Bounds(0, 145, 305, 159), 2));
  c.push_back(Panel(kPanel1, TAlign::alBottom, Bounds(0, 304, 305, 55), 1));
  const int bottom = static_cast<int>(c.size()) - 1;

  TControlSpec ok;
  ok.name = kOKButton;
  ok.kind = TControlKind::ckButton;
  ok.parent = bottom;
  ok.bounds = Bounds(216, 16, 75, 25);
  ok.text = "&Ok";
  ok.onClick = h.OKButtonClick;
  c.push_back(ok);
  return form;
}

}  // namespace scr::setup
