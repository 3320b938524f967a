// How many runs a file gets, guessed from its size and the size of its second piece.
#pragma once

#include <cstdint>
#include <optional>

namespace parvane {

// Runs counting pieces 1 and 2: source size / piece size + 3 spare runs, halves to even.
// Either size is -1 when it could not be read. nullopt: no estimate, the file ends
// after piece 2.
std::optional<std::int64_t> EstimatePieceLimit(std::int64_t sourceSize, std::int64_t pieceSize);

}  // namespace parvane
