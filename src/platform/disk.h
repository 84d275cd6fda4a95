#pragma once
#include <functional>
#include <string>

namespace dwl {

// Attribute bits of a folder entry.
inline constexpr unsigned kAttributeDirectory = 0x10;
inline constexpr unsigned kAttributeReparsePoint = 0x400;  // a junction or a symbolic link

// The file and shell services of the disk clean-up.
class IDiskCleanUp {
public:
    using EntryFound = std::function<void(const std::string& name, unsigned attributes)>;
    virtual ~IDiskCleanUp() = default;
    // The user's temporary folder as the system gives it (ending in a
    // backslash), whatever its length; empty when there is none.
    virtual std::string TempFolder() = 0;
    // Calls `found` for each entry of `folder` (ending in a backslash) whose
    // name matches `pattern`, "." and ".." included. False when the folder
    // cannot be searched.
    virtual bool ListFolder(const std::string& folder, const std::string& pattern, const EntryFound& found) = 0;
    virtual bool RemoveFile(const std::string& path) = 0;
    // Empties the recycle bins of all drives: no question, no progress, no sound.
    virtual void EmptyRecycleBin() = 0;
};

}  // namespace dwl
