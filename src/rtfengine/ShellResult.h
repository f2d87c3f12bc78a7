// The results of opening a file in the program the desktop associates with it, shared
// by the engine's "open the finished document" and the desktop shell. Above 32 is
// success, as callers test it.
#pragma once

namespace rtfengine {

inline constexpr int kShellFileNotFound = 2;
inline constexpr int kShellNoAssociation = 31;
inline constexpr int kShellSuccess = 42;

inline bool shellSucceeded(int result) {
    return result > 32;
}

} // namespace rtfengine
