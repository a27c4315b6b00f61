#pragma once
// The pictures' captions of a saver being made: one entry of DescriptCommaList per
// picture, and CaptionMode 1 so that the saver shows them.
#include <optional>
#include <string>
#include <vector>

#include "package/settings.h"
#include "tools/scrtool/saver_maker.h"

namespace scr::tool {

// When the job asks for captions (a source other than none, or a caption given to a
// picture), fills the descriptions, item for item beside `pictures`: the given caption,
// else the one from the picture's data (empty when it has none). Sets CaptionMode to 1
// unless the job sets it itself. Descriptions given as a setting as well are replaced,
// with a warning.
void ApplyCaptions(TSSFileLocations& settings, const TMakeJob& job, const std::vector<TInputFile>& pictures,
                   const std::vector<std::optional<std::string>>& givenCaptions, const TWarn& warn);

}  // namespace scr::tool
