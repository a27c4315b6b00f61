#pragma once
// The order pictures and music go into a saver: by name as people read names (numbers
// by their value, letter case folded: IMG_9 before IMG_10), by the date a photo was
// taken (EXIF, else the file's time), or as given.
#include <string>
#include <string_view>
#include <vector>

#include "tools/scrtool/make_inputs.h"

namespace scr::tool {

enum class TInputOrder { Name, Date, Given };

// "name", "date" or "given"; EUsage otherwise.
TInputOrder ParseInputOrder(std::string_view text);

// Natural order: runs of digits compare by value, other text without regard to ASCII
// letter case; a tie falls back to the plain bytes. Negative, 0 or positive.
int NaturalCompare(std::string_view a, std::string_view b);

// When the picture was taken as "YYYY:MM:DD HH:MM:SS": its EXIF date, else the file's
// modification time; empty when neither can be read.
std::string TakenDate(const std::string& path);

// Sorts the files in place (stably, so equal keys keep the order given). Name order
// compares the paths, so each folder's files stay together.
void OrderInputs(std::vector<TInputFile>& files, TInputOrder order);

}  // namespace scr::tool
