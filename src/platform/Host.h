#pragma once

#include "platform/FileFacts.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/Volumes.h"

/// The host layer: every facility of the desktop the program relies on, each replaceable
/// on its own so a test can fake just what it needs. Passing nullptr restores the real one.
namespace platform {

Volumes& volumes();
void setVolumes(Volumes* fake);

Paths& paths();
void setPaths(Paths* fake);

Shell& shell();
void setShell(Shell* fake);

FileFacts& files();
void setFiles(FileFacts* fake);

} // namespace platform
