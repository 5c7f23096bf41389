// Seeded random numbers and lines laid out as loaded text lies, for tests that try many cases.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The same numbers on every run from the same seed.
struct TestRandom {
  std::uint32_t seed;
  unsigned operator()() {
    seed = seed * 1103515245u + 12345u;
    return seed >> 16;
  }
};

// Lines one after the other in one piece of memory, one unit apart (the unit between them
// drawn from between), with about one in five kept elsewhere and some empty lines without
// any text, as the line store holds loaded and edited lines.
struct LaidOutLines {
  std::u16string memory;
  std::vector<std::u16string> apart;  // each line's own copy
  std::vector<const char16_t*> texts;
  std::vector<int> lengths;

  LaidOutLines(const std::vector<std::u16string>& lines, const std::u16string& between, TestRandom& next) : apart(lines) {
    std::vector<std::size_t> offsets;
    for (const auto& line : lines) {
      memory.push_back(between[next() % between.size()]);
      offsets.push_back(memory.size());
      memory += line;
      lengths.push_back(static_cast<int>(line.size()));
    }
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const bool inMemory = next() % 5 != 0;
      if (lines[k].empty() && next() % 2) texts.push_back(nullptr);
      else texts.push_back(inMemory ? memory.data() + offsets[k] : apart[k].data());
    }
  }
  int Count() const { return static_cast<int>(lengths.size()); }
};
