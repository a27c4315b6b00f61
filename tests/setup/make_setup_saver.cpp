// Makes the saver file of the setup dialog's Wine tests: the runtime executable with a
// package whose settings name a title, author, e-mail and web address.
//
//   make_setup_saver RUNTIME OUT
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "package/package_builder.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: make_setup_saver RUNTIME OUT\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::vector<uint8_t> runtime((std::istreambuf_iterator<char>(in)), {});
  if (runtime.empty()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }
  scr::TPackageBuilder builder(std::move(runtime));
  scr::TSSFileLocations& s = builder.Settings();
  s.SetTitle("Lake Views");
  s.SetAuthor("Ann Author");
  s.SetEmail("ann@example.invalid");
  s.SetWeb("www.example.invalid/lake");
  s.SetInterval(5000);
  const scr::TBuiltPackage built = builder.Build();
  std::ofstream out(argv[2], std::ios::binary);
  out.write(reinterpret_cast<const char*>(built.bytes.data()), static_cast<std::streamsize>(built.bytes.size()));
  return out ? 0 : 1;
}
