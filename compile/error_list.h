// The compiler's error file as the editor reads it: one fault a line, "PATH(LINE): message",
// "PATH(LINE,COL): message" or "PATH:LINE: message" (also "PATH:LINE:COL: message"); lines in
// none of these forms (banners, blank lines, summaries) name no place and are left out.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct ErrorEntry {
    std::string path;     // as the line names it; ParseErrorFile joins relative ones to the script's folder
    int32_t line = 0;     // 1-based
    int32_t column = 0;   // 1-based; 0 when the line gives none
    std::string message;  // without the blanks around it
};

// One line without its line end. True with *entry filled when the line names a place: the
// leftmost "(LINE)" or "(LINE,COL)" followed by a colon, or ":LINE:" (a drive's colon is
// followed by no digit), with a path before it that is not empty once blanks are trimmed.
bool ParseErrorLine(std::string_view line, ErrorEntry* entry);

// Every fault of a whole error file (LF or CR LF line ends), in the file's order. A relative
// path is taken against the folder of scriptPath; one rooted without a drive ("\DIR\X.INC")
// gets the script's drive.
std::vector<ErrorEntry> ParseErrorFile(std::string_view bytes, std::string_view scriptPath);

// The file name part of a path: after its last backslash, slash or colon.
std::string_view FileNamePart(std::string_view path);

// pattern with "%1" to "%9" replaced by values[0] to values[8] (by nothing beyond them); the
// string table's status texts take their numbers and names so.
std::string FillIn(std::string_view pattern, const std::vector<std::string>& values);
