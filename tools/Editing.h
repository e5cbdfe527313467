// What the commands that change a catalogue share: opening it with the hoop they address, and saving it.
#pragma once

#include "Catalogue.h"
#include "CatalogueSave.h"

#include <brevant/Brevant.h>

#include <CLI/CLI.hpp>

#include <functional>
#include <string>

// The options every changing command takes; an empty `out` is the file that was read.
using WriteOptions = SaveOptions;

// Adds -o/--output (required or not) and the safety flags of a command that writes a catalogue (--force,
// --lf, --line-ends).
void AddWriteOptions(CLI::App& command, WriteOptions& options, bool outputRequired);

// Loads `path` as OpenInput does and, when `hoop` is 0 or more, makes sure that hoop exists. Answers the
// exit status so far (kExitFailed after telling the person what is wrong). `input` is what SaveEdited needs
// to know what the file held.
int OpenForEdit(CINIHoop& catalogue, CatalogueInput& input, const std::string& path, int hoop);

// Makes sure that mount `mount` of hoop `hoop` exists; answers kExitOk or kExitFailed after saying so.
int CheckMount(CINIHoop& catalogue, const std::string& path, int hoop, int mount);

// Saves the changed catalogue like convert does (SaveCatalogue): refusing to lose what the input held beyond
// the catalogue unless --force; `loadStatus` is what OpenForEdit answered.
int SaveEdited(CINIHoop& catalogue, const CatalogueInput& input, int loadStatus, const WriteOptions& options);

// The course of every edit: opens `path` as OpenForEdit does for hoop `hoop`, runs `edit` on the catalogue
// and, when it answers kExitOk, saves as SaveEdited does; any other answer is returned with nothing written.
int EditFile(const std::string& path, int hoop, const WriteOptions& options,
             const std::function<int(CINIHoop&)>& edit);
