#pragma once
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace dwl {

// Attribute bits of a folder entry.
inline constexpr unsigned kAttributeDirectory = 0x10;
inline constexpr unsigned kAttributeReparsePoint = 0x400;  // a junction or a symbolic link
inline constexpr unsigned kNoAttributes = 0xFFFFFFFF;      // nothing there (every bit set)

// A file held open for deletion. Opened as itself: when it is a link, the
// link is what would be deleted, never what it points to.
class IFileToDelete {
public:
    virtual ~IFileToDelete() = default;
    // The path the system gives the open file ("\\?\C:\..." or
    // "\\?\UNC\server\share\..."); empty when it cannot tell, none where the
    // system has no way to name open files.
    virtual std::optional<std::u16string> FinalPath() = 0;
    // Deletes the open file itself, whatever its path is by now.
    virtual bool Delete() = 0;
};

// What a folder the system names means to the clean-up.
enum class FolderRole {
    Program,       // the program's own folder
    System,        // the system folders, Program Files, ProgramData, the folder of all profiles, ...
    Windows,       // the Windows folder, whose "Temp" is a temporary folder
    Profile,       // the user's profile, as the system (not the environment) names it
    LocalAppData,  // the user's local application data, where throw-away folders lie
};

struct KnownFolder {
    std::u16string path;
    FolderRole role = FolderRole::System;
};

// The file and shell services of the disk clean-up. Paths are UTF-16, as
// the system holds them, in the plain form ("C:\..." or "\\server\share\...");
// the implementation adds what its calls need for long paths.
class IDiskCleanUp {
public:
    using EntryFound = std::function<void(const std::u16string& name, unsigned attributes)>;
    virtual ~IDiskCleanUp() = default;
    // The folder TMP, or else TEMP, names, as written there; empty when
    // neither does (never a folder the system would fall back to).
    virtual std::u16string TempFolder() = 0;
    // The folders the roots are judged by, as the system gives them (those it
    // does not give are left out); a root must never be or hold any of them.
    virtual std::vector<KnownFolder> KnownFolders() = 0;
    // `path` made absolute, its "." and ".." resolved and its short names
    // spelled out where they exist, as the system does.
    virtual std::u16string FullPath(const std::u16string& path) = 0;
    // The path the system gives `folder` once opened (links followed), in the
    // form of IFileToDelete::FinalPath.
    virtual std::optional<std::u16string> FinalPath(const std::u16string& folder) = 0;
    // The attributes of `path` itself (a link's own), kNoAttributes when missing.
    virtual unsigned Attributes(const std::u16string& path) = 0;
    // Calls `found` for each entry of `folder` (ending in a backslash), "."
    // and ".." included. False when the folder cannot be searched.
    virtual bool ListFolder(const std::u16string& folder, const EntryFound& found) = 0;
    // Null when the file cannot be opened for deletion (gone, in use, a folder).
    virtual std::unique_ptr<IFileToDelete> OpenToDelete(const std::u16string& path) = 0;
    // Empties the recycle bins of all drives: no question, no progress, no sound.
    virtual void EmptyRecycleBin() = 0;
    // Text conversions of the system's ANSI code page; Narrow converts as the
    // ANSI functions do, characters it cannot hold by their nearest look-alike.
    virtual std::u16string Widen(const std::string& text) = 0;
    virtual std::string Narrow(const std::u16string& text) = 0;
    // `path` in the one case the file system compares names in.
    virtual std::u16string FoldCase(const std::u16string& path) = 0;
    // One line for whoever watches the program's trace.
    virtual void Trace(const std::string& line) = 0;
};

}  // namespace dwl
