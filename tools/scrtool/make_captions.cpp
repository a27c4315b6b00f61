#include "tools/scrtool/make_captions.h"

#include <algorithm>

#include "common/ascii.h"
#include "package/property_text.h"
#include "tools/scrtool/setting_values.h"

namespace scr::tool {

namespace {

bool JobSets(const TMakeJob& job, std::string_view name) {
  return std::any_of(job.settings.begin(), job.settings.end(),
                     [&](const auto& nv) { return AsciiLowerCase(nv.first) == AsciiLowerCase(name); });
}

bool HasSetting(const TSSFileLocations& settings, std::string_view name) {
  const std::vector<TPropertyRef> refs = ListProperties(settings);
  return std::any_of(refs.begin(), refs.end(), [&](const TPropertyRef& r) { return r.path == name; });
}

}  // namespace

void ApplyCaptions(TSSFileLocations& settings, const TMakeJob& job, const std::vector<TInputFile>& pictures,
                   const std::vector<std::optional<std::string>>& givenCaptions, const TWarn& warn) {
  const bool given = std::any_of(givenCaptions.begin(), givenCaptions.end(), [](const auto& c) { return c.has_value(); });
  if (job.captions == TCaptionSource::None && !given) return;
  if (JobSets(job, "DescriptCommaList")) warn("the pictures' captions replace the descriptions given");
  TStringList& captions = settings.Descriptions();
  captions.clear();
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::optional<std::string>& own = i < givenCaptions.size() ? givenCaptions[i] : std::nullopt;
    captions.push_back(own ? *own : PictureCaption(pictures[i].path, pictures[i].name, job.captions, job.dateFormat));
  }
  // The show draws each picture's entry only in caption mode 1.
  if (!JobSets(job, "CaptionMode") && HasSetting(settings, "CaptionMode")) SetSetting(settings, "CaptionMode", "1");
}

}  // namespace scr::tool
