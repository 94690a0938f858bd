#pragma once

#include <optional>
#include <variant>

#include "base/String.h"
#include "core/model/RunSettings.h"

namespace linkloom {

// The inputs a refusal can point at.
enum class RunInput { Extensions, Folder, RootUrl };

// An input that failed the check, and the sentence that says why.
struct Rejection {
    RunInput input;
    const char16_t* message;
};

// Checks the extensions, then the folder, then the root URL, and stops at the first refused.
std::variant<RunSettings, Rejection> AcceptInputs(const RunInputs& inputs);

// An extension list text as a run normalises it: leading blanks removed, dots deleted, blanks
// turned into commas, no two commas adjacent. Nothing when the text holds a wildcard.
std::optional<String> NormaliseExtensionList(String text);
// The extension box text as a run takes it: normalised, and "htm" when nothing is left.
std::optional<String> AcceptExtensions(const String& text);
// The folder input as a run reads it; the box text has its leading blanks removed, is cut
// at a '|' after the first character and loses surrounding double quotes. Empty when it does
// not name a directory; else the folder as the system resolves it, which the walk then takes.
String AcceptFolder(String text, FolderForm form = FolderForm::BoxText);

}  // namespace linkloom
