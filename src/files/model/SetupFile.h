// The accelerator data file (".gydat"): one set-up per file, one item per
// line, each line led by an English keyword.
//
// Reading is split in two: the file is read whole into a SetupData value,
// and only then applied to the model in one step, so that a file that
// cannot be read changes nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/model/VeloxData.h"
#include "files/model/FileAccess.h"

namespace velox {

// What a set-up file holds.  An item the file does not give (or gives with a
// missing or malformed number) is empty and leaves the model's value alone.
struct SetupData {
    // The readable "Cavity =" lines in file order, at most MaxCavities;
    // further ones are ignored.
    std::vector<CavitySizes> Cavities;
    // The count announced on the "Cavity num =" line; 0 without one.
    std::int32_t ExpectedCount = 0;
    // Readable cavity lines that did not fit into the table.
    std::int32_t IgnoredCavityLines = 0;

    std::optional<std::int32_t> TargetLeft;

    // A "Freq =" line re-applies the frequency spinner even when its number
    // is missing; FrequencyPosition is the position to set first, if any.
    // Positions are as written; applying them holds them within 0 … 100.
    bool FrequencyLine = false;
    std::optional<std::int32_t> FrequencyPosition;
    bool VoltageLine = false;
    std::optional<std::int32_t> VoltagePosition;

    std::optional<bool> MultiParticle;
    std::optional<double> StartPhase;
    std::optional<double> StopPhase;

    // "Not all cavities could be read correctly" must be shown: the count
    // does not match, or readable lines were dropped.
    bool ShowCountWarning() const {
        return ExpectedCount != static_cast<std::int32_t>(Cavities.size()) || IgnoredCavityLines > 0;
    }
};

// The warning text and title of the set-up reader.
inline constexpr const char* CountWarningText = "Not all cavities could be read correctly";
inline constexpr const char* CountWarningTitle = "***WARNING ***";

// The first `count` numbers of a line: maximal runs of digits and ".",
// anything else only separating them.  A run with more than one "." and a
// number the line does not have give -1.  Signs and exponents are never
// part of a number.
std::vector<double> ReadLineNumbers(std::string_view line, int count);

// Reads the text of a set-up file.  CR LF, a lone CR and a lone LF each end
// a line; the keys are searched in every line in a fixed order, and later
// lines win.  Text that starts with a UTF-16 byte-order mark (FF FE or
// FE FF, as editors write "Unicode") is decoded first.
SetupData ParseSetup(std::string_view text);

struct SetupReadResult {
    FileStatus Status = FileStatus::Failed;
    SetupData Data;     // when Status is Ok
    std::string Error;  // when Status is Failed
};

SetupReadResult ReadSetupFile(const std::string& path, std::uint64_t maxBytes = SetupFileLimit);

// Applies a read set-up to the model in one step: the cavity table is
// replaced (an existing file always starts from an empty table), then the
// target, the spinners, the particle mode and the phases the file gives,
// then BuildCavities.  The window redraws the view afterwards.
void ApplySetup(VeloxData& data, const SetupData& setup);

struct SetupLoadResult {
    FileStatus Status = FileStatus::Failed;
    bool ShowCountWarning = false;
    std::string Error;
};

// Reading and applying together, as the "Betöltés" command and the start-up
// do.  A missing file changes no value, expects two cavities and rebuilds
// the cavities; a file that cannot be read changes nothing at all.
SetupLoadResult LoadAcceleratorData(VeloxData& data, const std::string& path);

// The exact bytes of the set-up file of the model.
std::string FormatSetup(const VeloxData& data);

WriteOutcome WriteSetupFile(const std::string& path, const VeloxData& data);

}  // namespace velox
