#pragma once
// A settings record with every property set to a value other than its construction
// value.
#include <string>

#include "package/settings.h"

namespace scr::test {

inline TSSFileLocations FullSettings() {
  TSSFileLocations s;
  s.SetText("Holiday \"2024\", day one");
  s.TextFont().SetCharset(204);
  s.TextFont().SetColor(0x00123456);
  s.TextFont().SetHeight(-32);
  s.TextFont().SetName("Arial");
  s.TextFont().SetPitch(TFontPitch::fpVariable);
  s.TextFont().SetStyle(FontStyleBit(fsBold) | FontStyleBit(fsStrikeOut));
  s.SetBackground(0xFF00001E);
  s.SetlRandomStyle(true);
  s.SetlRandomPic(true);
  s.SetlClearOldImage(true);
  s.SetlStretch(true);
  s.SetInterval(5000);
  s.SetSoundRandom(2);
  s.SetlSoundLoop(true);
  s.SetlMute(true);
  s.SetlExitMouseMove(true);
  s.SetlExitMouseClick(true);
  s.SetlExitKeyPress(true);
  s.SetlShowMouseCursor(true);
  s.SetlExitFSCommandQuit(true);
  s.SetTitle("My saver");
  s.SetAuthor("Ann Author");
  s.SetEmail("ann@example.invalid");
  s.SetWeb("http://example.invalid/");
  s.SetVer("flash");
  s.SetMonitorMode(kMonitorsDifferent);
  s.SetHookPosition(1392000);
  s.SetHookSize(32768);
  std::string effects;
  for (int i = 0; i < 128; ++i) effects += (i ? "," : "") + std::to_string(i);
  s.SetEffectCommaList(effects);  // longer than 255 bytes
  s.SetPicCommaList("100,200");
  s.SetPicFileNamesCommaList("\"a b.bmp\",c.jpg");
  s.SetSndCommaList("300");
  s.SetSndFileNamesCommaList("music.mid");
  s.SetSndSizesCommaList("12");
  s.SetFlashCommaList("400,500");
  s.SetFlashFileNamesCommaList("m1.swf,");
  s.SetFlashSizesCommaList("1,2");
  s.SetDescriptCommaList("\"first one\",,last");
  s.SetFillMode(1);
  s.SetPanZoom(8);
  s.SetlPairPortraits(true);
  s.SetlNoRepeat(true);
  s.SetCaptionMode(1);
  s.SetlCaptionScaled(true);
  return s;
}

}  // namespace scr::test
