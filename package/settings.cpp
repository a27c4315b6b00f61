#include "package/settings.h"

#include "common/comma_text.h"
#include "common/errors.h"
#include "common/int_convert.h"
#include "package/type_info.h"

namespace scr {

namespace {

const std::string& Item(const TStringList& list, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) throw Exception(kIndexOutOfBounds);
  return list[static_cast<size_t>(index)];
}

int32_t IntItem(const TStringList& list, int32_t index) { return StrToIntOrZero(Item(list, index)); }

int32_t Count(const TStringList& list) { return static_cast<int32_t>(list.size()); }

}  // namespace

#define SCR_COMMA_LIST(Property, member)                                               \
  std::string TSSFileLocations::Property() const { return RenderCommaText(member); } \
  void TSSFileLocations::Set##Property(std::string_view text) { member = ParseCommaText(text); }

SCR_COMMA_LIST(EffectCommaList, effects_)
SCR_COMMA_LIST(PicCommaList, picPositions_)
SCR_COMMA_LIST(PicFileNamesCommaList, picFileNames_)
SCR_COMMA_LIST(SndCommaList, sndPositions_)
SCR_COMMA_LIST(SndFileNamesCommaList, sndFileNames_)
SCR_COMMA_LIST(SndSizesCommaList, sndSizes_)
SCR_COMMA_LIST(FlashCommaList, flashPositions_)
SCR_COMMA_LIST(FlashFileNamesCommaList, flashFileNames_)
SCR_COMMA_LIST(FlashSizesCommaList, flashSizes_)
SCR_COMMA_LIST(DescriptCommaList, descriptions_)
#undef SCR_COMMA_LIST

int32_t TSSFileLocations::EffectCount() const { return Count(effects_); }
int32_t TSSFileLocations::Effect(int32_t index) const { return IntItem(effects_, index); }
int32_t TSSFileLocations::PicCount() const { return Count(picPositions_); }
int32_t TSSFileLocations::PicPosition(int32_t index) const { return IntItem(picPositions_, index); }
int32_t TSSFileLocations::SndCount() const { return Count(sndPositions_); }
int32_t TSSFileLocations::SndPosition(int32_t index) const { return IntItem(sndPositions_, index); }
std::string TSSFileLocations::SndFileName(int32_t index) const { return Item(sndFileNames_, index); }
int32_t TSSFileLocations::SndSize(int32_t index) const { return IntItem(sndSizes_, index); }
int32_t TSSFileLocations::FlashCount() const { return Count(flashPositions_); }
int32_t TSSFileLocations::FlashPosition(int32_t index) const { return IntItem(flashPositions_, index); }
std::string TSSFileLocations::FlashFileName(int32_t index) const { return Item(flashFileNames_, index); }
int32_t TSSFileLocations::FlashSize(int32_t index) const { return IntItem(flashSizes_, index); }

const TClassInfo& TSSFileLocations::StaticClassInfo() {
  using C = TSSFileLocations;
  using props::Ordinal;
  using props::WithDefault;
  auto str = [](std::string_view name, auto get, auto set) { return props::String(name, StringType(), get, set); };
  auto flag = [](std::string_view name, auto get, auto set) { return Ordinal(name, BooleanType(), get, set); };
  auto integer = [](std::string_view name, auto get, auto set) { return Ordinal(name, IntegerType(), get, set); };
  static const TClassInfo info{
      "TSSFileLocations",
      &TComponent::StaticClassInfo(),
      {
          str("Text", &C::Text, &C::SetText),
          props::Object("TextFont", FontClassType(), &C::TextFont, &C::TextFont),
          Ordinal("Background", ColorType(), &C::Background, &C::SetBackground),
          flag("lRandomStyle", &C::lRandomStyle, &C::SetlRandomStyle),
          flag("lRandomPic", &C::lRandomPic, &C::SetlRandomPic),
          flag("lClearOldImage", &C::lClearOldImage, &C::SetlClearOldImage),
          flag("lStretch", &C::lStretch, &C::SetlStretch),
          integer("Interval", &C::Interval, &C::SetInterval),
          integer("SoundRandom", &C::SoundRandom, &C::SetSoundRandom),
          flag("lSoundLoop", &C::lSoundLoop, &C::SetlSoundLoop),
          flag("lMute", &C::lMute, &C::SetlMute),
          flag("lExitMouseMove", &C::lExitMouseMove, &C::SetlExitMouseMove),
          flag("lExitMouseClick", &C::lExitMouseClick, &C::SetlExitMouseClick),
          flag("lExitKeyPress", &C::lExitKeyPress, &C::SetlExitKeyPress),
          flag("lShowMouseCursor", &C::lShowMouseCursor, &C::SetlShowMouseCursor),
          flag("lExitFSCommandQuit", &C::lExitFSCommandQuit, &C::SetlExitFSCommandQuit),
          str("Title", &C::Title, &C::SetTitle),
          str("Author", &C::Author, &C::SetAuthor),
          str("Email", &C::Email, &C::SetEmail),
          str("Web", &C::Web, &C::SetWeb),
          str("Ver", &C::Ver, &C::SetVer),
          props::WithDefault(integer("MonitorMode", &C::MonitorMode, &C::SetMonitorMode), kMonitorsBlack),
          integer("HookPosition", &C::HookPosition, &C::SetHookPosition),
          integer("HookSize", &C::HookSize, &C::SetHookSize),
          str("EffectCommaList", &C::EffectCommaList, &C::SetEffectCommaList),
          str("PicCommaList", &C::PicCommaList, &C::SetPicCommaList),
          str("PicFileNamesCommaList", &C::PicFileNamesCommaList, &C::SetPicFileNamesCommaList),
          str("SndCommaList", &C::SndCommaList, &C::SetSndCommaList),
          str("SndFileNamesCommaList", &C::SndFileNamesCommaList, &C::SetSndFileNamesCommaList),
          str("SndSizesCommaList", &C::SndSizesCommaList, &C::SetSndSizesCommaList),
          str("FlashCommaList", &C::FlashCommaList, &C::SetFlashCommaList),
          str("FlashFileNamesCommaList", &C::FlashFileNamesCommaList, &C::SetFlashFileNamesCommaList),
          str("FlashSizesCommaList", &C::FlashSizesCommaList, &C::SetFlashSizesCommaList),
          str("DescriptCommaList", &C::DescriptCommaList, &C::SetDescriptCommaList),
          // The show's presentation, left out of the stream while at their defaults.
          WithDefault(integer("FillMode", &C::FillMode, &C::SetFillMode), 0),
          WithDefault(integer("PanZoom", &C::PanZoom, &C::SetPanZoom), 0),
          WithDefault(flag("lPairPortraits", &C::lPairPortraits, &C::SetlPairPortraits), 0),
          WithDefault(flag("lNoRepeat", &C::lNoRepeat, &C::SetlNoRepeat), 0),
          WithDefault(integer("CaptionMode", &C::CaptionMode, &C::SetCaptionMode), 0),
          WithDefault(flag("lCaptionScaled", &C::lCaptionScaled, &C::SetlCaptionScaled), 0),
      }};
  return info;
}

}  // namespace scr
