// What the commands that change a catalogue share: opening it with the hoop they address, and saving it.
#pragma once

#include <brevant/Brevant.h>

#include <CLI/CLI.hpp>

#include <string>

// The options every changing command takes.
struct WriteOptions {
    std::string out; // the file to write; empty: the file that was read
    bool skipFaulty = false;
};

// Adds -o/--output (required or not) and the safety flags of a command that writes a catalogue.
void AddWriteOptions(CLI::App& command, WriteOptions& options, bool outputRequired);

// Loads `path` as OpenCatalogue does and, when `hoop` is 0 or more, makes sure that hoop exists. Answers the
// exit status so far (kExitFailed after telling the person what is wrong).
int OpenForEdit(CINIHoop& catalogue, const std::string& path, int hoop);

// Makes sure that mount `mount` of hoop `hoop` exists; answers kExitOk or kExitFailed after saying so.
int CheckMount(CINIHoop& catalogue, const std::string& path, int hoop, int mount);

// Saves the changed catalogue like convert does; `loadStatus` is what OpenForEdit answered.
int SaveEdited(CINIHoop& catalogue, int loadStatus, const std::string& in, const WriteOptions& options);
