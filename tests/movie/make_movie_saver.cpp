// Makes the movie-mode savers of the Wine tests from the runtime and the hook library
// of the win32 tree, with the project's own package builder.
//
//   make_movie_saver RUNTIME HOOK_LIBRARY OUT      one movie, no pictures, kind "flash"
#include <cstdio>

#include "tests/support/saver_files.h"

namespace {

int Run(const scr::test::TGeneratorArgs& a) {
  if (a.size() != 3) {
    std::fprintf(stderr, "usage: make_movie_saver RUNTIME HOOK_LIBRARY OUT\n");
    return 2;
  }
  scr::TPackageBuilder b = scr::test::SaverOn(a[0]);
  b.SetHookLibrary(scr::test::ReadFileBytes(a[1]));
  b.AddMovie("movie.swf", std::vector<uint8_t>(64, 'm'));
  b.Settings().SetVer("flash");
  b.Settings().SetlExitFSCommandQuit(true);
  scr::test::WriteSaver(b, a[2]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_movie_saver", argc, argv, Run); }
