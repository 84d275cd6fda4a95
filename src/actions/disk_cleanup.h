#pragma once
#include <cstddef>
#include <string>

namespace dwl {

class CheckBox;
class IDiskCleanUp;
class MyRegistry;

// The Clean Up page's boxes, read when the clean-up runs.
struct CleanUpBoxes {
    const CheckBox& chkCleanTemp;
    const CheckBox& chkCleanNetCashe;
    const CheckBox& chkCleanRecycleBin;
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
std::string StripNulls(const std::string& text);

// Deletes the files of the temporary folder and of the internet cache (all
// found first, then deleted in the order found: a folder's own files before
// those of its subfolders), then empties the recycle bins, as the boxes
// choose. Folders stay, and the search never leaves the two folders: it
// does not go into junctions or symbolic links. Nothing is reported; a file
// that cannot be deleted stays.
void RunCleanUp(const CleanUpBoxes& boxes, IDiskCleanUp& disk, MyRegistry& registry, ICleanUpProgress* progress);

}  // namespace dwl
