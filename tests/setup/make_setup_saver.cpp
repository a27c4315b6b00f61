// Makes the saver file of the setup dialog's Wine tests: the runtime executable with a
// package whose settings name a title, author, e-mail and web address.
//
//   make_setup_saver RUNTIME OUT
#include <cstdio>

#include "tests/support/saver_files.h"

namespace {

int Run(const scr::test::TGeneratorArgs& a) {
  if (a.size() != 2) {
    std::fprintf(stderr, "usage: make_setup_saver RUNTIME OUT\n");
    return 2;
  }
  scr::TPackageBuilder builder = scr::test::SaverOn(a[0]);
  scr::TSSFileLocations& s = builder.Settings();
  s.SetTitle("Lake Views");
  s.SetAuthor("Ann Author");
  s.SetEmail("ann@example.invalid");
  s.SetWeb("www.example.invalid/lake");
  s.SetInterval(5000);
  scr::test::WriteSaver(builder, a[1]);
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return scr::test::RunGenerator("make_setup_saver", argc, argv, Run); }
