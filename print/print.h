// Printing a document: the print job with its "Printing" window, and Print Setup with its
// Page Setup and Printer Fonts buttons.
#pragma once

#include <windows.h>

#include "doc/edit_state.h"

// The whole text of doc on the printer chosen in the print dialog.
void PrintDocument(EditState* doc);
// The print-setup dialog; the printer chosen there is used by the next job.
void PrintSetup();

BOOL CALLBACK PrintAbortProc(HDC dc, int code) noexcept;
INT_PTR CALLBACK PrintDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
UINT_PTR CALLBACK PrintSelHookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
INT_PTR CALLBACK PageDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

// Frees the remembered printer's blocks (when the frame goes).
void ForgetPrinter();
