// The folders each person has for a program's files, from one place: where
// settings, the person's own configs, what the program keeps between runs
// and what lives only while it runs go.
//
// Each is a folder "tarvelkin" inside the system's folder of that kind:
//
//   kind      Linux and other POSIX (XDG base directories)   Windows
//   config    $XDG_CONFIG_HOME, else ~/.config                 %APPDATA%
//   data      $XDG_DATA_HOME, else ~/.local/share              %APPDATA%
//   state     $XDG_STATE_HOME, else ~/.local/state             %LOCALAPPDATA%
//   runtime   $XDG_RUNTIME_DIR, else the state folder         %LOCALAPPDATA%
//
// A variable that is unset, empty or not an absolute path counts as unset,
// as the XDG rules say; ~ is $HOME.
#pragma once

#include <string>

enum class userFolder { config, data, state, runtime };

// The folder of this kind, in UTF-8; empty when the system names none (no
// home, no such variable on Windows).
std::string userFolderPath(userFolder kind);

// The person's home folder ($HOME; %USERPROFILE% on Windows), in UTF-8; ""
// when the system names none.
std::string homeFolderPath();

// The same folder, made when it is missing (with the folders above it); the
// folder itself is for this user only (mode 0700 on POSIX). False, with why,
// when it cannot be made or is not a folder.
bool makeUserFolder(userFolder kind, std::string& path, std::string& why);
