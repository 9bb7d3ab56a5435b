// The rules of the recent-file list and of the file dialogs' remembered state, without the
// platform: adding a name, the menu label of an entry, the dialogs' start directory and the
// default extension of a filter. The Win32 layer (recent_files.cpp) keeps the list in g_app.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kRecentFileCount = 4;
constexpr size_t kRecentNameSize = 260;   // 259 characters and the NUL
constexpr size_t kRecentLabelSize = 260;  // the menu label: 259 characters and the NUL
// Names longer than this show only their file name in the menu, so the menu stays narrow.
constexpr size_t kRecentLabelFullMax = 35;

// Entry 0 is the newest; an empty entry ends the list, whatever stands after it.
using RecentFileList = char[kRecentFileCount][kRecentNameSize];

// How names are upper-cased and compared ignoring case. The Win32 layer passes the system's
// rules, which know the code page's letters; the ASCII rules are the portable fallback.
struct RecentCaseRules {
    void (*upper)(char* text);
    bool (*same)(const char* a, const char* b);
};
extern const RecentCaseRules kAsciiCaseRules;

// Upper-cases name in place, then puts it in front unless an entry (empty ones included)
// already holds it ignoring case. A longer name is cut to the entry's room. Answers whether
// the list changed.
bool AddRecentName(RecentFileList& list, char* name, const RecentCaseRules& rules);

// The number of entries shown: those before the first empty one.
int RecentNamesShown(const RecentFileList& list);

// The menu label of entry index: "&", its number, a blank, then the name (only its file name
// when the name is long), every "&" doubled so it shows as itself. Cut to size; a doubled "&"
// is never cut in half.
void FormatRecentLabel(int index, const char* name, char* out, size_t size);

// Where a file dialog starts after one was used: the last path chosen up to and including its
// last backslash; empty (the system's choice) when it has none.
void DialogStartDirectory(const char* lastPath, char* out, size_t size);

// The string id of a filter's default extension (filters 1..8), or 0 for none.
int DefaultExtensionId(uint32_t filterIndex);

// Turns the string table's type list into the dialogs' form: every "%" becomes a NUL.
void SplitTypeList(char* text);
