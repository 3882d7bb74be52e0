#include "runtime/tests/program/test_screen.h"

int main(int argc, char** argv) {
  static corvena::runtime::testing::TestScreen screen;
  static const auto definition = screen.definition();
  return corvena::runtime::runScreen(argc, argv, definition);
}
