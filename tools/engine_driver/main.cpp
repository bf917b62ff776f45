// solvar-engine: the engine driver on standard input and output.
#include <cstring>
#include <iostream>
#include <string>

#include "engine_driver/engine_session.h"
#include "solvar/version.h"

int main(int argc, char* argv[]) {
  if (argc > 1 && std::strcmp(argv[1], "--version") == 0) {
    std::cout << "solvar-engine " << solvar::ProgramVersion << "\n";
    return 0;
  }
  solvar::tools::EngineSession session;
  std::string line;
  while (!session.Finished() && std::getline(std::cin, line)) {
    std::cout << session.Handle(line) << std::flush;
  }
  return 0;
}
