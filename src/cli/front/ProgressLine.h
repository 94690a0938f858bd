#pragma once

#include <cstddef>

#include "core/run/RunPorts.h"

namespace linkloom::cli {

// A run's progress and messages on standard error: the title on one line, written over as it
// changes (only when `shown`), and each message on lines of its own that take the title's place.
class ProgressLine : public RunProgress, public NoticeSink {
public:
    explicit ProgressLine(bool shown) : shown_(shown) {}

    bool Show(const String& title) override;
    void Hide() override;
    void SetTitle(const String& title) override;
    bool IsCancelled() override;
    void Pump() override {}
    void Notice(const String& text) override;

private:
    bool shown_;
    std::size_t width_ = 0;
};

}  // namespace linkloom::cli
