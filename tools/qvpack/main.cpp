// qvpack, the package builder: builds product packages and setup executables, and
// lists, tests and extracts them.
#include <cstdio>
#include <cstring>
#include <string>

#include "commands.h"
#include "terminal.h"

namespace {

const char* const kHelp =
    "usage: qvpack <command> [arguments]\n"
    "\n"
    "  build    pack a folder into a package file\n"
    "  setup    build a setup executable from the stub, a setup folder and a product\n"
    "  list     list the entries of a package or setup executable\n"
    "  test     check every entry of a package or setup executable\n"
    "  extract  extract a package or setup executable into a folder\n"
    "\n"
    "qvpack <command> --help tells more about each.\n";

struct Command {
  const char* name;
  int (*run)(const qvpack::Arguments&);
};

const Command kCommands[] = {{"build", qvpack::runBuild},
                             {"setup", qvpack::runSetup},
                             {"list", qvpack::runList},
                             {"test", qvpack::runTest},
                             {"extract", qvpack::runExtract}};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kHelp, stderr);
    return qvpack::kExitUsage;
  }
  const char* name = argv[1];
  if (!std::strcmp(name, "--help") || !std::strcmp(name, "-h") || !std::strcmp(name, "help")) {
    std::fputs(kHelp, stdout);
    return qvpack::kExitOk;
  }
  const Command* command = nullptr;
  for (const Command& c : kCommands)
    if (!std::strcmp(name, c.name)) command = &c;
  if (!command) {
    std::fprintf(stderr, "qvpack: unknown command \"%s\" (see qvpack --help)\n", name);
    return qvpack::kExitUsage;
  }
  // Paths and entry names are ANSI from here on, whatever the console speaks.
  qvpack::Arguments args;
  for (int i = 2; i < argc; ++i) {
    std::string ansi;
    if (!qvpack::convertArgumentToAnsi(argv[i], ansi)) {
      std::fprintf(stderr, "qvpack %s: the argument \"%s\" has no Windows-1252 form, which paths and names need\n",
                   name, argv[i]);
      return qvpack::kExitUsage;
    }
    args.push_back(ansi);
  }
  return command->run(args);
}
