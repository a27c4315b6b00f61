#include "common/random.h"

namespace scr {

TRandom& ProgramRandom() {
  static TRandom generator;
  return generator;
}

}  // namespace scr
