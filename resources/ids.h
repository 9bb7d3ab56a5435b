/* Every command, control, string and resource id of the program, named once.
   Read by windres and by C++; C++-only checks stand behind RC_INVOKED. */
#ifndef ZAVODO_RESOURCES_IDS_H
#define ZAVODO_RESOURCES_IDS_H

/* Strings: names and captions */
#define IDS_APP_CAPTION 200
#define IDS_SETTINGS_FILE 201
#define IDS_SETTINGS_SECTION 202
#define IDS_FRAME_CLASS 203
#define IDS_EDIT_CLASS 204
#define IDS_RECENT_SECTION 205
#define IDS_UNTITLED_FORMAT 206
#define IDS_APP_CAPTION_ICONIC 207
#define IDS_RECENT_KEY_FORMAT 208

/* Strings: keys of the main settings section */
#define IDS_KEY_NEWFILE 209
#define IDS_KEY_ACTIONBAR 210
#define IDS_KEY_ICONLABEL 211
#define IDS_KEY_NOTABS 212
#define IDS_KEY_TABSTOPS 213
#define IDS_KEY_LARGECURSOR 214
#define IDS_KEY_AUTOINDENT 215
#define IDS_KEY_INSERTMODE 216
#define IDS_KEY_MOUSEMODE 217
#define IDS_KEY_SCREENFONT 218
#define IDS_KEY_SCREENCHARSET 219
#define IDS_KEY_SCREENFONTSIZE 220
#define IDS_KEY_LEFT 221
#define IDS_KEY_TOP 222
#define IDS_KEY_RIGHT 223
#define IDS_KEY_BOTTOM 224
#define IDS_KEY_HEADER 225
#define IDS_KEY_FOOTER 226
#define IDS_DEFAULT_FOOTER 227
#define IDS_DEFAULT_SCREENFONT 228
#define IDS_DEFAULT_PRINTERFONT 229
#define IDS_KEY_STARTSIZE 230

/* Strings: the file dialogs' titles, their type list ("%" between the parts) and the default
   extension of filter n, string IDS_DEFAULT_EXT_BASE + n (filters 1..8; the last has none) */
#define IDS_FILE_SAVE_TITLE 231
#define IDS_FILE_OPEN_TITLE 232
#define IDS_UNTITLED_NAME 233  /* an untitled document's name in the save question */
#define IDS_FILE_TYPES 234
#define IDS_DEFAULT_EXT_BASE 242
#define IDS_EXT_KSR 243
#define IDS_EXT_INC 244
#define IDS_EXT_KDG 245
#define IDS_EXT_KUW 246
#define IDS_EXT_MAP 247
#define IDS_EXT_ERR 248
#define IDS_EXT_TXT 249
#define IDS_EXT_HTM 250

#define IDS_COMPILER_SECTION 240
#define IDS_KEY_OPTIONS 241
#define IDS_KEY_INCLUDEPATH 252
#define IDS_KEY_OEMKEYS 266
#define IDS_PATHS_SECTION 268
#define IDS_KEY_SCRIPTS 269
#define IDS_KEY_PRINTERFONT 270
#define IDS_KEY_PRINTERCHARSET 271
#define IDS_KEY_PRINTERFONTSIZE 272
#define IDS_KEY_LARGEICONS 273
#define IDS_KEY_RECOVERY 274
#define IDS_KEY_DISKCHECK 275
#define IDS_KEY_SYNTAXCOLOURS 276
#define IDS_KEY_FINDUP 370
#define IDS_KEY_FINDWRAP 371

/* Strings: the status line */
#define IDS_NUM 260
#define IDS_CAPS 261
#define IDS_INS 262
#define IDS_OVR 263
#define IDS_POSITION_FORMAT 264
#define IDS_ITEMS_REPLACED 267
#define IDS_CODE_LABEL 374

/* Strings: messages */
#define IDS_CANNOT_OPEN 300
#define IDS_CANNOT_WRITE 301
#define IDS_OUT_OF_MEMORY 303
#define IDS_NOT_FOUND 310
#define IDS_WRAPPED_DOWN 372
#define IDS_WRAPPED_UP 373
#define IDS_ERROR_EXECUTING 311
#define IDS_NOT_SAVED 312
#define IDS_SAVE_NOW 313
#define IDS_TOO_MANY_FILES 314
#define IDS_LOW_MEMORY_UNDO 315
#define IDS_NAME_TOO_LONG 316
#define IDS_NOT_ANSWERING 320

/* Strings: recovery snapshots and files changed on disk */
#define IDS_RECOVERY_FOLDER 340
#define IDS_DISK_CHANGED 341
#define IDS_DISK_DELETED 342
#define IDS_RELOAD_FAILED 343
#define IDS_SNAPSHOT_FAILED 344
#define IDS_RECOVERY_SKIPPED 345
#define IDS_RECOVERY_SIZE 346
#define IDS_RECOVERY_NONE_SKIPPED 347
#define IDS_SNAPSHOT_CUT 350
#define IDS_SNAPSHOT_FOREIGN 351
#define IDS_SNAPSHOT_VERSION 352
#define IDS_SNAPSHOT_HEADER 353
#define IDS_SNAPSHOT_TRAILING 354
#define IDS_SNAPSHOT_CHECKSUM 355
/* Strings: the compiler's faults in the status line */
#define IDS_NO_ERRORS 360
#define IDS_ONE_ERROR 361
#define IDS_ERROR_COUNT 362
#define IDS_ERROR_AT 363
#define IDS_NO_NEXT_ERROR 364
#define IDS_NO_PREVIOUS_ERROR 365
#define IDS_ERROR_FILE_UNREADABLE 366

/* Strings: help files, path separators, the About box */
#define IDS_HELP_FILE 1000
#define IDS_SCRIPT_HELP_FILE 1001
#define IDS_PATH_SEPARATOR 1002
#define IDS_DRIVE_SEPARATOR 1003
#define IDS_ABOUT_TEXT 5401
#define IDS_ABOUT_CAPTION 5403

/* Strings: menu help for the drop-down menus (600 system menu .. 606 Help) */
#define IDS_MENU_SYSTEM 600
#define IDS_MENU_FILE 601
#define IDS_MENU_EDIT 602
#define IDS_MENU_FIND 603
#define IDS_MENU_TOOLS 604
#define IDS_MENU_WINDOW 605
#define IDS_MENU_HELP 606

/* Commands; the string table describes each under the same number */
#define IDM_FIND_CLOSED 100
#define IDM_NEW 501
#define IDM_OPEN 502
#define IDM_CLOSE 503
#define IDM_SAVE 504
#define IDM_SAVE_AS 505
#define IDM_PRINT_SETUP 506
#define IDM_PRINT 507
#define IDM_EXIT 508
#define IDM_PREFERENCES 509
#define IDM_RECENT_FIRST 510
#define IDM_RECENT_LAST 513
#define IDM_UNDO 520
#define IDM_REDO 521
#define IDM_CUT 522
#define IDM_COPY 523
#define IDM_PASTE 524
#define IDM_OEMKEYS 525
#define IDM_SELECT_ALL 528
#define IDM_MATCH_BLOCK 526
#define IDM_SELECT_TO_MATCH 527
#define IDM_FIND 531
#define IDM_FIND_AGAIN 532
#define IDM_REPLACE 533
#define IDM_GOTO_LINE 534
#define IDM_FIND_NEXT 535
#define IDM_FIND_PREVIOUS 536
#define IDM_REPLACE_ONE 537
#define IDM_REPLACE_ALL 538
#define IDM_COMPILE 541
#define IDM_COMPILER_OPTIONS 542
#define IDM_DIALOG_EDITOR 543
#define IDM_USER_WINDOW_EDITOR 544
#define IDM_NEXT_ERROR 545
#define IDM_PREVIOUS_ERROR 546
#define IDM_TILE_HORIZONTAL 551
#define IDM_TILE_VERTICAL 552
#define IDM_CASCADE 553
#define IDM_ARRANGE_ICONS 554
#define IDM_ACTION_BAR 555
#define IDM_LARGE_ACTION_BAR 556
#define IDM_TOOLTIPS 557
/* Ids of the MDI client's window-list entries, from here up */
#define IDM_FIRST_CHILD 558
#define IDM_CONTENTS 591
#define IDM_HELP_ON_HELP 592
#define IDM_SCRIPT_REFERENCE 593
#define IDM_SCRIPT_TOPIC 594
#define IDM_ABOUT 595
#define IDM_COMPILER_NOTICE 600
#define IDM_HELP 900
/* Layout entries of the action bar that the editor does not handle */
#define IDM_BAR_FOREIGN1 198
#define IDM_BAR_FOREIGN2 199

/* Help contexts */
#define HELP_OVERVIEW 10400
#define HELP_FIND_DIALOG 10401
#define HELP_REPLACE_DIALOG 10402
#define HELP_GOTO_DIALOG 10403
#define HELP_OPTIONS_DIALOG 10404
#define HELP_PREFERENCES_DIALOG 10405
#define HELP_COMMAND_BASE 10000

/* Dialogs, by name, and their controls */
#define IDD_FIND "Find"
#define IDD_FIND_REPLACE "FindReplace"
#define IDD_GOTO_LINE "GotoLine"
#define IDC_FIND_TEXT 302
#define IDC_REPLACE_TEXT 303
#define IDC_REPLACE 304
#define IDC_MATCH_CASE 305
#define IDC_REPLACE_ALL 306
#define IDC_WHOLE_WORD 308
#define IDC_LINE_NUMBER 309
#define IDC_FIND_UP 336
#define IDC_FIND_DOWN 337
#define IDC_FIND_WRAP 338
// The compiler options dialog.
#define IDD_COMPILER_OPTIONS "Options"
#define IDC_MAP_FILE 101
#define IDC_DEBUG_INFO 102
#define IDC_WARNING_0 104
#define IDC_WARNING_1 105
#define IDC_WARNING_2 106
#define IDC_LINE_NUMBERS 107
#define IDC_MAX_ERRORS 109
#define IDC_INCLUDE_PATH 110
#define IDC_SAVED_OPTIONS 111
#define IDC_SESSION_OPTIONS 112
// The Preferences dialog, and the font dialog's template that it and printing share.
#define IDD_PREFERENCES "Preferences"
#define IDD_FONT_SELECT "FontSelect"
#define IDC_TAB_SIZE 301
#define IDC_CONVERT_TABS 317
#define IDC_NEW_FILE 318
#define IDC_SHOW_ACTION_BAR 319
#define IDC_TOOLTIPS 320
#define IDC_SCREEN_FONT 321
#define IDC_INSERT_MODE 323
#define IDC_LARGE_CURSOR 324
#define IDC_AUTO_INDENT 325
#define IDC_MOUSE_NOTHING 326
#define IDC_MOUSE_TOPIC_SEARCH 327
#define IDC_MOUSE_GOTO_LINE 328
#define IDC_MOUSE_NEXT_WINDOW 329
#define IDC_LARGE_ACTION_BAR 330
#define IDC_RECOVERY_SNAPSHOTS 331
#define IDC_DISK_CHANGE_CHECK 332
#define IDC_SYNTAX_COLOURS 335

/* The recovery dialog shown at start-up when snapshots are left over */
#define IDD_RECOVERY "Recovery"
#define IDC_RECOVERY_LIST 341
#define IDC_RECOVERY_SKIPPED 342
#define IDC_RECOVER 343
#define IDC_DISCARD 344

/* Action-bar layouts: the full menu's and the short menu's */
#define IDL_BAR_MAIN 10
#define IDL_BAR_SHORT 20

/* Menus, accelerators and icons, by name */
#define IDR_MAIN_MENU "MainMenu"
#define IDR_SHORT_MENU "ShortMenu"
#define IDR_ACCELERATORS "Accelerators"
#define IDI_EDITOR "Editor"
#define IDI_DOCUMENT "Document"
#define IDI_ABOUT 5400

/* Private window messages (WM_USER based) */
#define UM_SYNCMENU 1026
#define UM_OPENFILE 1027
#define UM_DISKCHANGED 1028  /* a document's file changed on disk: ask, posted to the document */
#define UM_IGNORED 1534

#ifndef RC_INVOKED
static_assert(IDM_RECENT_LAST - IDM_RECENT_FIRST == 3, "four recent files");
static_assert(IDS_EXT_HTM - IDS_DEFAULT_EXT_BASE == 8, "eight filters with a default extension");
static_assert(IDM_FIRST_CHILD > IDM_TOOLTIPS && IDM_FIRST_CHILD < IDM_CONTENTS, "window list between");
static_assert(IDC_MOUSE_NEXT_WINDOW - IDC_MOUSE_NOTHING == 3, "the mouse buttons follow its setting 0..3");
#endif

// Printing: the "Printing" window, Print Setup's template and its two buttons, Page Setup.
#define IDD_PRINT_ABORT "PrintAbort"
#define IDD_PRINT_SETUP "PrintSetup"
#define IDD_PAGE_SETUP "PageSetup"
#define IDC_PRINT_TITLE 316
#define IDC_PAGE_SETUP 100
#define IDC_PRINTER_FONTS 101
#define IDC_PRINTER_LIST 1136
#define IDC_MARGIN_TOP 310
#define IDC_MARGIN_LEFT 311
#define IDC_MARGIN_RIGHT 312
#define IDC_MARGIN_BOTTOM 313
#define IDC_HEADER 314
#define IDC_FOOTER 315
#define IDS_PRINTER_ON 238
#define IDS_MARGIN_TOO_LONG 317
// Long work in the status line: what is done, then the file's name and the per cent.
#define IDS_PROGRESS_LOAD 385
#define IDS_PROGRESS_SAVE 386
#endif
