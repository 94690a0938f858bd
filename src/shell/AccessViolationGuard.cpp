#include "shell/AccessViolationGuard.h"

#include <windows.h>

namespace linkloom {

namespace {

// Where a contained access violation resumes: the context captured just before the call.
struct GuardFrame {
    CONTEXT resume;
    volatile LONG faulted;
};

thread_local GuardFrame* activeFrame = nullptr;

// Vectored handlers see an exception before any frame-based handler, which is the nearest
// the compiler offers to a guarded block. Only this thread's access violations during a guarded
// call are taken; execution resumes at the captured context with the frame marked.
LONG CALLBACK ContainAccessViolation(EXCEPTION_POINTERS* exception) {
    GuardFrame* frame = activeFrame;
    if (!frame || exception->ExceptionRecord->ExceptionCode != EXCEPTION_ACCESS_VIOLATION) {
        return EXCEPTION_CONTINUE_SEARCH;
    }
    activeFrame = nullptr;
    frame->faulted = 1;
    *exception->ContextRecord = frame->resume;
    return EXCEPTION_CONTINUE_EXECUTION;
}

}  // namespace

__attribute__((noinline)) bool CallContainingAccessViolation(void (*call)(void*), void* argument) {
    GuardFrame frame{};
    PVOID handler = AddVectoredExceptionHandler(1, ContainAccessViolation);
    if (!handler) {
        call(argument);
        return true;
    }
    frame.faulted = 0;
    RtlCaptureContext(&frame.resume);
    // After a contained fault the capture returns a second time, with the frame marked.
    if (!frame.faulted) {
        activeFrame = &frame;
        call(argument);
        activeFrame = nullptr;
    }
    RemoveVectoredExceptionHandler(handler);
    return !frame.faulted;
}

}  // namespace linkloom
