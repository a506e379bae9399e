#include <CLI/CLI.hpp>

int main(int argc, char** argv) {
  CLI::App app{"Vorlan: the Settings-app extension and its simulated device"};
  app.require_subcommand(0);
  CLI11_PARSE(app, argc, argv);
  return 0;
}
