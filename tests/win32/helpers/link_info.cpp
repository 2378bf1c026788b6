// qvlinkinfo: prints what a .lnk file holds, read back through the shell's link
// object, one "name=value" line each:
//
//   qvlinkinfo <link file>
//       target, arguments, working, icon, index, show, description, hotkey, item;
//       exits 0, or 1 when the file does not load as a link
#include <cstdio>

#include "link_reader.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: qvlinkinfo <link file>\n");
    return 2;
  }
  qvtest::LinkContents link = qvtest::readLinkFile(argv[1]);
  if (!link.loaded) {
    std::fprintf(stderr, "not a readable link: %s\n", argv[1]);
    return 1;
  }
  std::printf("target=%s\narguments=%s\nworking=%s\nicon=%s\nindex=%d\nshow=%d\ndescription=%s\nhotkey=%d\nitem=%s\n",
              link.target.c_str(), link.arguments.c_str(), link.workingFolder.c_str(), link.iconFile.c_str(),
              link.iconIndex, link.showCommand, link.description.c_str(), link.hotkey, link.item.c_str());
  return 0;
}
