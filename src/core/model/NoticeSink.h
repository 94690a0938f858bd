#pragma once

#include "base/String.h"

namespace linkloom {

// Where a run's warnings go as they arise: a source that cannot be read, what the rules have to
// say at the end.
class NoticeSink {
public:
    virtual ~NoticeSink() = default;
    virtual void Notice(const String& text) = 0;
};

}  // namespace linkloom
