// The subcommands of velox-batch besides the single timed run, and what
// they share: exit codes, messages, argument walking and the table on the
// terminal.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "files/model/ReportTable.h"

namespace velox::batch {

inline constexpr int ExitOk = 0;
inline constexpr int ExitFailed = 1;
inline constexpr int ExitUsage = 2;
inline constexpr int ExitSignalBase = 128;  // + the signal number, as the shell reports it: 130 for Ctrl+C

// velox-batch summary …; argv[0] is "summary".
int RunSummary(int argc, char** argv);
// velox-batch sweep …; argv[0] is "sweep".
int RunSweep(int argc, char** argv);

void Print(std::FILE* f, const std::string& text);

// Writes to standard output at once; when that fails (a full disk, a closed
// output) says so on standard error and returns false.
bool PrintOut(const std::string& text);

// An output the program was started without (">&-") is held by a read-only
// /dev/null, so that writing to it fails instead of going into the first
// file the program opens.
void HoldClosedOutputs();

// "velox-batch: message", then where to find the usage of the command (of
// the single timed run when `command` is empty).
int UsageError(std::string_view command, const std::string& message);

struct Arguments {
    std::vector<std::pair<std::string, std::string>> Options;  // in command-line order
    std::vector<std::string> Operands;
    bool Help = false;
};

// Walks argv[1 …]: "--help" (or "-h"), the options of `valued` with their
// value ("--name VALUE" or "--name=VALUE"), and operands; after "--" every
// argument is an operand.  Returns the reason when the arguments are bad.
std::optional<std::string> ParseArguments(int argc, char** argv, const std::vector<std::string_view>& valued,
                                          Arguments& out);

// "--speed N", N from 1 to 5, as an index 0 … 4; the reason when it is none.
std::optional<std::string> ReadSpeed(const std::string& value, int& speedIndex);

// The order of labels and texts: Hungarian collation where the program is
// built with ICU, the bytes otherwise.
CollationKey TextOrder();

// A text as the terminal may show it: a backslash as "\\", LF, CR and TAB
// as "\n", "\r", "\t", any other control character and every byte that is
// not part of valid UTF-8 as "\xHH", so that no name can move the cursor,
// recolour the terminal or draw a row of its own, and no two texts look
// alike.
std::string TerminalText(std::string_view text);

// The table in aligned columns, numbers right-aligned, two blanks apart,
// every cell as TerminalText shows it.
std::string FormatTerminalTable(const TextTable& table);

// Why the CSV cannot go to `path`, checked before any work: a name ending in
// ".edat" or ".gydat" in any case, the same file as one of `inputs` (after
// following links), a target or folder that ReplaceFile would refuse.
std::optional<std::string> CheckCsvTarget(const std::string& path, const std::vector<std::string>& inputs);

// Writes the table as CSV through the safe replace; the reason on failure.
std::optional<std::string> WriteCsvFile(const std::string& path, const TextTable& table);

}  // namespace velox::batch
