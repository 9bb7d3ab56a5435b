// The print job, page by page on the user-interface thread: while the driver works, the abort
// procedure pumps messages so that the "Printing" window's Cancel button can be pressed; the
// frame is disabled meanwhile. Print Setup remembers the printer for the next job.
#include "print/print.h"

#include <commdlg.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/app_state.h"
#include "app/late_libraries.h"
#include "app/message_box.h"
#include "app/recent_files.h"
#include "print/page_layout.h"
#include "resources/ids.h"
#include "settings/settings_file.h"

namespace {

// A copy of a device-names block, sized for its three names.
HGLOBAL CopyDevNames(HGLOBAL names)
{
    if (!names) return nullptr;
    const auto* in = static_cast<const DEVNAMES*>(GlobalLock(names));
    if (!in) return nullptr;
    const char* base = reinterpret_cast<const char*>(in);
    const char* driver = base + in->wDriverOffset;
    const char* device = base + in->wDeviceOffset;
    const char* port = base + in->wOutputOffset;
    const size_t lengths[3] = {std::strlen(driver) + 1, std::strlen(device) + 1, std::strlen(port) + 1};
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, sizeof(DEVNAMES) + lengths[0] + lengths[1] + lengths[2]);
    if (auto* out = copy ? static_cast<DEVNAMES*>(GlobalLock(copy)) : nullptr) {
        char* text = reinterpret_cast<char*>(out);
        size_t at = sizeof(DEVNAMES);
        const char* parts[3] = {driver, device, port};
        WORD* offsets[3] = {&out->wDriverOffset, &out->wDeviceOffset, &out->wOutputOffset};
        for (int i = 0; i < 3; ++i) {
            *offsets[i] = static_cast<WORD>(at);
            std::memcpy(text + at, parts[i], lengths[i]);
            at += lengths[i];
        }
        out->wDefault = in->wDefault;
        GlobalUnlock(copy);
    }
    GlobalUnlock(names);
    return copy;
}

// Hands the remembered printer to the request: the device mode as it is, the names as a copy
// (the old names block is let go: the request's copy replaces it).
void GiveRememberedPrinter(PRINTDLGA* request)
{
    request->hDevMode = g_app.printerDevMode;
    request->hDevNames = CopyDevNames(g_app.printerDevNames);
    if (g_app.printerDevNames && g_app.printerDevNames != request->hDevNames) GlobalFree(g_app.printerDevNames);
    g_app.printerDevNames = nullptr;
}

void RememberPrinter(const PRINTDLGA& request)
{
    g_app.printerDevMode = request.hDevMode;
    g_app.printerDevNames = request.hDevNames;
}

// One page from position: the header, as many lines as fit, the footer. Answers where the
// next page starts, or -1 when the text ended, the printer failed or the user cancelled.
int64_t PrintPage(const EditState* doc, int64_t position, const TEXTMETRICA& tm, bool* advanced)
{
    HDC dc = g_app.printRequest.hDC;
    const Settings& s = g_core.settings;
    PageMetrics m{};
    m.width = GetDeviceCaps(dc, HORZRES);
    m.height = GetDeviceCaps(dc, VERTRES);
    m.pixelsPerInchX = GetDeviceCaps(dc, LOGPIXELSX);
    m.pixelsPerInchY = GetDeviceCaps(dc, LOGPIXELSY);
    m.lineHeight = tm.tmHeight + tm.tmExternalLeading;
    m.charWidth = tm.tmAveCharWidth;
    const char* const margins[4] = {s.marginLeft, s.marginTop, s.marginRight, s.marginBottom};
    const bool header = s.header[0] != '\0', footer = s.footer[0] != '\0';
    const PageGeometry g = ComputePageGeometry(m, margins, header, footer);
    *advanced = false;
    if (StartPage(dc) <= 0) return -1;

    int y = g.topPx;
    if (header) {
        ExpandTemplate(g_app.expandedLine, sizeof g_app.expandedLine, s.header, g_app.printPageNumber, g_app.printTitle);
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        TextOutA(dc, m.width / 2, 2 * m.lineHeight, g_app.expandedLine, static_cast<int>(std::strlen(g_app.expandedLine)));
        SetTextAlign(dc, TA_LEFT | TA_TOP);
        y = g.topPx + 3 * m.lineHeight;
    }
    char line[kMaxPrintColumns + 1];
    for (int32_t lines = g.lines; position >= 0 && lines >= 1; --lines) {
        const int64_t before = position;
        const int32_t length = BuildPrintLine(doc->text, doc->length, &position, doc->tabSize, g.columns, line);
        *advanced = *advanced || position != before;
        TextOutA(dc, g.leftPx, y, line, length);
        y += m.lineHeight;
    }
    if (footer) {
        ExpandTemplate(g_app.expandedLine, sizeof g_app.expandedLine, s.footer, g_app.printPageNumber, g_app.printTitle);
        SetTextAlign(dc, TA_CENTER | TA_TOP);
        TextOutA(dc, m.width / 2, m.height - 2 * m.lineHeight - g.bottomPx, g_app.expandedLine,
                 static_cast<int>(std::strlen(g_app.expandedLine)));
        SetTextAlign(dc, TA_LEFT | TA_TOP);
    }
    g_app.printPageResult = EndPage(dc);
    if (g_app.printFont) SelectObject(dc, g_app.printFont);  // the end of a page may reset the context
    if (g_app.printPageResult < 0 || g_app.printCancelled) return -1;
    return position;
}

void MakePrinterFont(HDC dc)
{
    const Settings& s = g_core.settings;
    g_app.printFont = CreateFontA(-MulDiv(s.printerFontSize, GetDeviceCaps(dc, LOGPIXELSY), 72), 0, 0, 0, FW_NORMAL,
                                  FALSE, FALSE, FALSE, s.printerCharset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  DEFAULT_QUALITY, DEFAULT_PITCH, s.printerFont);
    g_app.printOldMapMode = SetMapMode(dc, MM_TEXT);
    g_app.printOldFont = g_app.printFont ? SelectObject(dc, g_app.printFont) : nullptr;
}

}  // namespace

void PrintDocument(EditState* doc)
{
    PRINTDLGA& request = g_app.printRequest;
    request = PRINTDLGA{};
    request.lStructSize = sizeof request;
    request.hwndOwner = g_app.frameWindow;
    request.Flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | PD_USEDEVMODECOPIES | PD_ENABLEPRINTHOOK |
                    PD_ENABLESETUPHOOK;
    request.lpfnPrintHook = MiscHookDlgProc;
    request.lpfnSetupHook = MiscHookDlgProc;
    request.nCopies = 1;
    GiveRememberedPrinter(&request);
    DOCINFOA job{};
    job.cbSize = sizeof job;
    job.lpszDocName = FileNamePart(doc->path);

    if (PrintDialog(&request) && request.hDC) {
        HDC dc = request.hDC;
        EnableWindow(g_app.frameWindow, FALSE);
        HCURSOR previous = SetCursor(LoadCursorA(nullptr, IDC_WAIT));
        if (doc->path[0])
            std::snprintf(g_app.printTitle, sizeof g_app.printTitle, "%s", FileNamePart(doc->path));
        else
            GetWindowTextA(static_cast<HWND>(doc->hwnd), g_app.printTitle, sizeof g_app.printTitle);
        MakePrinterFont(dc);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SetAbortProc(dc, PrintAbortProc);
        g_app.printCancelled = 0;
        g_app.printAbortWindow =
            CreateDialogParamA(ResourceInstance(), IDD_PRINT_ABORT, g_app.frameWindow, PrintDlgProc, 0);
        if (g_app.printAbortWindow) {
            ShowWindow(g_app.printAbortWindow, SW_SHOW);
            UpdateWindow(g_app.printAbortWindow);
        }
        g_app.printPageNumber = 1;
        g_app.printPageResult = 0;
        if (StartDocA(dc, &job) > 0) {
            int64_t position = 0;
            bool advanced = true;
            // A page that takes no text (margins or font leaving no line) would repeat for ever:
            // the job ends after the first such page.
            while (position >= 0 && advanced && !g_app.printCancelled) {
                position = PrintPage(doc, position, tm, &advanced);
                ++g_app.printPageNumber;
                // Not every driver calls the abort procedure while it works: between pages the
                // "Printing" window always gets its turn.
                PrintAbortProc(dc, 0);
            }
            if (g_app.printPageResult >= 0 && !g_app.printCancelled)
                EndDoc(dc);
            else
                AbortDoc(dc);  // a cancelled or failed job is dropped at the spooler
        }
        if (g_app.printFont) {
            SelectObject(dc, g_app.printOldFont);
            DeleteObject(g_app.printFont);
            g_app.printFont = nullptr;
        }
        SetMapMode(dc, g_app.printOldMapMode);
        SetCursor(previous);
        EnableWindow(g_app.frameWindow, TRUE);
        if (g_app.printAbortWindow) DestroyWindow(g_app.printAbortWindow);
        g_app.printAbortWindow = nullptr;
        SetFocus(g_app.frameWindow);
    }
    RememberPrinter(request);
    if (request.hDC) DeleteDC(request.hDC);
    request.hDC = nullptr;
}

BOOL CALLBACK PrintAbortProc(HDC, int) noexcept
{
    MSG msg;
    while (!g_app.printCancelled && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!g_app.printAbortWindow || !IsDialogMessageA(g_app.printAbortWindow, &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return !g_app.printCancelled;
}

INT_PTR CALLBACK PrintDlgProc(HWND dialog, UINT message, WPARAM, LPARAM) noexcept
{
    switch (message) {
        case WM_INITDIALOG:
            g_app.printCancelled = 0;
            SetDlgItemTextA(dialog, IDC_PRINT_TITLE, g_app.printTitle);
            return TRUE;
        case WM_COMMAND:
            g_app.printCancelled = 1;
            return TRUE;
        default:
            return FALSE;
    }
}

void PrintSetup()
{
    PRINTDLGA& request = g_app.printRequest;
    request = PRINTDLGA{};
    request.lStructSize = sizeof request;
    request.hwndOwner = g_app.frameWindow;
    request.hInstance = ResourceInstance();
    request.nCopies = 1;
    request.Flags = PD_PRINTSETUP | PD_NOPAGENUMS | PD_ENABLESETUPHOOK | PD_ENABLESETUPTEMPLATE;
    request.lpSetupTemplateName = IDD_PRINT_SETUP;
    request.lpfnSetupHook = PrintSelHookProc;
    GiveRememberedPrinter(&request);
    PrintDialog(&request);
    RememberPrinter(request);
}

void ForgetPrinter()
{
    if (g_app.printerDevMode) GlobalFree(g_app.printerDevMode);
    if (g_app.printerDevNames) GlobalFree(g_app.printerDevNames);
    g_app.printerDevMode = g_app.printerDevNames = nullptr;
}

namespace {

// A device context for the printer the setup dialog's list shows: its name (cut before " on"
// and the port), its driver and port from the system profile's "devices" section; failing
// that, the spooler's context of that name.
HDC SelectedPrinterContext(HWND setup)
{
    char device[128] = {};
    GetDlgItemTextA(setup, IDC_PRINTER_LIST, device, sizeof device);
    if (char* on = std::strstr(device, LoadStr(IDS_PRINTER_ON))) *on = '\0';
    char entry[128] = {};
    GetProfileStringA("devices", device, "", entry, sizeof entry);
    char* driver = std::strtok(entry, ",");
    char* port = driver ? std::strtok(nullptr, ",") : nullptr;
    HDC dc = driver && device[0] ? CreateDCA(driver, device, port, nullptr) : nullptr;
    if (!dc && device[0]) dc = CreateDCA("WINSPOOL", device, nullptr, nullptr);
    return dc;
}

void ChoosePrinterFont(HWND setup)
{
    Settings& s = g_core.settings;
    HDC printer = SelectedPrinterContext(setup);
    LOGFONTA font{};
    HDC screen = GetDC(g_app.frameWindow);
    font.lfHeight = -static_cast<LONG>(GetDeviceCaps(screen, LOGPIXELSY) * s.printerFontSize / 72.0 + 0.5);
    ReleaseDC(g_app.frameWindow, screen);
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = s.printerCharset;
    std::snprintf(font.lfFaceName, sizeof font.lfFaceName, "%s", s.printerFont);
    CHOOSEFONTA request{};
    request.lStructSize = sizeof request;
    request.hwndOwner = setup;
    request.hDC = printer;
    request.lpLogFont = &font;
    request.iPointSize = s.printerFontSize * 10;
    request.Flags = CF_PRINTERFONTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_NOSIMULATIONS |
                    CF_LIMITSIZE | CF_FORCEFONTEXIST;
    request.lpfnHook = MiscHookDlgProc;
    request.lpTemplateName = IDD_FONT_SELECT;
    request.hInstance = ResourceInstance();
    request.nFontType = PRINTER_FONTTYPE;
    request.nSizeMin = 6;
    request.nSizeMax = 34;
    if (FontDialog(&request)) {
        s.printerCharset = font.lfCharSet;
        s.printerFontSize = static_cast<int16_t>(request.iPointSize / 10);
        std::snprintf(s.printerFont, sizeof s.printerFont, "%s", font.lfFaceName);
        SettingsSave();
    }
    if (printer) DeleteDC(printer);
}

}  // namespace

UINT_PTR CALLBACK PrintSelHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    if (message == WM_INITDIALOG) {
        SetFocus(GetDlgItem(dialog, IDOK));
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDC_PAGE_SETUP) {
        DialogBoxParamA(ResourceInstance(), IDD_PAGE_SETUP, dialog, PageDlgProc, 0);
    } else if (message == WM_COMMAND && LOWORD(wParam) == IDC_PRINTER_FONTS) {
        ChoosePrinterFont(dialog);
    }
    return 0;  // the dialog's own handling always follows
}

namespace {

struct MarginField {
    int id;
    char* setting;
};

}  // namespace

INT_PTR CALLBACK PageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) noexcept
{
    Settings& s = g_core.settings;
    const MarginField margins[4] = {{IDC_MARGIN_LEFT, s.marginLeft},
                                    {IDC_MARGIN_TOP, s.marginTop},
                                    {IDC_MARGIN_RIGHT, s.marginRight},
                                    {IDC_MARGIN_BOTTOM, s.marginBottom}};
    if (message == WM_INITDIALOG) {
        SetDlgItemTextA(dialog, IDC_HEADER, s.header);
        SetDlgItemTextA(dialog, IDC_FOOTER, s.footer);
        for (const MarginField& m : margins) SetDlgItemTextA(dialog, m.id, m.setting);
        return TRUE;
    }
    if (message != WM_COMMAND) return FALSE;
    if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, 0);
        return TRUE;
    }
    if (LOWORD(wParam) != IDOK) return FALSE;
    // A margin of 3 inches or more is passed over without a word, however it is written. One
    // that would be taken holds at most 4 characters: a longer one is refused, not cut, and
    // nothing changes.
    char texts[4][8];
    bool taken[4];
    for (int i = 0; i < 4; ++i) {
        GetDlgItemTextA(dialog, margins[i].id, texts[i], sizeof texts[i]);
        taken[i] = std::atof(texts[i]) < 3.0;
        if (taken[i] && std::strlen(texts[i]) >= kMarginSize) {
            ShowMessage(dialog, 0, IDS_MARGIN_TOO_LONG, texts[i]);
            SetFocus(GetDlgItem(dialog, margins[i].id));
            SendDlgItemMessageA(dialog, margins[i].id, EM_SETSEL, 0, -1);
            return TRUE;
        }
    }
    GetDlgItemTextA(dialog, IDC_HEADER, s.header, sizeof s.header);
    GetDlgItemTextA(dialog, IDC_FOOTER, s.footer, sizeof s.footer);
    for (int i = 0; i < 4; ++i)
        if (taken[i]) std::snprintf(margins[i].setting, kMarginSize, "%s", texts[i]);
    SettingsSave();
    EndDialog(dialog, 1);
    return TRUE;
}
