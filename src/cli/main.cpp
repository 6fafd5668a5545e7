#include <CLI/CLI.hpp>
#include <iostream>

#include "cli/decode_command.h"
#include "cli/exit_status.h"

int main(int argc, char** argv) {
  CLI::App app{"trel: sends parameters and keyword tables to a receipt printer"};
  app.require_subcommand(1);

  std::string decodeFile;
  CLI::App* decode = app.add_subcommand("decode", "Print each frame of a recording");
  decode->add_option("FILE", decodeFile, "Recording to read")->required();

  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    const int status = app.exit(error);
    return status == 0 ? trel::kExitSuccess : trel::kExitBadRequest;
  }

  if (decode->parsed()) {
    return trel::RunDecode(decodeFile, std::cout, std::cerr);
  }
  return trel::kExitBadRequest;
}
