#pragma once
// The visual-styles manifest beside the executable: on Windows XP and .NET
// it binds version 6 of the common controls, and with it the system's look.
#include <functional>
#include <string>

namespace dwl {

class IFileSystem;

// The manifest's sixteen lines, each ending in CR LF.
std::string ManifestText();
// "<folder>\<name without extension>.exe.MANIFEST" for the executable at `exePath`.
std::string ManifestPath(const std::string& exePath);
// `path` with a trailing backslash, unless it has one.
std::string AddBackslash(const std::string& path);
bool FileExists(IFileSystem& files, const std::string& path);

// Writes the manifest, read-only and hidden, unless a file of its name is
// there already (whatever it holds). True when it wrote it.
bool WriteManifest(IFileSystem& files);
// True when the manifest has just been written: it takes effect at the next
// start. Otherwise (there already, or it could not be written) initialises
// the common controls and gives false, and start-up goes on.
bool InstallManifest(IFileSystem& files, const std::function<void()>& initCommonControls);

}  // namespace dwl
