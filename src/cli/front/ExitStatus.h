#pragma once

namespace linkloom::cli {

// How linkloom-cli ends; a signal that stops it gives 128 plus its number instead.
enum ExitStatus : int {
    kDone = 0,          // the document was written, or the sitemap checked is in step
    kNoFiles = 1,       // the walk found nothing to list
    kRejected = 2,      // a usage error, a refused input, an unreadable folder or state file
    kCannotWrite = 3,   // the output could not be written
    kOutOfStep = 4,     // --check found the sitemap out of step with the site
    kNotSubmitted = 5,  // the document was written, but --indexnow could not submit the changes
};

}  // namespace linkloom::cli
