// Entry point of tresk_charsmith; the work is done in driver.cc.
#include "driver.h"

int main(int argc, char* argv[]) {
  return tresk::charsmith_main(argc, argv);
}
