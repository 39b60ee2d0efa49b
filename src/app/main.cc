#include "app/app_main.h"

int main(int argc, char** argv) {
  return vantel::Main(argc > 0 ? argv[0] : nullptr);
}
