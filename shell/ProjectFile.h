#pragma once
// The project file: a Windows-1252 text file with CR LF line ends holding the application type, the
// power unit, the currency choice, the parameters and the customer texts of one estimate.
//
// Messages are looked up in the hidden translation window's string table (texts) and shown through the
// dialog service; neither function raises an error to its caller. The options the live pass writes go
// to the registry (PROGRAM\PS, CS and CC under SOFTWARE\PELLAWINSBRY\ZEL\SETUP).

#include "analysis/ParamTable.h"
#include "analysis/Texts.h"
#include "shell/ProjectLines.h"
#include "shell/ProjectWindows.h"

#include <cstdint>
#include <string>

namespace shell {

// A file larger than this is refused unread ("File too large"); a project file holds a few kilobytes.
inline constexpr std::int64_t MaxProjectFileSize = 1024 * 1024;

// Writes the project from entries 1..DefinedParamCount of table, the globals and the windows' texts,
// dated today (rtl::Date). A value is written with the decimals of its scale, or with one more (at
// most 4) where those would change it. The old file stays whole until the new one is complete on disk.
// True, after "IDS_61" in an information box, when the file was written; false after the system's
// text for the error.
bool SaveProjectFile(const analysis::TParamTable& table, const std::string& fileName, const ProjectWindows& windows,
                     const analysis::TextSource& texts);

enum class LoadMode {
    // Checks the lines and the required sections; stores nothing anywhere.
    Check = 0,
    // Reads the parameters into table, keeps the settings and customer texts in the globals, fills the
    // windows and writes the options to the registry.
    Live = 1,
};

// True when the file was read to its end, had [APPLICATION], [POWER] and [CURRENCY MODE] with a valid
// value and [DATA RIVUVE SAVER], and the user cancelled none of the messages. A value that is not wholly
// a number is a line error. Parameters no line of the file names, and lines of the group whose number
// is not written with three digits, are reported together in one more box with OK and Cancel after the
// lines. Values stored before a cancel or a missing section stay in the live table; after a successful
// live pass every parameter the file gave no value has its built-in one.
bool LoadProjectFile(const std::string& fileName, analysis::TParamTable& table, LoadMode mode,
                     ProjectWindows& windows, const analysis::TextSource& texts);

// The Open command: the check pass over ShadowParamTable and, when it passes, the live pass over
// ParamTable, which does not show again the line errors the user has answered in the check pass. True
// when the project was opened; reported, when given, receives the number of lines the passes reported
// (line errors, parameters out of range, beyond the table or matching none, and the report of missing
// parameters).
bool OpenProjectFile(const std::string& fileName, ProjectWindows& windows, const analysis::TextSource& texts,
                     int* reported = nullptr);

// Stores the parameter line in state.Param into every record of table (1..DefinedParamCount) with its
// group, group digit and Id, when the value lies within the record's limits; reports a number beyond
// DefinedParamCount, a value out of range and a line that stored nothing. Cancel sets state.Abort.
void StoreParamLine(ProjectReadState& state, analysis::TParamTable& table, const analysis::TextSource& texts);

}  // namespace shell
