#include "app/MainDialog.h"

#include "app/AboutDialog.h"
#include "app/AppInfo.h"
#include "app/ModuleState.h"
#include "app/ShowMessage.h"
#include "controls/Fonts.h"
#include "controls/Monitors.h"
#include "controls/WindowText.h"
#include "core/model/SitemapLimits.h"
#include "core/run/SitemapJob.h"
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
constexpr char16_t kSplitAdvice[] = u"\nsearch engines refuse such a file: linkloom-cli -o FILE splits it into parts";

int ControlOf(JobInput input) {
    switch (input) {
    case JobInput::Extensions: return IDC_EXTENSIONS;
    case JobInput::Folder: return IDC_FOLDER;
    case JobInput::RootUrl: return IDC_ROOT_URL;
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
        case IDC_ABOUT:
            OnAbout();
            return true;
        case IDOK:
            OnCreateSitemap();
            return true;
        case IDC_COPY_TEXT:
            OnCopyText();
            return true;
        case IDCANCEL:
            OnClose();
            return true;
        default:
            return false;
        }
    case WM_DESTROY:
        if (MessageLoop* loop = ModuleState::CurrentLoop()) {
            loop->UnregisterFilter(this);
            loop->UnregisterIdleHandler(this);
        }
        return false;
    default:
        return false;
    }
}

void MainDialog::OnInitDialog() {
    const HWND dialog = Handle();
    CenterOnOwner(dialog, GetParent(dialog));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(LoadProgramIcon(SM_CXICON, SM_CYICON)));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(LoadProgramIcon(SM_CXSMICON, SM_CYSMICON)));
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
    if (MessageLoop* loop = ModuleState::CurrentLoop()) {
        loop->RegisterFilter(this);
        loop->RegisterIdleHandler(this);
    }
    tip_.Attach(dialog, ModuleState::ResourceModule());
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

void MainDialog::LoadSettings() {
    const SettingsSection section = store_.OpenSection(String::FromWide(kSection), SectionMode::Read);
    const String folder = section.ReadString(u"folder", nullptr);
    if (!folder.IsEmpty() && folderBox_.Subclassed()) SetDlgItemTextW(Handle(), IDC_FOLDER, folder.Wide());

    int stored = 0;
    flags_ = section.ReadInt(u"flags", stored) == ERROR_SUCCESS ? static_cast<JobFlags>(stored) : kDefaultJobFlags;
    if (flags_ & JobFlag::Subfolders) CheckDlgButton(Handle(), IDC_SUBFOLDERS, BST_CHECKED);
    if (flags_ & JobFlag::ExcludeNoindex) CheckDlgButton(Handle(), IDC_EXCLUDE_NOINDEX, BST_CHECKED);

    const String extensions = section.ReadString(u"ext", kDefaultExtensions);
    if (!extensions.IsEmpty()) SetDlgItemTextW(Handle(), IDC_EXTENSIONS, extensions.Wide());
    const String url = section.ReadString(u"url", nullptr);
    if (!url.IsEmpty()) SetDlgItemTextW(Handle(), IDC_ROOT_URL, url.Wide());
}

String MainDialog::ControlText(int id) const {
    return WindowString(GetDlgItem(Handle(), id));
}

void MainDialog::OnAbout() {
    AboutDialog about;
    about.RunModal(GetActiveWindow(), IDD_ABOUT);
}

void MainDialog::OnCreateSitemap() {
    running_ = true;
    const JobOutcome outcome = SitemapJob(*this).Run();
    running_ = false;
    // A run without a document leaves no earlier folder's sitemap to copy.
    if (outcome != JobOutcome::Document && outcome != JobOutcome::Rejected) SetWindowTextW(output_, L"");
    if (closing_) OnClose();
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

ProgressDialog* MainDialog::ShowProgress(const wchar_t* title, int, ProgressDialog::PauseState pauseAllowed) {
    if (!title) {
        if (progress_ && progress_->Handle()) ShowWindow(progress_->Handle(), SW_HIDE);
        return progress_.get();
    }
    const String text = IS_INTRESOURCE(title) ? LoadModuleString(static_cast<UINT>(reinterpret_cast<UINT_PTR>(title)))
                                              : String::FromWide(title);
    if (!progress_) {
        progress_ = std::make_unique<ProgressDialog>();
        progress_->SetPauseState(pauseAllowed);
        if (progress_->CreateModeless(Handle(), IDD_PROGRESS)) {
            SetDlgItemTextW(progress_->Handle(), IDCANCEL, LoadModuleString(IDS_CANCEL).Wide());
        }
    }
    if (!progress_->Handle()) return progress_.get();
    progress_->SetPauseState(pauseAllowed);
    SetWindowTextW(progress_->Handle(), text.Wide());
    ShowWindow(progress_->Handle(), SW_SHOW);
    SetForegroundWindow(progress_->Handle());
    return progress_.get();
}

JobInputs MainDialog::ReadInputs() {
    return {ControlText(IDC_FOLDER), ControlText(IDC_EXTENSIONS), ControlText(IDC_ROOT_URL),
            IsDlgButtonChecked(Handle(), IDC_SUBFOLDERS) == BST_CHECKED,
            IsDlgButtonChecked(Handle(), IDC_EXCLUDE_NOINDEX) == BST_CHECKED};
}

void MainDialog::ShowMessage(const String& text, MessageStyle style) {
    if (closing_) return;
    linkloom::ShowMessage(static_cast<UINT>(style), text);
}

void MainDialog::FocusInput(JobInput input) { SetFocus(GetDlgItem(Handle(), ControlOf(input))); }

void MainDialog::SaveSettings(const JobSettings& settings) {
    const SettingsSection section = store_.OpenSection(String::FromWide(kSection), SectionMode::Write);
    section.WriteString(u"folder", settings.folder);
    section.WriteInt(u"flags", static_cast<int>(settings.flags));
    section.WriteString(u"ext", settings.extensions);
    section.WriteString(u"url", settings.rootUrl);
}

bool MainDialog::ShowProgress(const String& title) {
    lastPumpMs_ = 0;
    const ProgressDialog* progress = ShowProgress(title.Wide(), 0, ProgressDialog::PauseState::Running);
    return progress && progress->Handle();
}

void MainDialog::HideProgress() { ShowProgress(nullptr, 0, ProgressDialog::PauseState::Running); }

void MainDialog::SetProgressTitle(const String& title) {
    if (progress_ && progress_->Handle()) SetWindowTextW(progress_->Handle(), title.Wide());
}

bool MainDialog::IsCancelled() { return closing_ || (progress_ && progress_->Cancelled()); }

void MainDialog::PumpEvents() {
    const ULONGLONG now = GetTickCount64();
    if (lastPumpMs_ != 0 && now - lastPumpMs_ < kPumpIntervalMs) return;
    lastPumpMs_ = now;
    if (MessageLoop* loop = ModuleState::CurrentLoop()) loop->Run(true);
}

void MainDialog::TakeDocument(const String& document, int count) {
    SetWindowTextW(output_, document.Wide());
    const SitemapLimits limits;
    const std::uint64_t bytes = document.ToUtf8().size();
    if (limits.Exceeded(count, bytes)) ShowMessage(limits.Excess(count, bytes) + kSplitAdvice, MessageStyle::Warning);
}

}  // namespace linkloom
