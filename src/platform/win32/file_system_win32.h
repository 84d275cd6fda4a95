#pragma once
#include <windows.h>

#include <string>

#include "platform/files.h"

namespace dwl::win32 {

class Win32FileSystem : public IFileSystem {
public:
    std::string ExePath() override;
    std::string ExeFolder() override;
    std::string UserFolderPath(UserFolder which) override;
    bool CreateFolder(const std::string& path) override;
    FileContent ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool Exists(const std::string& path) override;
    bool CanOpenForReading(const std::string& path) override;
    bool CreateNewFile(const std::string& path, const std::string& bytes, unsigned attributes) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::string AnsiPath(const std::string& path) override;
};

}  // namespace dwl::win32
