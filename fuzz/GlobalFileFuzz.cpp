// Global.qv text from anywhere (a bank disk, a damaged game) must either parse into a game
// record that writes back to the same record, or be refused; never crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "data/GlobalFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  qv::GameRecord record;
  if (!qv::DecodeGlobalFile(text, &record)) {
    return 0;
  }
  qv::GameRecord again;
  if (!qv::DecodeGlobalFile(qv::EncodeGlobalFile(record), &again) || !(again == record)) {
    std::abort();
  }
  return 0;
}
