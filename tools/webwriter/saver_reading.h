#pragma once
// A saver file taken apart for the Make view (see saver_reading.cpp).
#include <emscripten/val.h>

#include <cstdint>
#include <string>
#include <vector>

namespace scr::webwriter {

// {error: "" or why the file is no saver, settings: [[name, value]...] (every setting,
// as `scrtool make` takes it), colours: {Background, "TextFont.Color"} as #rrggbb,
// descriptions: [...], singleByteText, preview: {name, pictureClass, bytes} or null (a
// preview of its own only), pictures: [{name, pictureClass, bytes} or {name, error}],
// sounds and movies: [{name, bytes} or {name, error}]}. The hook library is left out.
emscripten::val ReadSaver(const std::string& name, std::vector<uint8_t> bytes);

}  // namespace scr::webwriter
