#include "app/xp_manifest.h"

#include "platform/files.h"

namespace dwl {
namespace {

constexpr unsigned kReadOnlyHidden = 3;

}  // namespace

std::string ManifestText() {
    static constexpr const char* kLines[] = {
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)",
        R"(<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">)",
        R"(<assemblyIdentity type="win32" processorArchitecture="*" version="6.0.0.0" name="DWL"/>)",
        R"(<description>Manifest for Duskwell</description>)",
        R"(<dependency>)",
        R"(   <dependentAssembly>)",
        R"(      <assemblyIdentity)",
        R"(           type="win32")",
        R"(           name="Microsoft.Windows.Common-Controls" version="6.0.0.0")",
        R"(           language="*")",
        R"(           processorArchitecture="*")",
        R"(         publicKeyToken="6595b64144ccf1df")",
        R"(      />)",
        R"(   </dependentAssembly>)",
        R"(</dependency>)",
        R"(</assembly>)",
    };
    std::string text;
    for (const char* line : kLines) (text += line) += "\r\n";
    return text;
}

std::string AddBackslash(const std::string& path) { return !path.empty() && path.back() == '\\' ? path : path + "\\"; }

std::string ManifestPath(const std::string& exePath) {
    const size_t slash = exePath.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : exePath.substr(0, slash);
    std::string name = slash == std::string::npos ? exePath : exePath.substr(slash + 1);
    if (const size_t dot = name.find_last_of('.'); dot != std::string::npos) name.erase(dot);
    return AddBackslash(folder) + name + ".exe.MANIFEST";
}

bool FileExists(IFileSystem& files, const std::string& path) { return files.CanOpenForReading(path); }

bool WriteManifest(IFileSystem& files) {
    const std::string path = ManifestPath(files.ExePath());
    if (FileExists(files, path)) return false;
    return files.CreateNewFile(path, ManifestText(), kReadOnlyHidden);
}

bool InstallManifest(IFileSystem& files, const std::function<void()>& initCommonControls) {
    if (WriteManifest(files)) return true;
    if (initCommonControls) initCommonControls();
    return false;
}

}  // namespace dwl
