// VUZUZE32.DLL: the About box, a dialog built in memory so that the library needs no
// dialog resources of its own; its texts and icon come from the calling program.
#include <cstdio>
#include <cstring>

#include "libs/vuzuze/vuzuze32.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;  // this DLL's own image, i.e. its instance

namespace {

constexpr WORD kIconControl = 101;
constexpr WORD kTextControl = 102;
constexpr WORD kButtonClass = 0x0080;
constexpr WORD kStaticClass = 0x0082;

// A DLGTEMPLATE with its items, laid out word by word as DialogBoxIndirect reads it.
class DialogTemplate {
public:
    DialogTemplate(short cx, short cy)
    {
        DWORD style = DS_MODALFRAME | DS_CENTER | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        Dword(style);
        Dword(0);  // extended style
        count_ = size_;
        Word(0);  // items, counted by Item
        Word(0);  // x
        Word(0);  // y
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(0);  // no menu
        Word(0);  // the standard class
        Word(0);  // the caption is set when the box starts
        Word(8);
        Text(L"MS Shell Dlg");
    }

    void Item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD windowClass, const wchar_t* text)
    {
        if (size_ % 2) Word(0);  // items start on a 32-bit boundary
        Dword(style | WS_CHILD | WS_VISIBLE);
        Dword(0);
        Word(static_cast<WORD>(x));
        Word(static_cast<WORD>(y));
        Word(static_cast<WORD>(cx));
        Word(static_cast<WORD>(cy));
        Word(id);
        Word(0xFFFF);
        Word(windowClass);
        Text(text);
        Word(0);  // no creation data
        if (!full_) ++words_[count_];
    }

    // Null when the items did not fit.
    const DLGTEMPLATE* Get() const { return full_ ? nullptr : reinterpret_cast<const DLGTEMPLATE*>(words_); }

private:
    void Word(WORD w)
    {
        if (size_ == kWords) {
            full_ = true;
            return;
        }
        words_[size_++] = w;
    }
    void Dword(DWORD d)
    {
        Word(LOWORD(d));
        Word(HIWORD(d));
    }
    void Text(const wchar_t* text)
    {
        for (; *text; ++text) Word(static_cast<WORD>(*text));
        Word(0);
    }

    static constexpr size_t kWords = 256;
    alignas(4) WORD words_[kWords] = {};
    size_t size_ = 0;
    size_t count_ = 0;
    bool full_ = false;
};

// The program's string, or its file name without folder and extension when it has none.
void ProgramText(HINSTANCE instance, UINT id, char* out, int size)
{
    if (LoadStringA(instance, id, out, size) > 0) return;
    char module[MAX_PATH] = {};
    DWORD n = GetModuleFileNameA(instance, module, sizeof module);
    if (n == 0 || n >= sizeof module) {
        out[0] = '\0';
        return;
    }
    const char* base = std::strrchr(module, '\\');
    base = base ? base + 1 : module;
    const char* dot = std::strrchr(base, '.');
    int length = dot ? static_cast<int>(dot - base) : static_cast<int>(std::strlen(base));
    std::snprintf(out, static_cast<size_t>(size), "%.*s", length, base);
}

INT_PTR CALLBACK AboutBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept
{
    switch (message) {
    case WM_INITDIALOG: {
        HINSTANCE instance = reinterpret_cast<HINSTANCE>(lParam);
        char text[256];
        ProgramText(instance, kUtilAboutCaption, text, sizeof text);
        SetWindowTextA(dialog, text);
        ProgramText(instance, kUtilAboutText, text, sizeof text);
        SetDlgItemTextA(dialog, kTextControl, text);
        // An icon resource is shared and needs no release.
        if (HICON icon = LoadIconA(instance, MAKEINTRESOURCEA(kUtilAboutIcon))) {
            SendDlgItemMessageA(dialog, kIconControl, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
        }
        return TRUE;
    }
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

}  // namespace

VUZUZE_API int WINAPI UtilAboutBox(HWND frame, HINSTANCE instance)
{
    DialogTemplate box(200, 64);
    box.Item(SS_ICON, 10, 10, 20, 20, kIconControl, kStaticClass, L"");
    box.Item(SS_LEFT | SS_NOPREFIX, 40, 14, 150, 24, kTextControl, kStaticClass, L"");
    box.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 75, 42, 50, 14, IDOK, kButtonClass, L"OK");
    if (!box.Get()) return 0;
    HINSTANCE library = reinterpret_cast<HINSTANCE>(&__ImageBase);
    INT_PTR result =
        DialogBoxIndirectParamA(library, box.Get(), frame, AboutBoxProc, reinterpret_cast<LPARAM>(instance));
    return result == -1 || result == 0 ? 0 : 1;
}
