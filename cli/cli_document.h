#pragma once
// The radio document as the application has it right after start-up, built for tarvos-cli
// from the installation data (share/tarvos of an installed program, else the copies inside
// the program): the channel layout of the language from the shipped settings file, the
// shipped template loaded by the first band selection. Every command that opens, edits,
// saves, reads or writes goes through one, so the command line gives the bytes the window
// gives for the same gestures.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "base/error_log.h"
#include "base/settings_file.h"
#include "document/radio_document.h"
#include "memory/image.h"

namespace tarvos::cli {

std::unique_ptr<RadioDocument> StartedDocument(ErrorLog& log, int language);

// A started document with a data file opened as File > Open opens it; nullptr, after one line
// on standard error naming the command and why (the file cannot be opened, or is no data
// file), otherwise.
std::unique_ptr<RadioDocument> OpenedDocument(ErrorLog& log, int language, const std::string& path,
                                              std::string_view command);

// A data file's image, read as File > Open reads it, for a command that only looks at it;
// nullopt, after one line on standard error naming the command, when it cannot be used.
std::optional<ByteImage> OpenForReading(const std::string& path, std::string_view command);

// After a save of doc to path failed: one line on standard error saying why; returns 2.
int SaveFailed(const RadioDocument& doc, std::string_view command, const std::string& path);

// The settings file the command line follows for the transfer ranges and port pins:
// TARVOS_HOME's when that is set and holds one, else the one that ships with the program.
SettingsFile CliSettings();

}  // namespace tarvos::cli
