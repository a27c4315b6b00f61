// Makes the movie-mode savers of the Wine tests from the runtime and the hook library
// of the win32 tree, with the project's own package builder.
//
//   make_movie_saver RUNTIME HOOK_LIBRARY OUT      one movie, no pictures, kind "flash"
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "package/package_builder.h"

namespace {

std::vector<uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: make_movie_saver RUNTIME HOOK_LIBRARY OUT\n");
    return 2;
  }
  try {
    scr::TPackageBuilder b(ReadFile(argv[1]));
    b.SetHookLibrary(ReadFile(argv[2]));
    b.AddMovie("movie.swf", std::vector<uint8_t>(64, 'm'));
    b.Settings().SetVer("flash");
    b.Settings().SetlExitFSCommandQuit(true);
    const std::vector<uint8_t> bytes = b.Build().bytes;
    std::ofstream out(argv[3], std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error(std::string("cannot write ") + argv[3]);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make_movie_saver: %s\n", e.what());
    return 1;
  }
}
