#pragma once
// Comma text: the settings' lists (offsets, sizes, names, effect numbers, descriptions)
// are stored as one text each, items separated by commas, quoted with double quotes.
#include <string>
#include <string_view>
#include <vector>

namespace scr {

// Splits comma text into items. Characters with codes 1..32 around items are skipped
// and separate unquoted items just as a comma does; a double-quoted item runs to the
// next lone double quote, "" inside it standing for one double quote (an unclosed
// quote takes the rest of the text). Two commas in a row give an empty item, and a
// comma that is the text's last character gives a trailing empty item. Outside quotes
// a zero byte ends the text.
std::vector<std::string> ParseCommaText(std::string_view text);

// Joins items with commas. An item containing a character with code 32 or less, a
// double quote or a comma is written in double quotes with inner quotes doubled; a
// list of exactly one empty item is "" and an empty list the empty text.
std::string RenderCommaText(const std::vector<std::string>& items);

}  // namespace scr
