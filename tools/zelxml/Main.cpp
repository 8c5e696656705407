#include <iostream>
#include <string>
#include <vector>

#include "ZelXml.h"
#include "platform/Console.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return RunZelXml(args, {std::cout, std::cerr, platform::ConsoleTextEncoding(),
                          platform::StandardErrorIsTerminal()});
}
