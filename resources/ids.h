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

/* Strings: the status line */
#define IDS_NUM 260
#define IDS_CAPS 261
#define IDS_INS 262
#define IDS_OVR 263
#define IDS_POSITION_FORMAT 264

/* Strings: messages */
#define IDS_CANNOT_OPEN 300
#define IDS_CANNOT_WRITE 301
#define IDS_OUT_OF_MEMORY 303
#define IDS_LOW_MEMORY_UNDO 315

/* Commands */
#define IDM_SAVE 504
#define IDM_EXIT 508
/* Ids of the MDI client's window-list entries, from here up */
#define IDM_FIRST_CHILD 558

/* Menus and accelerators, by name */
#define IDR_MAIN_MENU "MainMenu"
#define IDR_ACCELERATORS "Accelerators"

#endif
