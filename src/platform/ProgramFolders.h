// Where the program finds its own files and where it writes. Plain C++, so the
// command-line tool follows the same rules as the desktop program.
//
// Run from the build tree (a folder holding the marker file the build writes
// beside the binaries), both folders are the executable's own, as they always
// were for developers. Installed, the read-only files (data.mdb, templates/) are
// in <prefix>/share/vitacraft, found relative to the executable so that any
// prefix works, and everything the program writes (the working copies of new
// résumés, the last generated document) goes to the user's XDG data folder: an
// installed program is shared by every user and its prefix is not theirs.
#pragma once

#include <filesystem>
#include <string>

namespace platform {

// The file the build writes beside its binaries; no install carries it.
inline constexpr const char* kBuildTreeMarker = "vitacraft-build-tree";

struct ProgramFolders {
    std::filesystem::path data;     // data.mdb and templates/, never written
    std::filesystem::path writable; // the working copies and temp.doc
};

// The parts of the environment the rules read. `xdgDataHome` counts only when it
// is an absolute path, as the XDG base directory rules say; `home` is the user's
// home folder.
struct UserEnvironment {
    std::string xdgDataHome;
    std::string home;
};

// The folders of a program whose executable lies in `executableDirectory`.
// `installedDataFromBin` is the data folder relative to the installed bin folder
// ("../share/vitacraft"). Only looks at the disk for the marker.
ProgramFolders programFolders(const std::filesystem::path& executableDirectory,
                              const std::string& installedDataFromBin,
                              const UserEnvironment& environment);

// The folders of the running program, from /proc/self/exe and the environment
// (HOME, else the password database).
ProgramFolders runningProgramFolders();

// The running program's version ("3.0").
const char* programVersion();

} // namespace platform
