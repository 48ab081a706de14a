#include "platform/Host.h"

#include "platform/LinuxFileFacts.h"
#include "platform/LinuxPaths.h"
#include "platform/LinuxShell.h"
#include "platform/LinuxVolumes.h"

namespace platform {

namespace {

// The real facility is made on first use; a fake, when set, stands in front of it.
template <class Facility, class Real> class Slot {
public:
    Facility& get() {
        if (m_fake) return *m_fake;
        static Real real;
        return real;
    }
    void set(Facility* fake) { m_fake = fake; }

private:
    Facility* m_fake = nullptr;
};

Slot<Volumes, LinuxVolumes> g_volumes;
Slot<Paths, LinuxPaths> g_paths;
Slot<Shell, LinuxShell> g_shell;
Slot<FileFacts, LinuxFileFacts> g_files;

} // namespace

Volumes& volumes() {
    return g_volumes.get();
}
void setVolumes(Volumes* fake) {
    g_volumes.set(fake);
}

Paths& paths() {
    return g_paths.get();
}
void setPaths(Paths* fake) {
    g_paths.set(fake);
}

Shell& shell() {
    return g_shell.get();
}
void setShell(Shell* fake) {
    g_shell.set(fake);
}

FileFacts& files() {
    return g_files.get();
}
void setFiles(FileFacts* fake) {
    g_files.set(fake);
}

} // namespace platform
