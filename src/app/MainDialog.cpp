#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/AppInfo.h"
#include "app/ModuleState.h"
#include "app/ShowMessage.h"
#include "app/SiteFile.h"
#include "controls/Fonts.h"
#include "controls/Monitors.h"
#include "controls/WindowText.h"
#include "core/model/RunMessages.h"
#include "core/model/SitemapLimits.h"
#include "core/run/InputCheck.h"
#include "core/run/SitemapRun.h"
#include "core/sitemap/SitemapDocument.h"
#include "resources/resource.h"

namespace linkloom {

namespace {

constexpr wchar_t kSection[] = L"settings";
constexpr wchar_t kDefaultExtensions[] = L"htm,php";
constexpr wchar_t kCopyFirst[] = L"click CREATE XML button to get the sitemap";
constexpr wchar_t kUrlCue[] = L"https://www...";
constexpr wchar_t kBrowseCaption[] = L"...";
// The walk asks for a turn of the message loop before every entry; a turn at most this often
// keeps pause and cancel prompt while the queue checks stay a small part of the walk.
constexpr ULONGLONG kPumpIntervalMs = 5;
constexpr wchar_t kCopied[] = L"Use Notepad or a similar editor to paste the text\nand save it into SITEMAP.XML file";
// The folder box's icon while its folder holds a settings file: the system's OIC_INFORMATION.
constexpr UINT kSiteFileIcon = 32516;
constexpr char16_t kSplitAdvice[] = u"\nsearch engines refuse such a file: linkloom-cli -o FILE splits it into parts";

int ControlOf(RunInput input) {
    switch (input) {
    case RunInput::Extensions: return IDC_EXTENSIONS;
    case RunInput::Folder: return IDC_FOLDER;
    case RunInput::RootUrl: return IDC_ROOT_URL;
    }
    return IDC_FOLDER;
}

HICON LoadProgramIcon(int widthMetric, int heightMetric) {
    return static_cast<HICON>(LoadImageW(ModuleState::ResourceModule(), MAKEINTRESOURCEW(IDI_PROGRAM), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric),
                                         LR_DEFAULTCOLOR));
}

}  // namespace

MainDialog::MainDialog() : store_(AppInfo::ProgramFolder() + u"linkloom.ini") {}

MainDialog::~MainDialog() {
    if (Handle()) DestroyWindow(Handle());
}

BOOL MainDialog::FilterMessage(MSG& message) { return IsDialogMessageW(Handle(), &message); }

bool MainDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        result = TRUE;
        return true;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDC_ABOUT: OnAbout(); return true;
        case IDOK: OnCreateXml(); return true;
        case IDC_COPY_TEXT: OnCopyText(); return true;
        case IDCANCEL: OnClose(); return true;
        case IDC_FOLDER:
            if (HIWORD(wParam) == EN_CHANGE) ShowSiteFile();
            return false;
        default: return false;
        }
    case WM_DESTROY:
        if (MessageLoop* loop = ModuleState::CurrentLoop()) loop->UnregisterFilter(this);
        return false;
    default: return false;
    }
}

void MainDialog::OnInitDialog() {
    const HWND dialog = Handle();
    CenterOnOwner(dialog, GetParent(dialog));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadProgramIcon(SM_CXICON, SM_CYICON)));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)));
    SendDlgItemMessageW(dialog, IDC_BANNER_ICON, STM_SETICON,
                        reinterpret_cast<WPARAM>(LoadIconW(nullptr, IDI_INFORMATION)), 0);

    const HFONT dialogFont = WindowFont(dialog);
    bannerFont_.Reset(DeriveFont(dialogFont, 0, 1, -1));
    SendDlgItemMessageW(dialog, IDC_BANNER_TEXT, WM_SETFONT, reinterpret_cast<WPARAM>(bannerFont_.Get()), TRUE);

    output_ = GetDlgItem(dialog, IDC_OUTPUT);
    LOGFONTW font;
    if (GetObjectW(dialogFont, sizeof font, &font)) {
        font.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
        lstrcpynW(font.lfFaceName, L"courier new", LF_FACESIZE);
        outputFont_.Reset(CreateFontIndirectW(&font));
        if (outputFont_.Get()) SendMessageW(output_, WM_SETFONT, reinterpret_cast<WPARAM>(outputFont_.Get()), TRUE);
    }
    DecorateInputs();
    LoadSettings();
    if (MessageLoop* loop = ModuleState::CurrentLoop()) loop->RegisterFilter(this);
    tip_.Attach(dialog, ModuleState::ResourceModule());
    siteFileShown_ = String();
    ShowSiteFile();
}

// The folder box's "..." button sends its command to the box itself, whose own handler browses.
// The box's own subclass comes first, so that the decorator sees each message before it.
void MainDialog::DecorateInputs() {
    const HWND folder = GetDlgItem(Handle(), IDC_FOLDER);
    if (folderBox_.Attach(folder, ModuleState::ResourceModule())) {
        folderDecorator_.SetIcon(folder, IDI_FOLDER_BOX, ModuleState::ResourceModule(), ModuleState::Instance());
        folderDecorator_.AddButton(folder, IDC_BROWSE, kBrowseCaption);
        folderDecorator_.SetCommandTarget(folder);
    }
    if (urlDecorator_.Attach(GetDlgItem(Handle(), IDC_ROOT_URL))) urlDecorator_.SetCueText(kUrlCue, true);
}

void MainDialog::ShowSiteFile() {
    const String folder = ControlText(IDC_FOLDER);
    const String path = SiteFile::IsIn(folder) ? SiteFile::PathIn(folder) : String();
    if (path == siteFileShown_) return;
    siteFileShown_ = path;
    const HWND box = GetDlgItem(Handle(), IDC_FOLDER);
    folderDecorator_.SetIcon(box, path.IsEmpty() ? IDI_FOLDER_BOX : kSiteFileIcon, ModuleState::ResourceModule(),
                             ModuleState::Instance());
    tip_.SetToolText(box, path.IsEmpty() ? String() : SiteFileTip(path));
}

String MainDialog::SiteFileTip(const String& path) const {
    SiteFile file;
    String error;
    if (!file.Read(path, error)) return LoadModuleString(IDS_SITE_SETTINGS_FAULT) + u"\n" + error;
    const String keys = file.RuleKeys();
    return LoadModuleString(IDS_SITE_SETTINGS) + u"\n" + path + (keys.IsEmpty() ? String() : u"\n" + keys);
}

void MainDialog::LoadSettings() {
    const SettingsSection section = store_.OpenSection(String::FromWide(kSection), SectionMode::Read);
    const String folder = section.ReadString(u"folder");
    if (!folder.IsEmpty() && folderBox_.Subclassed()) SetDlgItemTextW(Handle(), IDC_FOLDER, folder.Wide());

    int stored = 0;
    if (!section.ReadInt(u"flags", stored)) {
        options_ = SelectionOptions::FromFlagsWord(static_cast<std::uint32_t>(stored));
    }
    if (options_.subfolders) CheckDlgButton(Handle(), IDC_SUBFOLDERS, BST_CHECKED);
    if (options_.excludeNoindex) CheckDlgButton(Handle(), IDC_EXCLUDE_NOINDEX, BST_CHECKED);

    const String extensions = section.ReadString(u"ext", String::FromWide(kDefaultExtensions));
    if (!extensions.IsEmpty()) SetDlgItemTextW(Handle(), IDC_EXTENSIONS, extensions.Wide());
    const String url = section.ReadString(u"url");
    if (!url.IsEmpty()) SetDlgItemTextW(Handle(), IDC_ROOT_URL, url.Wide());
}

String MainDialog::ControlText(int id) const { return WindowString(GetDlgItem(Handle(), id)); }

void MainDialog::OnAbout() {
    AboutDialog about;
    about.RunModal(GetActiveWindow(), IDD_ABOUT);
}

void MainDialog::OnCopyText() {
    if (GetWindowTextLengthW(output_) == 0) {
        linkloom::ShowMessage(MB_ICONHAND, String::FromWide(kCopyFirst));
        return;
    }
    SendMessageW(output_, EM_SETSEL, 0, -1);
    SendMessageW(output_, EM_SCROLLCARET, 0, 0);
    SendMessageW(output_, WM_COPY, 0, 0);
    linkloom::ShowMessage(MB_ICONINFORMATION, String::FromWide(kCopied));
}

// During a run the walk, and perhaps the pause loop, are on the stack: the run is cancelled and the
// window closes once it has returned.
void MainDialog::OnClose() {
    if (running_) {
        closing_ = true;
        if (progress_) progress_->Cancel();
        return;
    }
    DestroyWindow(Handle());
    PostQuitMessage(IDCANCEL);
    progress_.reset();
}

void MainDialog::OnCreateXml() {
    auto accepted = AcceptInputs(ReadInputs());
    if (const auto* rejection = std::get_if<Rejection>(&accepted)) {
        linkloom::ShowMessage(MB_ICONHAND, String(rejection->message));
        SetFocus(GetDlgItem(Handle(), ControlOf(rejection->input)));
        return;
    }
    RunPlan plan(std::move(std::get<RunSettings>(accepted)));
    // The file is looked for again: it may have come or gone since the box last changed.
    siteFileShown_ = String();
    ShowSiteFile();
    SiteFile site;
    const bool hasSite = SiteFile::IsIn(plan.settings.folder);
    String fault;
    if (hasSite && !site.Read(SiteFile::PathIn(plan.settings.folder), fault)) {
        linkloom::ShowMessage(MB_ICONHAND, fault);
        SetFocus(GetDlgItem(Handle(), IDC_FOLDER));
        return;
    }
    options_ = plan.settings.options;
    // Saved before the walk, so the inputs persist even when the run is cancelled or finds nothing;
    // what the site's file adds is the site's, not the dialog's.
    SaveSettings(plan.settings);
    if (hasSite && !site.PutInto(plan, fault)) {
        linkloom::ShowMessage(MB_ICONHAND, fault);
        return;
    }

    running_ = true;
    const bool shown = ShowDocument(plan);
    running_ = false;
    // A run without a document leaves no earlier folder's sitemap to copy.
    if (!shown) SetWindowTextW(output_, L"");
    if (closing_) OnClose();
}

bool MainDialog::ShowDocument(const RunPlan& plan) {
    SitemapDocument document(plan.rules && plan.rules->alternates);
    SitemapRun run(plan, {document, nullptr, *this, *this});
    // The program says that no files match, whatever the cause.
    if (run.Run() != RunEnd::Entries) {
        Notice(String(RunMessage::kNoFiles));
        return false;
    }
    String text;
    if (!document.Finish(run.Count(), text)) {
        if (!closing_) linkloom::ShowMessage(MB_ICONHAND, String(RunMessage::kOutOfMemory));
        return false;
    }
    SetWindowTextW(output_, text.Wide());
    const SitemapLimits limits;
    const std::uint64_t bytes = text.ToUtf8().size();
    if (limits.Exceeded(run.Count(), bytes)) Notice(limits.Excess(run.Count(), bytes) + kSplitAdvice);
    return true;
}

RunInputs MainDialog::ReadInputs() const {
    SelectionOptions options = options_;
    options.subfolders = IsDlgButtonChecked(Handle(), IDC_SUBFOLDERS) == BST_CHECKED;
    options.excludeNoindex = IsDlgButtonChecked(Handle(), IDC_EXCLUDE_NOINDEX) == BST_CHECKED;
    return {ControlText(IDC_FOLDER), ControlText(IDC_EXTENSIONS), ControlText(IDC_ROOT_URL), options};
}

void MainDialog::Notice(const String& text) {
    if (closing_) return;
    linkloom::ShowMessage(MB_ICONEXCLAMATION, text);
}

void MainDialog::SaveSettings(const RunSettings& settings) {
    const SettingsSection section = store_.OpenSection(String::FromWide(kSection), SectionMode::Write);
    section.WriteString(u"folder", settings.folder);
    section.WriteInt(u"flags", static_cast<int>(settings.options.FlagsWord()));
    section.WriteString(u"ext", settings.extensions);
    section.WriteString(u"url", settings.rootUrl);
}

bool MainDialog::Show(const String& title) {
    lastPumpMs_ = 0;
    if (!progress_) {
        progress_ = std::make_unique<ProgressDialog>();
        if (progress_->CreateModeless(Handle(), IDD_PROGRESS)) {
            SetDlgItemTextW(progress_->Handle(), IDCANCEL, LoadModuleString(IDS_CANCEL).Wide());
        }
    }
    if (!progress_->Handle()) return false;
    progress_->SetPauseState(ProgressDialog::PauseState::Running);
    SetWindowTextW(progress_->Handle(), title.Wide());
    ShowWindow(progress_->Handle(), SW_SHOW);
    SetForegroundWindow(progress_->Handle());
    return true;
}

void MainDialog::Hide() {
    if (progress_ && progress_->Handle()) ShowWindow(progress_->Handle(), SW_HIDE);
}

void MainDialog::SetTitle(const String& title) {
    if (progress_ && progress_->Handle()) SetWindowTextW(progress_->Handle(), title.Wide());
}

bool MainDialog::IsCancelled() { return closing_ || (progress_ && progress_->Cancelled()); }

void MainDialog::Pump() {
    const ULONGLONG now = GetTickCount64();
    if (lastPumpMs_ != 0 && now - lastPumpMs_ < kPumpIntervalMs) return;
    lastPumpMs_ = now;
    if (MessageLoop* loop = ModuleState::CurrentLoop()) loop->Run(true);
}

}  // namespace linkloom
