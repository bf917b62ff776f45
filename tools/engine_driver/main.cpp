// solvar-engine: the engine driver on standard input and output.
#include <iostream>
#include <string>

#include "engine_driver/engine_session.h"

int main() {
  solvar::tools::EngineSession session;
  std::string line;
  while (!session.Finished() && std::getline(std::cin, line)) {
    std::cout << session.Handle(line) << std::flush;
  }
  return 0;
}
