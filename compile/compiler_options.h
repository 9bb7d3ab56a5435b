// The script compiler's options as the editor keeps them: four switches, the include path and
// two lines of additional options; the "Options" text of the settings file that carries the
// switches and the saved line; and the normaliser that writes and parses that text.
#pragma once

#include <cstddef>
#include <cstdint>

struct CompilerOptions {
    uint8_t debugInfo = 0;     // "/Z"
    uint8_t mapFile = 0;       // 0 none, 1 "/M", 2 "/ML" (with line numbers)
    uint8_t warningLevel = 1;  // "/W0".."/W2"
    int32_t maxErrors = 20;    // "/E<n>"
    char includePath[128] = {};
    char savedOptions[81] = {};            // kept after the switches in "Options"
    char sessionOptions[81] = {};          // this run only
    char compileCommandOptions[81] = {};   // what the compile command passes: the session line at the last OK
};

// Copies the option text in to out (outSize bytes, always ended with a NUL; the text never
// grows, so strlen(in) + 1 bytes are enough): runs of blanks and tabs between tokens become one
// blank, leading ones go, blanks inside double quotes are removed (a backquote before a double
// quote there keeps the section open). With takeSwitches, every token starting /E (not /EX),
// /M, /W or /Z in either case is left out and sets its field of *options.
void NormalizeOptions(char* out, size_t outSize, const char* in, bool takeSwitches, CompilerOptions* options);

// The "Options" value: "/Z ", "/M " or "/ML ", "/W<level> ", "/E<max> " where they apply, then
// the saved line normalised without taking switches. out has outSize bytes (300 are plenty).
void BuildOptionsText(char* out, size_t outSize, const CompilerOptions& options);

// Takes a stored "Options" value apart: an empty one changes nothing; otherwise the switches
// set their fields and the rest, cut to 80 characters, becomes the saved line.
void ParseOptionsText(const char* text, CompilerOptions* options);

// The compiler's arguments: "/H<frame>,600 <options> \"<path>\"" (cut to outSize - 1).
void FormatCompileArguments(char* out, size_t outSize, uint32_t frame, const char* options, const char* path);
