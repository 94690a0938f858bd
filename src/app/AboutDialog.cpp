#include "app/AboutDialog.h"

#include "controls/Monitors.h"
#include "resources/resource.h"

namespace linkloom {

bool AboutDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (message) {
    case WM_INITDIALOG:
        OnInitDialog();
        result = TRUE;
        return true;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL: EndDialog(Handle(), LOWORD(wParam)); return true;
        default: return false;
        }
    default: return false;
    }
}

void AboutDialog::OnInitDialog() {
    CenterOnOwner(Handle(), GetParent(Handle()));
    if (link_.Subclass(GetDlgItem(Handle(), IDC_WEB_LINK))) link_.Attach();
    link_.SetAddress(L"" LINKLOOM_WEB_ADDRESS);
}

}  // namespace linkloom
