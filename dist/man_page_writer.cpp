// Writes the manual page of rer-cli at build time: the page written in
// dist/rer-cli.1.in with its commands, exit codes and examples taken from the
// command table of rer-cli.
//   rer-cli-manpage TEMPLATE VERSION RELEASE_DATE OUT

#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>

#include "cli/help_text.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::cerr << "usage: rer-cli-manpage TEMPLATE VERSION RELEASE_DATE OUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "rer-cli-manpage: cannot read " << argv[1] << "\n";
    return 1;
  }
  const std::string manTemplate{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  std::ofstream out(argv[4], std::ios::binary | std::ios::trunc);
  out << rer::cli::ManPage(manTemplate, argv[2], argv[3]);
  if (!out.flush()) {
    std::cerr << "rer-cli-manpage: cannot write " << argv[4] << "\n";
    return 1;
  }
  return 0;
}
