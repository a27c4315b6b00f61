#pragma once
// Saver files for the tests and the Wine tests' generators, made with the project's own
// package builder: pictures that show scaling faults, stand-ins for item contents, the
// runtime read from a build tree, and the plumbing every generator program shares.
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/bitmap24.h"
#include "package/package_builder.h"

namespace scr::test {

using TBytes = std::vector<uint8_t>;

// A picture whose every pixel differs from its neighbours, so scaling faults show.
TBitmap24 PatternBitmap(int width, int height);

// A "TBitmap" image stream of PatternBitmap(width, height).
TBytes PatternImage(int width, int height);

// Bytes standing in for the runtime executable (no package).
TBytes FakeRuntime(size_t size = 4096);

// A saver whose first package item is the picture as a "TBitmap" image stream.
TBytes PreviewSaver(const TBitmap24& picture);

// What the preview should show of picture in a window of width x height: the picture
// scaled to one pixel more in each direction, cut to the window.
TBitmap24 ExpectedPreview(const TBitmap24& picture, int width, int height);

// `text` repeated `times` times, as stand-in contents of a sound, movie or library.
TBytes Repeat(std::string_view text, int times);

// A whole file's bytes; throws std::runtime_error("cannot read PATH").
TBytes ReadFileBytes(const std::string& path);
// Writes a whole file; throws std::runtime_error("cannot write PATH").
void WriteFileBytes(const std::string& path, std::span<const uint8_t> bytes);

// A builder holding the runtime executable read from `runtimePath`.
TPackageBuilder SaverOn(const std::string& runtimePath);
// Builds the saver and writes it to `path`.
void WriteSaver(const TPackageBuilder& builder, const std::string& path);

using TGeneratorArgs = std::vector<std::string>;
// The main function of a generator program: runs `run` on the arguments after the
// program name; an exception is printed as "NAME: message" and gives exit code 1.
int RunGenerator(const char* name, int argc, char** argv, const std::function<int(const TGeneratorArgs&)>& run);

}  // namespace scr::test
