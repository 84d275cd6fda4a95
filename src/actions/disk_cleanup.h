#pragma once
#include <cstddef>
#include <string>

namespace dwl {

class IDiskCleanUp;
class MyRegistry;

// What the clean-up cleans, as the Clean Up page chooses.
struct CleanUpOptions {
    bool temp = false;
    bool cache = false;
    bool recycleBin = false;
};

// Told how a running clean-up goes, so that a long one can be shown.
class ICleanUpProgress {
public:
    virtual ~ICleanUpProgress() = default;
    // Called often: what is being cleaned and how many files are gone so far.
    virtual void Report(const std::string& what, size_t filesDeleted) = 0;
    virtual void Finished() = 0;
};

// The text up to its first NUL character.
std::u16string StripNulls(const std::u16string& text);

// Deletes the files of the temporary folder and of the internet cache (all
// found first, then deleted in the order found: a folder's own files before
// those of its subfolders), then empties the recycle bins, as the boxes
// choose. Folders stay, and nothing outside the two folders is deleted:
// - a folder is cleaned only when, by its full path and by its path as the
//   system resolves it, it is a place of throw-away files: the temporary
//   folder below the user's local application data folder (on XP, below
//   "Local Settings"), the Windows folder's "Temp", or a "Temp" or "Tmp"
//   outside the folders of Windows, the programs, ProgramData and the
//   profiles; the cache folder only below the local application data
//   folder (or "Local Settings"). It must also lie below the root of a drive
//   or a share that is no administrative share ("C$", "ADMIN$"), be no link
//   and hold no folder of the system, the profile or the program. One trace
//   line says why a folder is refused; the other one is still cleaned;
// - the search goes 256 levels of folders deep at most (one trace line says
//   that there were more);
// - names that would read as paths (holding \, / or :, also once converted
//   to the ANSI code page, or "." and "..") are skipped;
// - each file is checked again when it is deleted: its full path and the
//   path of the file as opened lie inside its folder, so a folder swapped for
//   a junction or link after the search is not followed; a file whose path
//   the system fails to give stays.
// Nothing is reported; a file that cannot be deleted stays.
void RunCleanUp(const CleanUpOptions& options, IDiskCleanUp& disk, MyRegistry& registry, ICleanUpProgress* progress);

}  // namespace dwl
