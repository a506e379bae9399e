// Reads a property list, parses it with libplist and prints the file as stored: what
// `vorlan prefs show` does, for its peak memory to be measured beside ours.
#include <plist/plist.h>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  plist_t tree = nullptr;
  plist_from_memory(bytes.data(), static_cast<uint32_t>(bytes.size()), &tree);
  if (!tree) return 1;
  std::fwrite(bytes.data(), 1, bytes.size(), stdout);
  plist_free(tree);
  return 0;
}
