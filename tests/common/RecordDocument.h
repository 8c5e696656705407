#pragma once

// A generated record-style document: a catalogue of items with attributes, text with
// references, comments, CDATA and nested lists. Deterministic for a given size and seed, so
// tests and benchmarks of different runs see the same bytes. Plain ASCII, so any parser reads
// the same text whatever encoding it assumes.

#include <cstddef>
#include <cstdint>
#include <string>

namespace testing_support {

std::string GenerateRecordDocument(std::size_t approximateBytes, std::uint32_t seed = 1);

}  // namespace testing_support
