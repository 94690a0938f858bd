#include "core/run/InputCheck.h"

#include "core/model/RunMessages.h"
#include "core/url/RootUrl.h"
#include "platform/Directory.h"
#include "platform/NativePath.h"

namespace linkloom {

std::optional<String> NormaliseExtensionList(String text) {
    text.TrimLeft();
    if (text.Find(u'*') != String::npos || text.Find(u'?') != String::npos) return std::nullopt;
    text.ReplaceAll(u".", u"");
    text.ReplaceAll(u" ", u",");
    while (text.ReplaceAll(u",,", u",") > 0) {
    }
    return text;
}

std::optional<String> AcceptExtensions(const String& text) {
    auto normalised = NormaliseExtensionList(text);
    if (normalised && normalised->IsEmpty()) normalised = String(u"htm");
    return normalised;
}

String AcceptFolder(String text, FolderForm form) {
    if (form == FolderForm::BoxText) {
        text.TrimLeft();
        const auto bar = text.Find(u'|');
        if (bar > 0) {
            text = text.Left(static_cast<std::size_t>(bar));
            text.TrimRight();
        }
        // Explorer's "Copy as path" puts the path in double quotes.
        if (text.Length() >= 2 && text[0] == u'"' && text.Last() == u'"') text = text.Mid(1).Left(text.Length() - 2);
    }
    if (text.IsEmpty()) return text;
    if (platform::PathKind(text) != platform::PathType::Folder) return String();
    return platform::ResolvedFolder(text);
}

namespace {

// The sentence that refuses a root URL: the plain one when the text has no root's form, with the
// reason added when a root of that form is one no sitemap may hold.
const char16_t* RootUrlMessage(RootUrlFault fault) {
    switch (fault) {
    case RootUrlFault::Scheme: return RunMessage::kUrlScheme;
    case RootUrlFault::Port: return RunMessage::kUrlPort;
    case RootUrlFault::UserInformation: return RunMessage::kUrlUser;
    case RootUrlFault::None:
    case RootUrlFault::Malformed: break;
    }
    return RunMessage::kNoUrl;
}

}  // namespace

std::variant<RunSettings, Rejection> AcceptInputs(const RunInputs& inputs) {
    RunSettings settings;
    auto extensions = AcceptExtensions(inputs.extensions);
    if (!extensions) return Rejection{RunInput::Extensions, RunMessage::kWildcards};
    settings.extensions = std::move(*extensions);
    settings.folder = AcceptFolder(inputs.folder, inputs.folderForm);
    if (settings.folder.IsEmpty()) return Rejection{RunInput::Folder, RunMessage::kNoFolder};
    RootUrlFault fault = RootUrlFault::Malformed;
    auto rootUrl = CanonicalRootUrl(inputs.rootUrl, &fault);
    if (!rootUrl) return Rejection{RunInput::RootUrl, RootUrlMessage(fault)};
    settings.rootUrl = std::move(*rootUrl);
    settings.options = inputs.options;

    const char16_t separator = PathSeparator(platform::kNativePathStyle);
    if (!settings.folder.EndsWith(separator)) settings.folder += separator;
    return settings;
}

}  // namespace linkloom
