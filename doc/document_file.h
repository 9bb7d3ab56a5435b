// Creating a document (untitled or from a file) and writing it back.
#pragma once

#include <cstdint>

#include "doc/edit_state.h"

// Size of the transfer buffers, and the read size (one byte less, as the file library wants).
constexpr int32_t kTransferBuffer = 4096;
constexpr int32_t kReadChunk = 4095;
// Text bytes converted per write step; at most 16 x 127 output bytes.
constexpr int32_t kSaveStep = 16;
// Block of a new untitled document.
constexpr int32_t kUntitledBlock = 16385;

enum class LoadResult { kLoaded, kUnreadable, kNoMemory };

bool CreateDocument(EditState* doc, const char* path);
// Fails, with message 300 or 303 and no text, unless the whole file could be read.
bool LoadDocument(EditState* doc, const char* path);
// Size of an existing file; 0xFFFFFFFF when it cannot be opened (missing, held by another
// program without sharing, no access), when the size cannot be taken, or when it is 2^31 bytes
// or more (negative as a signed 32-bit number).
uint32_t FileSize(const char* path);
// Reads the file into the allocated text; rewrites path with the library's name of the file.
// kUnreadable when the file could not be opened or a read failed; kNoMemory (message 303 shown)
// without a transfer buffer. Only kLoaded leaves a text to show.
LoadResult LoadText(EditState* doc, char* path);
// 1 when the file opened for writing and all of the text went out to it; 0 otherwise.
int SaveText(EditState* doc);
