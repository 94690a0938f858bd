#include "platform/StopSignals.h"

#include <windows.h>

namespace linkloom::platform {

namespace {

BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT: RecordStop(StopRequest::Interrupt); return TRUE;
    case CTRL_BREAK_EVENT: RecordStop(StopRequest::Terminate); return TRUE;
    case CTRL_CLOSE_EVENT:
        RecordStop(StopRequest::Hangup);
        // The system ends the process as soon as this handler returns; waiting here lets the
        // run drop its temporary files and exit on its own.
        Sleep(INFINITE);
        return TRUE;
    default: return FALSE;
    }
}

}  // namespace

void InstallStopHandlers() { SetConsoleCtrlHandler(OnConsoleControl, TRUE); }

}  // namespace linkloom::platform
