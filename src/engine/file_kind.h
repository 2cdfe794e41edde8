// The kinds of file a run reads, as the kind options number them.
#pragma once

#include <cstdint>

namespace ondrel {

enum FileKindValue : std::int16_t { kKindWebPages = 0, kKindTextFiles = 1, kKindStoreFiles = 2 };

}  // namespace ondrel
