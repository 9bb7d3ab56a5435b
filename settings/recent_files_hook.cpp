// Stand-ins for the recent-file list's load and save, so the settings file can be read and
// written before the list exists. Delete this file when the list supplies the real ones.
#include "settings/recent_files_hook.h"

void LoadRecentFiles() {}

void SaveRecentFiles() {}
