#include "app/Startup.h"

#include "app/Entries.h"
#include "app/VersionResource.h"
#include "app/_infoUnit.h"
#include "app/_mainUnit.h"
#include "app/_waitUnit.h"
#include "app/proxy_unit.h"
#include "components/graphics/ACXPVS.h"
#include "components/graphics/AEBXPVS.h"
#include "components/graphics/APXPVS.h"
#include "components/graphics/ATXPVS.h"
#include "components/graphics/AdvGDIP.h"
#include "components/graphics/AdvTBXPVS.h"
#include "components/graphics/AdvXPVS.h"
#include "components/graphics/BtnXPVS.h"
#include "components/graphics/StartupRegistrations.h"
#include "framework/rtl/Math.h"
#include "framework/ui/Forms.h"

#include <unistd.h>
#include <cstdlib>

namespace {

String environment(const char* Name) {
    const char* Value = std::getenv(Name);
    return Value ? QString::fromLocal8Bit(Value) : String();
}

}  // namespace

bool DisplayAvailable(String& Reason) {
    // A platform chosen by hand (offscreen, vnc, ...) needs no display of ours to check.
    if (!environment("QT_QPA_PLATFORM").isEmpty()) return true;
    if (!environment("WAYLAND_DISPLAY").isEmpty()) return true;
    const String Display = environment("DISPLAY");
    if (Display.isEmpty()) {
        Reason = QStringLiteral(
            "no display available: DISPLAY and WAYLAND_DISPLAY are not set; "
            "start it from a desktop session");
        return false;
    }
    // A local X display ":N" listens on a socket; without it the connection would fail later,
    // deep inside the window system, with a far less helpful message.
    if (Display.startsWith(QLatin1Char(':'))) {
        const String Number = Display.mid(1).section(QLatin1Char('.'), 0, 0);
        const String Socket = QStringLiteral("/tmp/.X11-unix/X") + Number;
        if (access(Socket.toLocal8Bit().constData(), F_OK) != 0) {
            Reason = QStringLiteral("no display available: the X display %1 is not running").arg(Display);
            return false;
        }
    }
    return true;
}

// The library's units start GDI+, bind the theme functions and make their registrations before
// main() runs; naming them here keeps the linker from leaving them out of the program.
static void requireLibraryUnits() {
    static const void* const Units[] = {&BtnXPVS,
                                        &AEBXPVS,
                                        &AdvXPVS,
                                        &ATXPVS,
                                        &APXPVS,
                                        &ACXPVS,
                                        &AdvTBXPVS,
                                        &CF_GDIPFILL,
                                        &WM_CLEARHINTCONTROL,
                                        &ProgramVersionResourceRegistered};
    // Stored where the optimiser must keep every store: an unused table would be dropped in an
    // optimised build, and with it the only reference that pulls those units in.
    [[maybe_unused]] static const void* volatile Kept = nullptr;
    for (const void* Unit : Units) Kept = Unit;
    (void)GdiplusStarted();
}

void StartApplication(int& Argc, char** Argv) {
    requireLibraryUnits();
    SetExceptionMask(exAllArithmeticExceptions);
    Application->Initialize(Argc, Argv);
    Application->SetTitle(QString::fromLatin1(ProgramTitle));
    Application->CreateForm(_mainForm);
    Application->CreateForm(_proxyForm);
    Application->CreateForm(_waitForm);
    Application->CreateForm(_InfoForm);
}

int RunQuilloryVideoDownloader(int& Argc, char** Argv) {
    StartApplication(Argc, Argv);
    Application->Run();
    // Page readers, downloads and converters end while every window still exists.
    StopAllWorkers();
    return 0;
}
