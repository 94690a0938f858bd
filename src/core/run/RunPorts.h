#pragma once

#include "base/String.h"
#include "core/model/NoticeSink.h"
#include "core/model/WalkReport.h"
#include "core/sitemap/EntrySink.h"

namespace linkloom {

// The progress a front end shows during a run, and its way to cancel it.
class RunProgress {
public:
    virtual ~RunProgress() = default;
    // Shows the progress with `title`; false when there is none to show, and then the run asks
    // for no cancel and sets no title.
    virtual bool Show(const String& title) = 0;
    virtual void Hide() = 0;
    virtual void SetTitle(const String& title) = 0;
    virtual bool IsCancelled() = 0;
    // Handles pending events (painting, the pause and cancel buttons) and returns at once.
    virtual void Pump() = 0;
};

// Where a run's results go: the entries, what it left out (null: nowhere), its warnings, and its
// progress.
struct RunPorts {
    EntrySink& entries;
    WalkReport* leftOut;
    NoticeSink& notices;
    RunProgress& progress;
};

}  // namespace linkloom
