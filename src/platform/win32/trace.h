#pragma once

namespace dwl::win32 {

// Failures the program carries on after are written to the debugger's output
// (a debugger or DebugView shows them) as "dwl: <what> failed, error N", with
// the thread's last error. Returns `ok`.
bool Check(bool ok, const char* what);
// For the catch-all firewalls, called inside the catch block: where the
// exception was stopped and, when it has one, its message.
void TraceException(const char* where) noexcept;

}  // namespace dwl::win32
