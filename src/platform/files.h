#pragma once
#include <optional>
#include <string>

namespace dwl {

enum class ReadStatus { Ok, Missing, Failed };

// The user's own folders for program data: the roaming one (%APPDATA%) and
// the one of this machine alone (%LOCALAPPDATA%).
enum class UserFolder { Roaming, Local };

struct FileContent {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes;
};

// Paths are UTF-8, so that every file is reached by its real name, whatever
// the system's ANSI code page can spell.
class IFileSystem {
public:
    virtual ~IFileSystem() = default;
    // Full path of the running executable.
    virtual std::string ExePath() = 0;
    // Folder of the running executable, without a trailing backslash.
    virtual std::string ExeFolder() = 0;
    // The user's folder, without a trailing backslash; empty when the system has none.
    virtual std::string UserFolderPath(UserFolder which) = 0;
    // Creates a folder whose parent exists. True when it is there afterwards.
    virtual bool CreateFolder(const std::string& path) = 0;
    virtual FileContent ReadFile(const std::string& path) = 0;
    // Writes a new file beside the target and then puts it in the target's place,
    // so the target is either the old or the new content, never a part of it.
    virtual bool WriteFileAtomic(const std::string& path, const std::string& bytes) = 0;
    virtual bool Exists(const std::string& path) = 0;
    // True when the file can be opened for reading.
    virtual bool CanOpenForReading(const std::string& path) = 0;
    // Creates a file that is not there yet with `bytes`, then sets its
    // attributes (the platform's values: 1 read-only, 2 hidden; 0 leaves
    // them as a new file gets them). False, and
    // nothing left behind, when it cannot be created or written; a failure
    // to set the attributes leaves the written file.
    virtual bool CreateNewFile(const std::string& path, const std::string& bytes, unsigned attributes) = 0;
    // Renames a file; fails when the destination exists.
    virtual bool Rename(const std::string& from, const std::string& to) = 0;
    // The path in the ANSI code page, for what takes ANSI text (the registry,
    // the dialogs, the shell, messages): exact, else the short name of an
    // existing file or folder when that is exact, else empty.
    virtual std::string AnsiPath(const std::string& path) = 0;
};

}  // namespace dwl
