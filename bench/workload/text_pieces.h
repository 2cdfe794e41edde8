// The words and addresses the workloads are made of. Every address uses an example domain.
#pragma once

#include <cstdint>
#include <string>

#include "workload/random.h"

namespace ondrel::bench {

// One random word of running Italian text.
const char* RandomWord(Random& random);

// Appends a random invented address (name, digits, example domain).
void AppendRandomAddress(std::string& out, Random& random);

// Appends the address that belongs to `id`: the same id always gives the same address,
// different ids different ones. Addresses of neighbouring ids share long prefixes.
void AppendAddressOfId(std::string& out, std::uint32_t id);

// Appends running text of about `length` bytes: words, some commas and full stops.
void AppendWords(std::string& out, Random& random, std::size_t length);

}  // namespace ondrel::bench
