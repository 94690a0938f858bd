#pragma once

#include "base/String.h"
#include "core/model/SelectionOptions.h"

namespace linkloom {

// How the folder input is read: as the desktop program's box holds it (leading blanks dropped,
// several folders joined by '|'), or as a path taken as it is given.
enum class FolderForm { BoxText, Path };

// The inputs of one run as the front end holds them, before they are checked.
struct RunInputs {
    String folder;
    String extensions;
    String rootUrl;
    SelectionOptions options;
    FolderForm folderForm = FolderForm::BoxText;
};

// The accepted inputs of a run: folder ending in a separator, normalised extension list and
// root URL ending in '/'.
struct RunSettings {
    String folder;
    String extensions;
    String rootUrl;
    SelectionOptions options;
};

}  // namespace linkloom
