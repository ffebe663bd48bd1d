// Packs the readable source of a shipped data file into the binary file the program reads.
// Usage: qvpack economic|init SOURCE OUTPUT. A refused source names its line on standard
// error, writes nothing and exits 1, which fails the build.

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>

#include "resources/StaticDataSource.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: qvpack economic|init SOURCE OUTPUT\n";
    return 2;
  }
  const std::string_view kind = argv[1];
  const std::string source_path = argv[2];
  const std::string output_path = argv[3];
  if (kind != "economic" && kind != "init") {
    std::cerr << "qvpack: unknown kind '" << kind << "', expected economic or init\n";
    return 2;
  }

  std::ifstream source(source_path, std::ios::binary);
  if (!source) {
    std::cerr << source_path << ": cannot open\n";
    return 1;
  }
  std::ostringstream text;
  text << source.rdbuf();

  const qv::PackResult packed =
      kind == "economic" ? qv::PackEconomicSource(text.str()) : qv::PackInitSource(text.str());
  if (!packed.ok) {
    std::cerr << source_path << ": " << packed.error << "\n";
    return 1;
  }

  std::ofstream output(output_path, std::ios::binary | std::ios::trunc);
  output.write(reinterpret_cast<const char*>(packed.bytes.data()),
               static_cast<std::streamsize>(packed.bytes.size()));
  output.close();
  if (!output) {
    std::cerr << output_path << ": cannot write\n";
    std::remove(output_path.c_str());
    return 1;
  }
  return 0;
}
