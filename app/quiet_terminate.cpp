// The runtime's handler for an exception that nothing catches. The C++ library's
// default one prints the exception's demangled type name to a console that a windowed
// program does not have, and brings the whole name demangler into every saver for it;
// this one only ends the program, as the default one does after printing.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() { std::abort(); }

}  // namespace __gnu_cxx
