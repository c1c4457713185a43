// Skin packages from outside: the first byte chooses whether the rest is a compressed skin file
// or an already expanded package, so that the package structure is reached directly too.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/data/memory_stream.h"
#include "skin/data/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  vela::skin::TSkinReader reader;
  const std::vector<std::uint8_t> rest(data + 1, data + size);
  bool loaded = false;
  if (data[0] & 1) {
    loaded = reader.LoadExpanded(rest);
  } else {
    // Keep the expansion small for speed: the reader's own cap is tested by the unit tests.
    if (rest.size() >= 4 && (rest[3] != 0 || rest[2] != 0))
      return 0;
    vela::skin::MemoryStream source(rest);
    loaded = reader.LoadPackage(source);
  }
  if (!loaded) {
    if (reader.MemberCount() != 0)
      std::abort();
    return 0;
  }
  vela::skin::MemoryStream member;
  const auto& names = reader.MemberNames();
  for (int i = 0; i < reader.MemberCount(); ++i) {
    const bool found = reader.ExtractMember(names[std::size_t(i)], member);
    // A name may stand twice (empty lines are members with empty names); the first one wins.
    int first = 0;
    while (names[std::size_t(first)] != names[std::size_t(i)])
      ++first;
    if (found && member.Size() != std::size_t(reader.MemberSize(first)))
      std::abort();
    if (!found && member.Size() != 0)
      std::abort();
  }
  std::string name = "none";
  if (!reader.ExtractFirstMatching(".ini", member, name) && (member.Size() != 0 || name != "none"))
    std::abort();
  return 0;
}
