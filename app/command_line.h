// The command line at start-up, without the platform: splitting it into arguments, and the
// rules of the "/G" (go to line) and "/N" (new document) switches.
#pragma once

#include <cstdint>

constexpr int kMaxArguments = 20;

// One block: this header, then one 32-bit offset per argument into the string area, then the
// string area with every argument NUL-ended, in command-line order.
struct ArgumentList {
    uint8_t count;            // 0..kMaxArguments
    const uint32_t* offsets;  // follows the header
    const char* strings;      // follows the offset table
};

// Splits commandLine into arguments: blanks (space, TAB) separate them unless quoted; a
// double quote opens or closes quoting and is not kept; \" stands for a double quote. Only
// the first kMaxArguments arguments are kept. Answers nullptr when memory is exhausted;
// otherwise free the list with FreeArgumentList (one FreeBlock).
ArgumentList* SplitCommandLine(const char* commandLine);
void FreeArgumentList(ArgumentList* list);

// Argument i (0-based), or nullptr when i is not below list->count.
const char* Argument(const ArgumentList* list, int i);

enum class ArgumentKind { FileName, GotoOption, NewOption, OtherOption };

// "/G..." and "/N..." are the switches, any other "/..." is ignored, the rest name files.
ArgumentKind Classify(const char* arg);

// The line to go to after a "/G" argument; afterG is what follows the "/G". When it is empty
// the pending line stays; otherwise it is the decimal number at its start (leading blanks
// and a sign allowed, 0 when there are no digits, saturated to the int range).
int ParseGotoLine(const char* afterG, int pending);
