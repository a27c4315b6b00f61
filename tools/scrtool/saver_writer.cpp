#include "tools/scrtool/saver_writer.h"

#include "package/component_writer.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

TSSFileLocations MakeSettings(const std::vector<std::pair<std::string, std::string>>& settings) {
  TSSFileLocations s;
  ApplyMakeDefaults(s);
  for (const auto& [name, value] : settings) SetSetting(s, name, value);
  FinishMakeDefaults(s, settings);
  return s;
}

TBuiltPackage WriteSaver(std::vector<uint8_t> runtime, TSaverContent content) {
  const TSSFileLocations settings = MakeSettings(content.settings);
  return WriteSaver(std::move(runtime), settings, std::move(content));
}

TBuiltPackage WriteSaver(std::vector<uint8_t> runtime, const TSSFileLocations& settings, TSaverContent content) {
  TPackageBuilder builder(std::move(runtime));
  builder.SetTextForm(content.textForm);
  builder.Settings() = settings;
  if (content.preview) builder.SetPreview(BuildImageStream(content.preview->pictureClass, content.preview->bytes));
  for (TStoredPicture& p : content.pictures) {
    builder.AddPicture(std::move(p.name), BuildImageStream(p.pictureClass, p.bytes));
    p.bytes = {};  // one copy at a time
  }
  for (TStoredFile& f : content.sounds) builder.AddSound(std::move(f.name), std::move(f.bytes));
  for (TStoredFile& f : content.movies) builder.AddMovie(std::move(f.name), std::move(f.bytes));
  if (content.hook) builder.SetHookLibrary(std::move(*content.hook));
  return builder.Build();
}

}  // namespace scr::tool
