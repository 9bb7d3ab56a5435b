// Never losing work: snapshots of modified documents written on a timer into the recovery
// folder beside the settings file, and the question when another program changes or deletes
// an open document's file.
#pragma once

#include <windows.h>

#include <cstddef>

#include "doc/edit_state.h"
#include "doc/snapshot.h"

// The snapshot timer's id on a document window.
constexpr UINT_PTR kSnapshotTimer = 0x5A56;

// The recovery folder: the system's profile directory (where "QV5.INI" lives) and the folder
// name of the string table. False when it does not fit.
bool RecoveryFolder(char* out, size_t size);

// Reads the snapshot timing once at start-up ("ZAVODO_RECOVERY_TIMING" = "idle,interval" in
// milliseconds shortens it for tests) and picks this run's file-name stem.
void StartRecovery();

// A document window has made its document: the file's stamp, or the untitled number.
void RecoveryDocumentMade(EditState* doc);
// Input that may change the text has reached the document: the timer takes a snapshot once
// the input rests. Nothing is written here.
void RecoveryInput(HWND window, EditState* doc);
// The snapshot timer's tick.
void RecoveryTimer(HWND window, EditState* doc);
// The document has been written to its file: its snapshot goes, the file's stamp is new.
void RecoveryDocumentSaved(EditState* doc);
// The document is to close without its changes (the user's "No") or unmodified: its snapshot
// goes when the window does. Until then it stays, since a later answer (Cancel on another
// document when the program ends) can keep the window open and modified.
void RecoveryDiscard(EditState* doc);
// The window is going: its timer stops, a discarded snapshot goes; any other snapshot left
// behind is offered at the next start.
void RecoveryWindowGone(HWND window, EditState* doc);

// The document window has become the active one: when its file has changed on disk since it
// was loaded or saved, the question is posted to it (UM_DISKCHANGED).
void RecoveryActivated(HWND window, EditState* doc);
// UM_DISKCHANGED: asks once, and reloads or keeps this version as the user answers.
LRESULT RecoveryDiskChanged(HWND window, EditState* doc);
// Replaces the text by the file's, as one undo record when memory allows; false (the text kept,
// the user told) when the file cannot be read or no memory is left.
bool ReloadDocument(EditState* doc);

// Opens a snapshot as a modified document under its original path (or as a new untitled one);
// the document takes the snapshot file over, so it goes only when the document is saved or
// closed by the user. Null when no window could be made (the file stays).
HWND RecoverSnapshot(const char* file, const SnapshotView& snapshot);

// The file's stamp as the system reports it.
DiskStamp QueryDiskStamp(const char* path);
