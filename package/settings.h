#pragma once
// The settings record of a saver: every property that makes one saver differ from
// another, the caption font, and the ten lists that say where the packaged items lie.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/colour.h"
#include "package/font.h"
#include "package/persistent.h"

namespace scr {

// The values of MonitorMode: every other display black (also for values not known),
// the same show on each, a different picture on each.
inline constexpr int32_t kMonitorsBlack = 0, kMonitorsSame = 1, kMonitorsDifferent = 2;

using TStringList = std::vector<std::string>;

class TSSFileLocations : public TComponent {
 public:
  static const TClassInfo& StaticClassInfo();
  const TClassInfo& ClassInfo() const override { return StaticClassInfo(); }

  const std::string& Text() const { return text_; }
  void SetText(std::string_view v) { text_ = v; }
  const TFont& TextFont() const { return font_; }
  TFont& TextFont() { return font_; }
  // Copies the font's attributes into the record's own font.
  void SetTextFont(const TFont& font) { font_.Assign(font); }
  TColor Background() const { return background_; }
  void SetBackground(TColor v) { background_ = v; }
  bool lRandomStyle() const { return randomStyle_; }
  void SetlRandomStyle(bool v) { randomStyle_ = v; }
  bool lRandomPic() const { return randomPic_; }
  void SetlRandomPic(bool v) { randomPic_ = v; }
  bool lClearOldImage() const { return clearOldImage_; }
  void SetlClearOldImage(bool v) { clearOldImage_ = v; }
  bool lStretch() const { return stretch_; }
  void SetlStretch(bool v) { stretch_ = v; }
  int32_t Interval() const { return interval_; }
  void SetInterval(int32_t v) { interval_ = v; }
  int32_t SoundRandom() const { return soundRandom_; }
  void SetSoundRandom(int32_t v) { soundRandom_ = v; }
  bool lSoundLoop() const { return soundLoop_; }
  void SetlSoundLoop(bool v) { soundLoop_ = v; }
  bool lMute() const { return mute_; }
  void SetlMute(bool v) { mute_ = v; }
  bool lExitMouseMove() const { return exitMouseMove_; }
  void SetlExitMouseMove(bool v) { exitMouseMove_ = v; }
  bool lExitMouseClick() const { return exitMouseClick_; }
  void SetlExitMouseClick(bool v) { exitMouseClick_ = v; }
  bool lExitKeyPress() const { return exitKeyPress_; }
  void SetlExitKeyPress(bool v) { exitKeyPress_ = v; }
  bool lShowMouseCursor() const { return showMouseCursor_; }
  void SetlShowMouseCursor(bool v) { showMouseCursor_ = v; }
  bool lExitFSCommandQuit() const { return exitFSCommandQuit_; }
  void SetlExitFSCommandQuit(bool v) { exitFSCommandQuit_ = v; }
  const std::string& Title() const { return title_; }
  void SetTitle(std::string_view v) { title_ = v; }
  const std::string& Author() const { return author_; }
  void SetAuthor(std::string_view v) { author_ = v; }
  const std::string& Email() const { return email_; }
  void SetEmail(std::string_view v) { email_ = v; }
  const std::string& Web() const { return web_; }
  void SetWeb(std::string_view v) { web_ = v; }
  // The kind of saver: exactly "flash" selects Flash-movie mode.
  const std::string& Ver() const { return ver_; }
  void SetVer(std::string_view v) { ver_ = v; }
  bool IsFlash() const { return ver_ == "flash"; }
  // What the displays other than the primary one show while the saver runs.
  int32_t MonitorMode() const { return monitorMode_; }
  void SetMonitorMode(int32_t v) { monitorMode_ = v; }
  int32_t HookPosition() const { return hookPosition_; }
  void SetHookPosition(int32_t v) { hookPosition_ = v; }
  int32_t HookSize() const { return hookSize_; }
  void SetHookSize(int32_t v) { hookSize_ = v; }

  // The comma-list properties: reading renders the list as comma text, writing
  // replaces the list by the parsed text.
  std::string EffectCommaList() const;
  void SetEffectCommaList(std::string_view text);
  std::string PicCommaList() const;
  void SetPicCommaList(std::string_view text);
  std::string PicFileNamesCommaList() const;
  void SetPicFileNamesCommaList(std::string_view text);
  std::string SndCommaList() const;
  void SetSndCommaList(std::string_view text);
  std::string SndFileNamesCommaList() const;
  void SetSndFileNamesCommaList(std::string_view text);
  std::string SndSizesCommaList() const;
  void SetSndSizesCommaList(std::string_view text);
  std::string FlashCommaList() const;
  void SetFlashCommaList(std::string_view text);
  std::string FlashFileNamesCommaList() const;
  void SetFlashFileNamesCommaList(std::string_view text);
  std::string FlashSizesCommaList() const;
  void SetFlashSizesCommaList(std::string_view text);
  std::string DescriptCommaList() const;
  void SetDescriptCommaList(std::string_view text);

  // How the show presents its pictures. Each is written only when it differs from its
  // default, so a saver without them reads and shows as before.
  // FillMode: 0 the background colour around the picture, 1 a blurred darkened copy
  // of the picture behind it, 2 the picture cropped to cover the screen.
  int32_t FillMode() const { return fillMode_; }
  void SetFillMode(int32_t v) { fillMode_ = v; }
  // PanZoom: 0 still pictures; 1..30 a slow pan and zoom by up to that percentage.
  int32_t PanZoom() const { return panZoom_; }
  void SetPanZoom(int32_t v) { panZoom_ = v; }
  // Two portrait pictures in a row share a landscape screen.
  bool lPairPortraits() const { return pairPortraits_; }
  void SetlPairPortraits(bool v) { pairPortraits_ = v; }
  // With lRandomPic: every picture once per round, no repeat where rounds meet.
  bool lNoRepeat() const { return noRepeat_; }
  void SetlNoRepeat(bool v) { noRepeat_ = v; }
  // CaptionMode: 0 Text on every picture; 1 each picture's own description, or Text.
  int32_t CaptionMode() const { return captionMode_; }
  void SetCaptionMode(int32_t v) { captionMode_ = v; }
  // The caption's height scales with the screen, with a soft outline and a margin.
  bool lCaptionScaled() const { return captionScaled_; }
  void SetlCaptionScaled(bool v) { captionScaled_ = v; }

  // The lists themselves.
  const TStringList& Effects() const { return effects_; }
  TStringList& Effects() { return effects_; }
  const TStringList& PicPositions() const { return picPositions_; }
  TStringList& PicPositions() { return picPositions_; }
  const TStringList& PicFileNames() const { return picFileNames_; }
  TStringList& PicFileNames() { return picFileNames_; }
  const TStringList& SndPositions() const { return sndPositions_; }
  TStringList& SndPositions() { return sndPositions_; }
  const TStringList& SndFileNames() const { return sndFileNames_; }
  TStringList& SndFileNames() { return sndFileNames_; }
  const TStringList& SndSizes() const { return sndSizes_; }
  TStringList& SndSizes() { return sndSizes_; }
  const TStringList& FlashPositions() const { return flashPositions_; }
  TStringList& FlashPositions() { return flashPositions_; }
  const TStringList& FlashFileNames() const { return flashFileNames_; }
  TStringList& FlashFileNames() { return flashFileNames_; }
  const TStringList& FlashSizes() const { return flashSizes_; }
  TStringList& FlashSizes() { return flashSizes_; }
  const TStringList& Descriptions() const { return descriptions_; }
  TStringList& Descriptions() { return descriptions_; }

  // Typed, bounds-checked access to list items. An index outside its list raises
  // Exception("Index is out of bounds"); an item that is not an integer reads as 0.
  int32_t EffectCount() const;
  int32_t Effect(int32_t index) const;
  int32_t PicCount() const;
  int32_t PicPosition(int32_t index) const;
  int32_t SndCount() const;
  int32_t SndPosition(int32_t index) const;
  std::string SndFileName(int32_t index) const;
  int32_t SndSize(int32_t index) const;
  int32_t FlashCount() const;
  int32_t FlashPosition(int32_t index) const;
  std::string FlashFileName(int32_t index) const;
  int32_t FlashSize(int32_t index) const;

 private:
  std::string text_;
  TFont font_;
  TColor background_ = clBlack;
  bool randomPic_ = false, randomStyle_ = false, clearOldImage_ = false, stretch_ = false;
  int32_t interval_ = 0;
  int32_t soundRandom_ = 0;
  bool soundLoop_ = false, mute_ = false, exitMouseMove_ = false, exitMouseClick_ = false, exitKeyPress_ = false,
       showMouseCursor_ = false, exitFSCommandQuit_ = false;
  std::string title_, author_, email_, web_, ver_;
  int32_t monitorMode_ = 0;
  int32_t hookPosition_ = 0;
  int32_t hookSize_ = 0;
  // The show's presentation settings.
  int32_t fillMode_ = 0, panZoom_ = 0, captionMode_ = 0;
  bool pairPortraits_ = false, noRepeat_ = false, captionScaled_ = false;
  TStringList effects_, picPositions_, picFileNames_, sndPositions_, sndFileNames_, sndSizes_, flashPositions_,
      flashFileNames_, flashSizes_, descriptions_;
};

}  // namespace scr
