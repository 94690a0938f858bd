#include "app/ShowMessage.h"

#include "app/ModuleState.h"
#include "platform/win32/StringResource.h"
#include "resources/resource.h"

namespace linkloom {

namespace {

MessageBoxFunction messageBox = MessageBoxW;

}  // namespace

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    const MessageBoxFunction previous = messageBox;
    messageBox = function;
    return previous;
}

String LoadModuleString(UINT id) {
    String text = platform::LoadStringResource(ModuleState::ResourceModule(), id);
    if (text.IsEmpty() && ModuleState::ResourceModule() != ModuleState::Instance()) {
        text = platform::LoadStringResource(ModuleState::Instance(), id);
    }
    return text;
}

int ShowMessage(UINT style, const String& text) {
    wchar_t* formatted = nullptr;
    if (text.IsEmpty() || !FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER, text.Wide(), 0,
                                          0, reinterpret_cast<wchar_t*>(&formatted), 0, nullptr)) {
        if (formatted) LocalFree(formatted);
        MessageBeep(0xFFFFFFFF);
        return IDCANCEL;
    }
    const String caption = LoadModuleString(IDS_PROGRAM_NAME);
    HWND owner = GetFocus();
    if (!owner) owner = GetActiveWindow();
    const int result = messageBox(owner, formatted, caption.Wide(), style | MB_SETFOREGROUND);
    LocalFree(formatted);
    return result;
}

int ShowMessage(UINT style, UINT textId) { return ShowMessage(style, LoadModuleString(textId)); }

}  // namespace linkloom
