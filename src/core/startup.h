#pragma once
// The first steps of the program: the single-instance guard and the work folders.
#include <string>

namespace core {

inline constexpr wchar_t kInstanceMutexName[] = L"Halvarin";

// Creates the named mutex and says whether this process must end: true when the mutex could
// not be created or another instance created it first. The handle is kept until
// ReleaseInstanceMutex.
bool IsAnotherInstance();
void ReleaseInstanceMutex() noexcept;

// Decides PathProgram, PathWorkSpace, PathSettings, FileSettings, PathLog, FileLog, PathWindows
// and PathSystem, and creates the Settings and Log folders (failures ignored).
void PrepareWorkFolders();

}  // namespace core
