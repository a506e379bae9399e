// Draws the default device's pictures and writes them as a C++ source of BakedImages
// (sim/BakedImages.h), and draws the support images into the package's tree as files, so the
// build draws them once and a device is given bytes that are ready.
// Usage: vorlan_bake_images OUTPUT.cpp PACKAGE_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "DeviceIconArt.h"
#include "SupportImageArt.h"

namespace {

// `bytes` as a C++ string literal, in lines of about 100 characters: printable ASCII as it is,
// everything else (and the characters that need escaping) as three-digit octal escapes, which
// never run into the character after them.
std::string literal(const std::string& bytes) {
  std::string out = "\"";
  std::size_t line = 0;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7f && c != '"' && c != '\\' && c != '?') {
      out += c;
      ++line;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\%03o", byte);
      out += escaped;
      line += 4;
    }
    if (line >= 100) {
      out += "\"\n        \"";
      line = 0;
    }
  }
  return out + "\"";
}

bool table(std::ostream& out, const char* name,
           const std::vector<vorlan::DevicePicture>& pictures) {
  out << "constexpr BakedImage " << name << "[] = {\n";
  for (const auto& picture : pictures) {
    if (picture.png.empty()) {
      std::cerr << "vorlan_bake_images: cannot draw " << picture.path << '\n';
      return false;
    }
    out << "    {" << literal(picture.path) << ",\n     std::string_view(" << literal(picture.png)
        << ",\n                      " << picture.png.size() << ")},\n";
  }
  out << "};\n\n";
  return true;
}

// Writes each picture to PACKAGE_FOLDER + its device path. A file that holds the same bytes is
// left alone (its time too, so what depends on it is not redone); others are replaced whole.
// Files of the support directory that are no longer drawn are removed, so the package holds the
// pictures of this build only.
bool writeFiles(const std::filesystem::path& package,
                const std::vector<vorlan::DevicePicture>& pictures) {
  namespace fs = std::filesystem;
  std::set<fs::path> drawn;
  for (const auto& picture : pictures)
    drawn.insert(package / fs::path(picture.path).relative_path());
  const fs::path directory =
      package / fs::path(vorlan::SupportImageArt::kDirectory).relative_path();
  std::error_code ec;
  for (fs::recursive_directory_iterator it(directory, ec), end; !ec && it != end;
       it.increment(ec)) {
    if (it->is_regular_file() && drawn.count(it->path()) == 0) fs::remove(it->path(), ec);
  }
  ec.clear();  // a first build has no directory yet
  for (const auto& picture : pictures) {
    const fs::path file = package / fs::path(picture.path).relative_path();
    fs::create_directories(file.parent_path(), ec);
    if (picture.png.empty() || ec) {
      std::cerr << "vorlan_bake_images: cannot draw " << file << ' ' << ec.message() << '\n';
      return false;
    }
    {
      std::ifstream in(file, std::ios::binary);
      std::ostringstream existing;
      if (in && existing << in.rdbuf() && existing.str() == picture.png) continue;
    }
    fs::path partial = file;
    partial += ".partial";
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(picture.png.data(), static_cast<std::streamsize>(picture.png.size()));
    out.close();
    if (!out || (fs::rename(partial, file, ec), ec)) {
      std::cerr << "vorlan_bake_images: cannot write " << file << '\n';
      fs::remove(partial, ec);
      return false;
    }
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: vorlan_bake_images OUTPUT.cpp PACKAGE_FOLDER\n";
    return 2;
  }
  if (!writeFiles(argv[2], vorlan::SupportImageArt::pictures())) return 1;
  const std::filesystem::path output = argv[1];
  std::filesystem::path partial = output;
  partial += ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out << "// Made by vorlan_bake_images from the drawing code in sim/art at build time.\n"
           "#include \"BakedImages.h\"\n\n"
           "namespace vorlan {\n\nnamespace {\n\n";
    if (!table(out, "kDeviceArtwork", vorlan::DeviceIconArt::pictures())) {
      out.close();
      std::filesystem::remove(partial);
      return 1;
    }
    out << "}  // namespace\n\n"
           "std::span<const BakedImage> BakedImages::deviceArtwork() {\n"
           "  return kDeviceArtwork;\n}\n\n"
           "}  // namespace vorlan\n";
    if (!out.flush()) {
      std::cerr << "vorlan_bake_images: cannot write " << partial << '\n';
      return 1;
    }
  }
  std::error_code ec;
  std::filesystem::rename(partial, output, ec);
  if (ec) {
    std::cerr << "vorlan_bake_images: cannot write " << output << ": " << ec.message() << '\n';
    return 1;
  }
  return 0;
}
