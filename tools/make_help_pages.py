#!/usr/bin/env python3
"""Writes the editor's HTML help pages into help/: the contents page (10400), one page per dialog,
menu and command (named by help context), the page on using help, and the KESTREL language page
with one small forwarding page per keyword. The pages are checked in; run this after changing
the texts below:  python3 tools/make_help_pages.py"""
import html
import pathlib
import re

OUT = pathlib.Path(__file__).resolve().parent.parent / "help"
APP = "KESTREL Editor"

# The drop-down menus: (context, title, entries as command ids, one line on the menu).
MENUS = [
    (10601, "File Menu", [501, 502, 503, 504, 505, 507, 506, 509, 508, 510],
     "Creates, opens, saves and prints files, sets the editor's defaults and ends the editor."),
    (10602, "Edit Menu", [520, 521, 523, 522, 524, 528, 526, 527, 525],
     "Takes back and repeats changes, moves text through the clipboard, selects the whole text, goes "
     "from one end of a block to the other and switches the character set."),
    (10603, "Find Menu", [531, 532, 536, 533, 534],
     "Finds and replaces text and moves to a line by its number."),
    (10604, "Tools Menu", [541, 545, 546, 542, 543, 544],
     "Compiles the current script and starts the other KESTREL tools."),
    (10605, "Window Menu", [555, 556, 557, 551, 552, 553, 554, 558],
     "Shows or hides the action bar and arranges the document windows."),
    (10606, "Help Menu", [591, 592, 593, 594, 595],
     "Opens this help and the KESTREL language reference."),
]

RECENT = ("Recent Files", "",
          "The last four files you opened are listed at the end of the File menu, the most recent "
          "first. Choose one to open it again. A file that no longer exists is reported and stays "
          "in the list until another file takes its place.")

# Command id: (menu entry, shortcut, what it does).
COMMANDS = {
    501: ("New", "Ctrl+N", "Opens an empty document window named Untitled with a number. The file gets "
          "its name when you save it for the first time."),
    502: ("Open...", "Ctrl+O", "Shows the Open dialog. Choose one or more KESTREL sources (*.KSR), include "
          "files, map files or error files; each opens in a document window of its own. A file that is "
          "already open is brought to the front instead."),
    503: ("Close", "Ctrl+W", "Closes the active document window. Ctrl+F4 does the same. When its text has changed since the last "
          "save you are asked whether to save it first."),
    504: ("Save", "F2, Ctrl+S", "Writes the active document to its file. A document that has no name yet "
          "asks for one, as Save As does. The old file is only replaced when the new one has been "
          "written completely."),
    505: ("Save As...", "", "Saves the active document under a new name and keeps that name for the "
          "window from then on."),
    506: ("Print Setup...", "", "Chooses the printer, the paper and the orientation used by Print."),
    507: ("Print...", "Ctrl+P", "Prints the active document in the printer font, with the header and footer "
          "set in Preferences. The footer's &amp;p stands for the page number."),
    508: ("Exit", "Alt+X", "Ends the editor. Every changed document asks whether to save it first; "
          "choosing Cancel keeps the editor running."),
    509: ("Preferences...", "", "Opens the Preferences dialog, where you set the editor's defaults. "
          "See <a href=\"10405.html\">Preferences dialog</a>."),
    510: RECENT, 511: RECENT, 512: RECENT, 513: RECENT,
    520: ("Undo", "Ctrl+Z", "Takes back the last change. Repeat it to take back earlier ones. Alt+Backspace "
          "does the same."),
    521: ("Redo", "Ctrl+Y", "Makes again the change that Undo took back. Ctrl+Backspace does the same."),
    522: ("Cut", "Ctrl+X", "Moves the highlighted text to the clipboard. Shift+Delete does the same."),
    523: ("Copy", "Ctrl+C", "Copies the highlighted text to the clipboard. Ctrl+Insert does the same."),
    524: ("Paste", "Ctrl+V", "Inserts the clipboard's text at the caret, replacing any highlighted text. "
          "Shift+Insert does the same."),
    528: ("Select All", "Ctrl+A", "Highlights the whole text, with the caret at its end. The next key "
          "you type, Delete or Cut then replaces or removes all of it."),
    526: ("Match Block", "Ctrl+]", "Moves the caret between the two ends of a block: from proc to its "
          "endproc, func to endfunc, while to wend, and from if to its else, else to its endif and endif "
          "back to its if; nested blocks are counted, and strings and comments are passed over. A block "
          "word counts where it begins its line; an if whose then is followed by a statement on the same "
          "line opens no block. On a bracket ( ) or [ ] it moves to the matching one on the same line. "
          "While the caret stands on a block word or a bracket, its partner is shown with a box when it "
          "is on the screen. Without a partner the editor beeps and the caret stays."),
    527: ("Select to Match", "Shift+Ctrl+]", "Selects from the block word or bracket at the caret to its "
          "partner, both included, as Match Block finds it; typing or Delete then replaces or removes "
          "the whole block."),
    525: ("OEMKeys", "", "Switches between the Windows (ANSI) and the DOS (OEM) character set for typed "
          "characters, for scripts that are written with DOS tools. A check mark shows that OEM is on."),
    531: ("Find...", "Ctrl+F", "Opens the Find dialog to search the active document. See "
          "<a href=\"10401.html\">Find dialog</a>."),
    532: ("Repeat Last Find", "F3, Ctrl+L", "Searches again for the text of the last Find, from the "
          "caret on, with the same options and in the direction set in the Find dialog."),
    536: ("Find Previous", "Shift+F3", "Repeats the last Find in the other direction than the one set "
          "in the Find dialog. Shift+Ctrl+L does the same."),
    533: ("Replace...", "Ctrl+R", "Opens the Replace dialog to replace one or all occurrences of a text. "
          "See <a href=\"10402.html\">Replace dialog</a>."),
    534: ("Line Number...", "Ctrl+G", "Asks for a line number and moves the caret to the start of that line. "
          "See <a href=\"10403.html\">Goto Line dialog</a>."),
    541: ("Compile...", "", "Saves the active document and starts the KESTREL compiler on it with the "
          "compiler options. The compiler's messages go to the error file beside the source; when the "
          "compiler ends the editor reads it, tints the lines with faults and says in the status line "
          "how many there are. Next Error (F4) goes to each."),
    545: ("Next Error", "F4", "Goes to the next fault of the last compile: opens its file when it is not "
          "open (an include file, for instance), puts the caret at the start of its line and shows the "
          "compiler's message in the status line until the next key. After the last fault the status "
          "line says so and the caret stays. The lines with faults are tinted until you edit them or "
          "compile again. Before any compile, the error file beside the active document is read."),
    546: ("Previous Error", "Shift+F4", "Goes to the fault before the one shown last, as Next Error does."),
    542: ("Compiler Options...", "", "Sets the options and the include path the compiler is started with. "
          "See <a href=\"10404.html\">Compiler Options dialog</a>."),
    543: ("Dialog Editor...", "", "Starts the KESTREL Dialog Editor, which designs the dialogs that scripts show."),
    544: ("User Window Editor...", "", "Starts the KESTREL User Window Editor, which designs the windows "
          "that scripts open."),
    551: ("Tile Horizontal", "", "Arranges the open document windows one above the other, without overlap."),
    552: ("Tile Vertical", "", "Arranges the open document windows side by side, without overlap."),
    553: ("Cascade", "", "Arranges the open document windows overlapping, each title bar visible."),
    554: ("Arrange Icons", "", "Lines up the icons of minimised document windows along the bottom of the "
          "editor's window."),
    555: ("Action Bar", "", "Shows or hides the action bar, the row of buttons under the menu that start "
          "the most used commands."),
    556: ("Large Action Bar", "", "Switches the action bar between small and large buttons."),
    557: ("ToolTips", "", "Shows the name of an action-bar button when the mouse rests on it."),
    558: ("Window list", "", "The end of the Window menu lists every open document window; the active one "
          "has a check mark. Choose one to bring it to the front."),
    591: ("Contents", "", "Opens the contents of this help. See <a href=\"10400.html\">Contents</a>."),
    592: ("How to Use Help", "", "Explains how to move around in help. See "
          "<a href=\"helponhelp.html\">How to use help</a>."),
    593: ("Script Reference", "", "Opens the KESTREL language reference. See "
          "<a href=\"kestrel.html\">KESTREL language</a>."),
    594: ("Search for Script Topic...", "", "Opens the index of the KESTREL language reference, where every "
          "keyword leads to its entry. Pressing F1 with the caret on a keyword in a document goes "
          "straight to that keyword."),
    595: ("About KESTREL Editor...", "", "Shows the editor's version and copyright."),
}

# Dialog context: (title, text, script help or not).
DIALOGS = {
    10401: ("Find dialog",
            "<p>Type the text to search for in <b>Find What</b>. <b>Match Case</b> finds only text in the "
            "same capitals and small letters; <b>Whole Word</b> skips matches inside longer words. "
            "<b>Find Next</b> highlights the next occurrence after the caret; the dialog stays open "
            "until you close it, so you can go on searching. <b>Up</b> and <b>Down</b> set the "
            "direction; with <b>Wrap Around</b> a search that reaches the end of the text goes on "
            "from its start (going up: from the end), and the status line says so. Both settings "
            "are kept for the next start. F3 or Ctrl+L repeats the search later, Shift+F3 repeats it "
            "the other way.</p>"),
    10402: ("Replace dialog",
            "<p>Type the text to search for in <b>Find What</b> and its replacement in <b>Replace "
            "With</b>. <b>Find Next</b> highlights the next occurrence, <b>Replace</b> replaces the "
            "highlighted one and finds the next, in the direction that <b>Up</b> and <b>Down</b> set "
            "and round the text's end with <b>Wrap Around</b>, as in the Find dialog. <b>Replace "
            "All</b> replaces every occurrence from the caret to the end of the document. Undo takes "
            "a Replace All back in one step.</p>"),
    10403: ("Goto Line dialog",
            "<p>Type a line number between 1 and the number of lines of the document and choose "
            "<b>OK</b>. The caret moves to the start of that line and the window scrolls to show it. "
            "The status line shows the caret's line and column at all times.</p>"),
    10404: ("Compiler Options dialog",
            "<p>These settings belong to the KESTREL compiler and are kept in the editor's settings "
            "file for the next start.</p><dl>"
            "<dt>Options</dt><dd>The switches passed to the compiler, as you would type them on its "
            "command line, for example <code>/map</code> to write a map file.</dd>"
            "<dt>Include path</dt><dd>The folders searched for files named by "
            "<a href=\"kestrel.html#include\">include</a>, separated by semicolons.</dd></dl>"),
    10405: ("Preferences dialog",
            "<p>The editor's defaults. <b>OK</b> applies them at once, to every open document "
            "window as well, and keeps them for the next start; <b>Cancel</b> changes nothing, also "
            "not a font chosen meanwhile.</p><dl>"
            "<dt>Startup</dt><dd><b>New file at startup</b> opens an empty document when the editor "
            "starts without a file. <b>Show Action Bar</b>, <b>Large Action Bar</b> and <b>ToolTips</b> "
            "do what the matching entries of the <a href=\"10605.html\">Window menu</a> do.</dd>"
            "<dt>Options</dt><dd><b>Insert Mode</b>: typing starts in insert mode (INS in the status line) "
            "rather than overwrite mode (OVR); the Insert key switches between them while you work. "
            "<b>Large cursor</b>: a wide caret, from the next time a window gets the focus. "
            "<b>Auto Indent</b>: Enter starts the new line with the indentation of the line above. "
            "<b>Colour KESTREL syntax</b>: scripts (*.KSR and *.INC files) show keywords, strings, "
            "comments and numbers each in a colour of its own, derived from the window colours of "
            "your desktop scheme; other files and untitled documents stay in one colour, and under a "
            "high-contrast scheme everything does. Clearing the box shows every document in one "
            "colour at once (key SyntaxColours of QV5.INI). Printing is always black on white.</dd>"
            "<dt>Spacing</dt><dd><b>Tab size</b>: the distance between tab stops, 1 to 80 columns (an "
            "empty field or 0 gives 8, more than 80 gives 80). <b>Convert tabs to spaces</b>: tabs are "
            "written as spaces when a file is saved.</dd>"
            "<dt>Right Mouse Button</dt><dd>What a click with the right button does: <b>Nothing</b>, "
            "<b>Topic Search</b> (help on the word clicked), <b>Goto Line</b> or <b>Next Window</b>.</dd>"
            "<dt>Screen Font</dt><dd>Chooses the fixed-pitch font and its size (7 to 34 points) of the "
            "document windows. The printer font is chosen in Print Setup.</dd>"
            "<dt>Safety</dt><dd><b>Keep recovery copies</b>: while a document has unsaved changes, "
            "the editor keeps a copy of its text in the folder QV5RECOV beside the settings file "
            "QV5.INI, written when you have stopped typing for two seconds and at most every ten "
            "seconds. Saving the document, closing it unchanged or answering No when asked to save "
            "removes its copy. When the editor starts after a crash or a power cut and copies are left, "
            "one dialog lists them with their name, time and size: <b>Recover</b> opens the selected "
            "ones as modified documents under their own names, so Save writes each where it belongs; "
            "<b>Discard</b> deletes the selected copies; <b>Later</b> keeps them all for the next start. "
            "A damaged or cut copy is named and skipped. "
            "<b>Ask when files change on disk</b>: when you return to a document whose file another "
            "program has changed, the editor asks once whether to reload it. Yes replaces the text "
            "(Undo brings your version back); No keeps your version, and the next Save overwrites the "
            "file. A file deleted by another program is reported, and its document stays open as a "
            "modified document. Both are on unless you switch them off here (keys RecoveryCopies and "
            "CheckDiskChanges of QV5.INI).</dd></dl>"),
}

# Keyword: (form, what it does). The names and their order come from the editor's keyword table.
ENTRIES = {
    "include": ("include \"file\"", "Reads another source file at this point, usually an include file "
     "(*.INC) with shared constants and procedures. The compiler looks in the source's folder, then in "
     "the include path of the compiler options."),
    "const": ("const NAME = value", "Names a fixed number or string. Constants are written in capitals by "
     "custom."),
    "var": ("var name", "Declares a variable. Names ending in $ hold strings, all others numbers. A "
     "variable declared outside a procedure is seen by every procedure."),
    "proc": ("proc Name(parameters)", "Starts a procedure, which ends with endproc. The procedure Main "
     "runs when the script starts."),
    "endproc": ("endproc", "Ends the procedure started by proc."),
    "func": ("func Name(parameters)", "Starts a function, a procedure that answers a value with return; it "
     "ends with endfunc."),
    "endfunc": ("endfunc", "Ends the function started by func."),
    "return": ("return [value]", "Leaves the procedure or function; a function answers the value."),
    "call": ("call Name(arguments)", "Runs a procedure. A function is used in an expression instead."),
    "if": ("if condition then", "Runs the lines up to else or endif when the condition holds."),
    "then": ("then", "Ends the condition of if."),
    "else": ("else", "Starts the lines that run when the condition of if does not hold."),
    "endif": ("endif", "Ends an if."),
    "while": ("while condition", "Repeats the lines up to wend as long as the condition holds."),
    "wend": ("wend", "Ends a while loop."),
    "print": ("print expression", "Writes a line to the script's current window."),
    "input": ("input \"prompt\", variable", "Shows the prompt and reads a line typed by the user into the "
     "variable."),
    "wait": ("wait milliseconds", "Pauses the script."),
    "window": ("window Open(number, title, width, height) | window Close(number)", "Opens and closes the "
     "script's text windows; print writes to the one opened last."),
}

TABLE = OUT.parent / "doc" / "kestrel_keywords.def"


def keywords():
    """(keyword, form, text) in the table's order; every keyword needs its entry here."""
    names = re.findall(r"^KESTREL_KEYWORD\((\w+),", TABLE.read_text(), re.MULTILINE)
    if sorted(names) != sorted(ENTRIES):
        raise SystemExit("help entries and %s differ: %s" % (TABLE, sorted(set(names) ^ set(ENTRIES))))
    return [(k,) + ENTRIES[k] for k in names]


STYLE = """body { font-family: sans-serif; margin: 1em 2em; max-width: 46em; color: #000; background: #fff; }
h1 { font-size: 1.4em; border-bottom: 1px solid #888; padding-bottom: 0.2em; }
h2 { font-size: 1.1em; margin-top: 1.4em; }
nav { font-size: 0.9em; margin-bottom: 1em; }
code, kbd, pre { font-family: monospace; }
pre { background: #f2f2f2; padding: 0.5em; }
dt { font-weight: bold; margin-top: 0.5em; }
table { border-collapse: collapse; }
td, th { border: 1px solid #bbb; padding: 0.2em 0.6em; text-align: left; vertical-align: top; }
"""


def page(title, body, up=None):
    links = ['<a href="10400.html">Contents</a>']
    if up:
        links.append('<a href="%s">%s</a>' % up)
    return ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
            "<title>%s - %s Help</title>\n<link rel=\"stylesheet\" href=\"style.css\">\n</head>\n<body>\n"
            "<nav>%s</nav>\n<h1>%s</h1>\n%s\n</body>\n</html>\n"
            % (html.escape(title), APP, " | ".join(links), html.escape(title), body))


def menu_of(command):
    for context, title, entries, _ in MENUS:
        if command in entries or (command in (511, 512, 513) and 510 in entries):
            return context, title
    raise KeyError(command)


def entry_label(command):
    name, shortcut, _ = COMMANDS[command]
    return name + (" (%s)" % shortcut if shortcut else "")


def write(name, text):
    (OUT / name).write_text(text, encoding="utf-8", newline="\n")


def contents():
    menus = "".join('<li><a href="%d.html">%s</a>: %s</li>\n' % (c, t, d) for c, t, _, d in MENUS)
    dialogs = "".join('<li><a href="%d.html">%s</a></li>\n' % (c, t) for c, (t, _) in sorted(DIALOGS.items()))
    body = ("<p>The %s edits the source files of the KESTREL script language (*.KSR), their include "
            "files (*.INC) and the compiler's map and error files, and starts the compiler and the other "
            "KESTREL tools on them.</p>\n"
            "<h2>Its windows</h2>\n<ul>\n"
            "<li>The <b>main window</b> holds the menu, the <b>action bar</b> with buttons for the most used "
            "commands, and the <b>status line</b> along the bottom: it describes the highlighted menu entry, "
            "and otherwise shows the caret's line and column and the Caps Lock, Num Lock and INS/OVR "
            "indicators.</li>\n"
            "<li>Each open file has a <b>document window</b> inside the main window. They can be tiled, "
            "cascaded or minimised from the <a href=\"10605.html\">Window menu</a>. While no file is open the "
            "menu bar holds only the File and Help menus.</li>\n</ul>\n"
            "<h2>Menus</h2>\n<ul>\n%s</ul>\n"
            "<h2>Dialogs</h2>\n<ul>\n%s</ul>\n"
            "<h2>More</h2>\n<ul>\n"
            "<li><a href=\"kestrel.html\">The KESTREL language</a></li>\n"
            "<li><a href=\"helponhelp.html\">How to use help</a></li>\n"
            "<li><a href=\"10600.html\">The window menus</a> (system menu)</li>\n</ul>\n"
            "<p>Press F1 in a dialog for help on that dialog, or on a highlighted menu entry for help on "
            "that command.</p>" % (APP, menus, dialogs))
    write("10400.html", page("Contents", body))


def menus():
    for context, title, entries, line in MENUS:
        rows = "".join('<tr><td><a href="%d.html">%s</a></td><td>%s</td></tr>\n'
                       % (10000 + c, html.escape(COMMANDS[c][0]), COMMANDS[c][1] or "")
                       for c in entries)
        body = "<p>%s</p>\n<table>\n<tr><th>Entry</th><th>Shortcut</th></tr>\n%s</table>" % (line, rows)
        write("%d.html" % context, page(title, body))
    body = ("<p>The main window and every document window have a system menu, opened with the icon at "
            "the left of the title bar or with Alt+Space (Alt+Hyphen for a document window). Its entries "
            "<b>Restore</b>, <b>Move</b>, <b>Size</b>, <b>Minimize</b>, <b>Maximize</b> and <b>Close</b> act "
            "on that window; <b>Next</b> (Ctrl+F6) goes to the next document window. Closing the main window "
            "ends the editor as <a href=\"10508.html\">Exit</a> does.</p>")
    write("10600.html", page("System Menu", body))


def commands():
    for command, (name, shortcut, text) in COMMANDS.items():
        up_context, up_title = menu_of(command)
        key = "<p>Shortcut: <kbd>%s</kbd></p>\n" % shortcut if shortcut else ""
        title = name.rstrip(".")
        write("%d.html" % (10000 + command),
              page("%s: %s" % (up_title.replace(" Menu", ""), title), key + "<p>%s</p>" % text,
                   ("%d.html" % up_context, up_title)))


def dialogs():
    for context, (title, text) in DIALOGS.items():
        up = ("kestrel.html", "KESTREL language") if context == 10404 else None
        write("%d.html" % context, page(title, text + "\n<p>F1 in the dialog opens this page.</p>", up))


def help_on_help():
    body = ("<p>Help opens in your web browser. Every page has a link back to the "
            "<a href=\"10400.html\">Contents</a> at its top; use the browser's Back button to return to the "
            "page you came from.</p>\n<h2>Getting help where you are</h2>\n<ul>\n"
            "<li>In a dialog, press <kbd>F1</kbd> for the page on that dialog.</li>\n"
            "<li>In a menu, highlight an entry and press <kbd>F1</kbd> for the page on that command. The "
            "status line describes each entry as you move through the menu.</li>\n"
            "<li>In a document, press <kbd>F1</kbd> with the caret on a KESTREL keyword for its entry in the "
            "language reference.</li>\n</ul>\n<h2>From the Help menu</h2>\n<ul>\n"
            "<li><b>Contents</b> opens the contents of the editor's help.</li>\n"
            "<li><b>Script Reference</b> opens the <a href=\"kestrel.html\">KESTREL language</a> page.</li>\n"
            "<li><b>Search for Script Topic</b> opens the language page's index of keywords.</li>\n</ul>")
    write("helponhelp.html", page("How to use help", body))


def language():
    KEYWORDS = keywords()
    index = " ".join('<a href="#%s"><code>%s</code></a>' % (k, k) for k, _, _ in KEYWORDS)
    entries = "".join('<h2 id="%s"><code>%s</code></h2>\n<p><code>%s</code></p>\n<p>%s</p>\n'
                      % (k, k, html.escape(form), html.escape(text)) for k, form, text in KEYWORDS)
    example = ("proc Main()\n\tvar count\n\tcount = 3\n\twhile count &gt; 0\n\t\tprint Str$(count)\n"
               "\t\tcount = count - 1\n\twend\nendproc")
    body = ("<p>KESTREL is the script language of the %s. A script is a text file (*.KSR) of "
            "declarations and procedures; the compiler turns it into a program that the KESTREL runtime "
            "runs. Keywords are not case sensitive, a semicolon starts a comment that runs to the end of "
            "the line, and each statement stands on a line of its own.</p>\n"
            "<pre>%s</pre>\n<p>Compiler settings: <a href=\"10404.html\">Compiler Options dialog</a>.</p>\n"
            "<h2 id=\"index\">Keywords</h2>\n<p>%s</p>\n%s" % (APP, example, index, entries))
    write("kestrel.html", page("The KESTREL language", body))
    forward = ("<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
               "<meta http-equiv=\"refresh\" content=\"0; url=kestrel.html#%s\">\n"
               "<title>%s - %s Help</title>\n</head>\n<body>\n"
               "<p><a href=\"kestrel.html#%s\">%s</a></p>\n</body>\n</html>\n")
    for k, _, _ in KEYWORDS + [("index", "", "")]:
        title = "Keywords" if k == "index" else k
        write("kestrel-%s.html" % k, forward % (k, title, APP, k, title))


def main():
    OUT.mkdir(exist_ok=True)
    write("style.css", STYLE)
    contents()
    menus()
    commands()
    dialogs()
    help_on_help()
    language()


if __name__ == "__main__":
    main()
