// What starting a program and ending its tree need on POSIX, shared by the
// server's side (childProcessPosix.cpp) and a run's keeper (keeperPosix.cpp).
#pragma once

#include <csignal>

#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

// A spawn's settings, released however the start ends.
struct spawnSettings {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    spawnSettings();
    ~spawnSettings();
    spawnSettings(const spawnSettings&) = delete;
    spawnSettings& operator=(const spawnSettings&) = delete;
};

void closeFd(int& fd);

// The signals a server blocks or ignores, back to their defaults in a
// program: a tool must see a broken pipe and Ctrl+C as it would in a
// terminal.
inline constexpr int endSignals[] = {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// A program in a process group of its own, its signals as a terminal gives
// them (what a server blocks or ignores back to the defaults).
void ownGroupPlainSignals(spawnSettings& settings);

// A program leading a session of its own (so a process group of its own
// too, with the program's id), without a controlling terminal, its signals
// as a terminal gives them. Where the system cannot start it so: a process
// group of its own.
void ownSessionPlainSignals(spawnSettings& settings);

// Ignores endSignals (a run's keeper, which only its link ends).
void ignoreEndSignals();

// Starts argv (a name without '/' looked up in PATH) with settings; the
// process id, or 0 with the system's error number in failed.
pid_t spawnProgram(const std::vector<std::string>& argv, const spawnSettings& settings, int& failed);

// Why a start failed, in words naming the program or the folder, from the
// system's error number.
std::string startFailure(const std::vector<std::string>& argv, const std::string& cwd, int failed);

// What a program's tree left behind that has come to this process (its
// subreaper): every child of this process but program, found in /proc (each
// process's stat names its parent). A child keeps its id until this process
// reaps it, so signalling one found here can never reach another process.
std::vector<pid_t> childrenBut(pid_t program);
void signalLeftovers(pid_t program, int signal);
// Ends and reaps what the tree left behind, until nothing is left: each
// process ended here hands its own children to this process in turn.
void endLeftovers(pid_t program);
