#pragma once

#include "base/String.h"
#include "core/model/JobFlags.h"

namespace linkloom {

// How the folder input is read: as the desktop program's box holds it (leading blanks dropped,
// several folders joined by '|'), or as a path taken as it is given.
enum class FolderForm { BoxText, Path };

// The inputs of one run as the front end holds them, before validation.
struct JobInputs {
    String folder;
    String extensions;
    String rootUrl;
    bool subfolders = false;
    bool excludeNoindex = false;
    FolderForm folderForm = FolderForm::BoxText;
};

// The accepted inputs of a run: folder ending in a separator, normalised extension list,
// root URL ending in '/', and the flags word with the two check box bits applied.
struct JobSettings {
    String folder;
    String extensions;
    String rootUrl;
    JobFlags flags = kDefaultJobFlags;
};

}  // namespace linkloom
