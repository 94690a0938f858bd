// Asks GDI for the symbol fonts that Wine draws with (Marlett: caption buttons) and that the
// progress window uses (Wingdings: the pause button), and prints the face it got and whether it
// has the glyph. In a prefix whose C:\windows\Fonts lacks them, both come out as another face.
#include <windows.h>
#include <cstdio>

static void Probe(const wchar_t* face, BYTE charset, wchar_t glyph) {
    HDC dc = GetDC(nullptr);
    LOGFONTW font{};
    font.lfHeight = -16;
    font.lfCharSet = charset;
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    HFONT handle = CreateFontIndirectW(&font);
    HGDIOBJ old = SelectObject(dc, handle);
    wchar_t got[LF_FACESIZE] = L"";
    GetTextFaceW(dc, LF_FACESIZE, got);
    WORD index = 0;
    GetGlyphIndicesW(dc, &glyph, 1, &index, GGI_MARK_NONEXISTING_GLYPHS);
    wprintf(L"asked %ls charset %d: got %ls, glyph U+%04X index %d\n", face, charset, got, glyph, index);
    SelectObject(dc, old);
    DeleteObject(handle);
    ReleaseDC(nullptr, dc);
}

int main() {
    Probe(L"Marlett", SYMBOL_CHARSET, L'r');
    Probe(L"Wingdings", DEFAULT_CHARSET, 0xF0BF);
    Probe(L"Wingdings", SYMBOL_CHARSET, 0xF0BF);
    return 0;
}
