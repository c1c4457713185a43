#pragma once
// Amplification: a short fuzz input read as a program that writes a long one. The fuzzers of
// decoders whose cost or counters grow with the length of their input run it, so that inputs of
// many megabytes (millions of runs, tables of thousands of entries, streams that expand to the
// size cap) are reached from a few bytes that libFuzzer can mutate.
//
// The program is a sequence of pieces, each
//
//   +--------+-------------------+-------------------+
//   | n (u8) | repeats (u32, LE) | n bytes of text   |
//   +--------+-------------------+-------------------+
//
// whose text is written 1 + repeats times. Output stops at `cap` bytes; a piece cut short by
// the end of the program writes the bytes it has.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace vela::fuzz {

inline std::vector<std::uint8_t> Amplify(std::span<const std::uint8_t> program, std::size_t cap) {
  std::vector<std::uint8_t> out;
  std::size_t at = 0;
  while (at < program.size() && out.size() < cap) {
    const std::size_t n = program[at];
    std::uint64_t repeats = 0;
    for (std::size_t k = 0; k < 4 && at + 1 + k < program.size(); ++k)
      repeats |= std::uint64_t(program[at + 1 + k]) << (8 * k);
    at = std::min(program.size(), at + 5);
    const std::span<const std::uint8_t> text = program.subspan(at, std::min(n, program.size() - at));
    at += text.size();
    if (text.empty())
      continue;
    const std::uint64_t room = (cap - out.size() + text.size() - 1) / text.size();
    const std::uint64_t copies = std::min<std::uint64_t>(repeats + 1, room);
    out.reserve(std::min<std::uint64_t>(cap, out.size() + copies * text.size()));
    for (std::uint64_t c = 0; c < copies; ++c)
      out.insert(out.end(), text.begin(), text.end());
  }
  if (out.size() > cap)
    out.resize(cap);
  return out;
}

} // namespace vela::fuzz
