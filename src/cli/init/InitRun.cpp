#include "cli/init/InitRun.h"

#include <variant>

#include "base/ControlCharacters.h"
#include "base/PathText.h"
#include "cli/fileset/FileSetTransaction.h"
#include "cli/front/ExitStatus.h"
#include "cli/init/StarterSettings.h"
#include "cli/output/OutputNames.h"
#include "core/run/InputCheck.h"
#include "platform/Console.h"
#include "platform/NativePath.h"
#include "site/SettingsFile.h"

namespace linkloom::cli {

namespace {

// Any URL the check takes stands in when none is given: only the folder is checked then.
constexpr char16_t kStandInUrl[] = u"https://www.example.com/";

int Fail(const String& message, int status) {
    platform::WriteStandardError("linkloom-cli: " + EscapeControlCharacters(message).ToUtf8() + "\n");
    return status;
}

// Writes `text` as the new file `path` through a temporary beside it, so no reader sees it half written.
std::optional<platform::SystemError> WriteWhole(const String& path, const std::string& text) {
    FileSetTransaction change;
    platform::Outcome<platform::OutputFile> file = change.CreateTemporary(FolderOf(path));
    if (!file) return file.Failure();
    if (auto failure = platform::WriteAndClose(*file, text)) return failure;
    change.Replace(path, file->Path());
    return change.Commit([] { return true; });
}

}  // namespace

int RunInit(const CliOptions& options) {
    const bool urlGiven = !options.rootUrl.IsEmpty();
    const auto accepted = AcceptInputs({options.folder, options.extensions, urlGiven ? options.rootUrl : kStandInUrl,
                                        options.selection, FolderForm::Path});
    if (const auto* rejection = std::get_if<Rejection>(&accepted)) {
        const String& value = rejection->input == RunInput::RootUrl ? options.rootUrl : options.folder;
        return Fail(String(rejection->message) + u": " + value, ExitStatus::kRejected);
    }
    const RunSettings& settings = std::get<RunSettings>(accepted);
    const String path = JoinPath(options.folder, kSettingsFileName, false, platform::kNativePathStyle);
    if (platform::PathKind(path) != platform::PathType::Missing) {
        return Fail(path + u" exists; --init leaves it as it is", ExitStatus::kRejected);
    }
    const std::string text = StarterSettings(SurveySite(settings.folder), urlGiven ? settings.rootUrl : String());
    if (auto failure = WriteWhole(path, text)) {
        failure->path = path;
        return Fail(platform::Sentence(*failure), ExitStatus::kCannotWrite);
    }
    return ExitStatus::kDone;
}

}  // namespace linkloom::cli
