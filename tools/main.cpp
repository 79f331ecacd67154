// The corvane command: reads and edits an installation's configuration.
#include "Cli.h"

#include <iostream>

int main(int argc, char** argv) { return corvane::cli::RunCli(argc, argv, std::cout, std::cerr); }
