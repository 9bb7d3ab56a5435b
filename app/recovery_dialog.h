// The start-up offer of the recovery copies an earlier run left behind: one dialog lists them
// (name, time, size) with Recover, Discard and Later; damaged files are named and skipped.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// One file of the recovery folder, read whole.
struct RecoveryEntry {
    std::string file;  // full name
    std::string line;  // as the list shows it
    std::vector<char> bytes;
    bool good = false;  // parsed as a snapshot
};

// The files of the recovery folder, oldest name first; damaged ones with good false.
std::vector<RecoveryEntry> ReadRecoveryFolder();

// Shows the dialog when the folder holds anything; nothing is deleted unless the user chooses
// Discard. Answers the number of documents recovered.
int OfferRecovery();

INT_PTR CALLBACK RecoveryDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
