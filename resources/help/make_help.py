#!/usr/bin/env python3
"""Writes the help topics as 7-bit RTF: one file per document in this folder
and a printable version (black on white) of the printed ones in print/.

The topics are kept here as short marked-up text so that both versions come
from one wording. Markup, one paragraph per line:
  "# text"        a heading
  "- text"        an indented paragraph
  "K keys | text" a key combination ("keys": names joined by " or ")
  "= text"        a centred paragraph
  anything else   a plain paragraph; an empty line is an empty paragraph
Inside a line: **bold**, //italic//, __underline__.
Run it after changing a topic and commit the files it writes.
"""
import os
import re

HERE = os.path.dirname(os.path.abspath(__file__))

# Topics whose printable version the help window prints.
PRINTED = ["features", "requirement", "license", "credits", "review", "keys", "installing",
           "uninstalling", "about", "calculator", "calcfunctions", "statistics", "rollup",
           "cmdline", "locale"]

TOPICS = {}

TOPICS["about"] = """
= **Tarnquill**
= Version %d.%d.%d, build %d
=
= A programmer's text editor for Windows.
=
Tarnquill edits any number of documents at once, each in a tab of its own, with syntax highlighting for many languages, a hex view of the same file, search and replace across all open documents, keyboard macros, text expansions, run and help commands for each file type, an expression calculator and an ASCII table.
Choose a title on the left to read about a part of the program. The help window stays on top of the other windows; press Esc to close it.
"""

TOPICS["review"] = """
# Review
This part of the help describes what Tarnquill is, what it needs to run, the terms under which it is provided and whom it thanks.
- **Features and History** lists what the program can do.
- **Requirement** says what your computer needs.
- **License** gives the terms of use.
- **Credits** thanks those who helped.
"""

TOPICS["features"] = """
# Features and History
Tarnquill is a text editor written for programmers. Its main features are:
- Any number of documents, each in a tab; Alt+1 to Alt+9 jump to the first nine tabs, F6 and Ctrl+F6 step through them.
- Syntax highlighting for Pascal, assembler, C and C++, Visual Basic, SQL, Delphi forms, HTML, INI files, Java, JavaScript, VBScript, MS-DOS batch files, Perl, Fortran and ADSP-21xx assembler, chosen by the file's extension or from the View menu.
- A hex view of every document (F2) and a switch between the ANSI and the DOS character set (F11).
- Find and replace, search in all open documents, and a search for bytes in the hex view.
- Bookmarks, column and line selection, block indent and unindent, and conversion to upper and lower case.
- Keyboard macros that are recorded, saved as files and played back.
- Roll-ups: small windows that keep a piece of text and insert it with a hot key.
- SmartCode text expansions, run commands and help commands for each file type.
- An expression calculator, an in-text calculator and statistics of selected numbers.
- An ASCII table that shows the 256 codes of any font.
- Export of highlighted text to HTML and RTF, and printing with headers and footers.
- Language files that show the program's texts in another language.
Tarnquill keeps its settings in the registry of the current user; they can be saved to and loaded from settings scripts.
"""

TOPICS["requirement"] = """
# Requirement
Tarnquill runs on 32-bit and 64-bit versions of Windows. It is one program file and needs no other library of its own; the rich-text control used by this help comes with Windows.
It needs only a little memory beyond the documents you open. Large files open quickly, since the text is read once and split into lines without being copied again.
"""

TOPICS["license"] = """
# License
Tarnquill is provided **as is**, without warranty of any kind, express or implied. You use it at your own risk.
"""

TOPICS["credits"] = """
# Credits
Many people helped to make Tarnquill: those who wrote its code, those who tested it and reported problems, those who translated its texts into other languages, and those who suggested features. Thank you all.
"""

TOPICS["installing"] = """
# Installing
Start the program with the parameter **/i**, or start it under the name **setup.exe**, to run the installer. The installer also runs by itself the first time the program starts for a user who has no settings yet.
The installer asks for the folder to install into, copies the program and the other files of its folder there, and can create shortcuts for the editor, the calculator and the ASCII table, associate file types with Tarnquill and choose a language file. Finally it offers to start the installed program.
If the program file has another name than Tarnquill.exe, the program renames itself and starts again under its proper name.
"""

TOPICS["uninstalling"] = """
# Uninstalling
Choose **Uninstall** in the program's menu, or start the program with the parameter **/u**. After you confirm, the uninstaller gives the file types back to the programs they belonged to before, removes the program's settings from the registry, deletes its data files and shortcuts, and finally deletes the program file itself.
"""

TOPICS["keys"] = """
# Key Combinations
These keys work in the editor and in the main window.
# Files and windows
K Ctrl+N | a new document
K Ctrl+O | open a file
K Ctrl+S | save the document
K Ctrl+F4 | close the document
K Alt+X | close the program
K F2 | switch between the text and the hex view
K F11 | switch between the ANSI and the DOS character set
K Shift+F6 | the first document
K Ctrl+F6 | the previous document
K F6 | the next document
K Alt+1 or Alt+2 or Alt+3 or Alt+4 or Alt+5 or Alt+6 or Alt+7 or Alt+8 or Alt+9 | the document in that tab
# Moving the caret
K Left or Right or Up or Down | one character or line
K Ctrl+Left or Ctrl+Right | one word
K Ctrl+Up or Ctrl+Down | scroll the text by one line
K Home or End | start or end of the line
K Ctrl+Home or Ctrl+End | start or end of the text
K PageUp or PageDown | one page
K Ctrl+PageUp or Ctrl+PageDown | top or bottom of the page
K Ctrl+Shift+B | the matching bracket
# Selecting
K Shift+Left or Shift+Right or Shift+Up or Shift+Down | extend the selection by a character or line
K Ctrl+Shift+Left or Ctrl+Shift+Right | extend the selection by a word
K Shift+Home or Shift+End | extend the selection to the start or end of the line
K Ctrl+Shift+Home or Ctrl+Shift+End | extend the selection to the start or end of the text
K Shift+PageUp or Shift+PageDown | extend the selection by a page
K Ctrl+Shift+PageUp or Ctrl+Shift+PageDown | extend the selection to the top or bottom of the page
K Ctrl+A | select all
K Ctrl+Shift+N | normal selection
K Ctrl+Shift+C | column selection (holding Alt while selecting with the mouse does the same)
K Ctrl+Shift+L | line selection
# Editing
K Insert | switch between insert and overwrite
K Delete | delete the character after the caret
K Backspace | delete the character before the caret
K Ctrl+Backspace | delete the word before the caret
K Ctrl+T | delete the word after the caret
K Ctrl+Y | delete the line
K Ctrl+Shift+Y | delete to the end of the line
K Enter or Ctrl+M | a line break
K Ctrl+L | insert a line
K Tab | a tab, or the indent of the selected block
K Ctrl+Shift+I | indent the selected block
K Ctrl+Shift+U | unindent the selected block
# Clipboard and undo
K Ctrl+C or Ctrl+Insert | copy
K Ctrl+X or Shift+Delete | cut
K Ctrl+V or Shift+Insert | paste
K Ctrl+Z or Alt+Backspace | undo
K Ctrl+Shift+Z or Shift+Alt+Backspace | redo
# Bookmarks
K Ctrl+Shift+0 or Ctrl+Shift+1 or Ctrl+Shift+2 or Ctrl+Shift+3 or Ctrl+Shift+4 or Ctrl+Shift+5 or Ctrl+Shift+6 or Ctrl+Shift+7 or Ctrl+Shift+8 or Ctrl+Shift+9 | set or clear that bookmark
K Ctrl+0 or Ctrl+1 or Ctrl+2 or Ctrl+3 or Ctrl+4 or Ctrl+5 or Ctrl+6 or Ctrl+7 or Ctrl+8 or Ctrl+9 | go to that bookmark
Typing //=// after an expression in the text calculates it in place (see In Text Calculator).
"""

TOPICS["automation"] = """
# Automatization work
Tarnquill can do repeated work for you:
- **Roll-ups** keep pieces of text in small windows and insert them with a hot key.
- **Macros** record what you type and play it back.
- **SmartCode** expands a key combination into a text of your own, chosen by the document's file type.
"""

TOPICS["rollup"] = """
# Roll-up Technology
A roll-up is a small window that stays on top of the other windows and holds a piece of text. Select text in a document and make it a roll-up: you choose a hot key for it, and the program refuses a key combination it already uses.
Pressing the hot key, or double-clicking the roll-up, inserts its text at the caret of the current document.
Roll-ups are kept when the program ends and come back, with their hot keys, the next time it starts. They are placed one under the other at the right edge of the main window.
"""

TOPICS["macros"] = """
# Macros
A keyboard macro records the keys you press and plays them back. Start the recording from the Macro menu, type, and stop it; the recording is saved as a macro file in the current folder.
The Macro menu lists the macro files of the current folder; choose one to play it into the current document.
"""

TOPICS["smartcode"] = """
# SmartCode
SmartCode inserts texts of your own with Alt+A to Alt+Z. Each file type of the options dialog has 26 texts, one for each letter, so the same key can insert a Pascal construct in a Pascal file and a C construct in a C file.
Each file type also has three run commands (F9, Alt+F9 and Shift+F9) and two help commands (Ctrl+F1 and Alt+F1). A run command starts a program with the document; a help command opens a help file at the word under the caret.
"""

TOPICS["math"] = """
# Mathematical routines
Tarnquill calculates in three ways:
- the **Calculator**, a small window of its own;
- the **In Text Calculator**, which works out an expression typed into the document;
- **Statistic Functions**, computed from the numbers in the selected text.
All three understand the same expressions and functions (see Calculator Functions).
"""

TOPICS["statistics"] = """
# Statistic Functions
Select text that holds numbers and choose the block statistics command. Tarnquill reads every number of the selection and opens a new document with the count, the sum, the sum of the squares, the maximum and the minimum, the mean, the standard deviation, the moments with skew and kurtosis, the norm, and the variances of the numbers.
"""

TOPICS["calculator"] = """
# Calculator
The calculator is a small window that stays on top. Type an expression and press Enter: the result replaces it, and the expression goes into the list of earlier ones.
While you type, the hint shows the value of the expression in decimal, hexadecimal, binary and Roman numerals.
Hexadecimal numbers are written with a leading **$** ($FF) or a trailing **h** (0FFh).
Start the program with the parameter **/c** to use the calculator alone.
"""

TOPICS["intextcalc"] = """
# In Text Calculator
Type an expression in a document, for example 2*(3+4), and then the **=** key: Tarnquill calculates the expression before the caret and writes the result after the equals sign.
"""

TOPICS["calcfunctions"] = """
# Calculator Functions
Expressions use + - * / and ^ (power), brackets, and these functions of one argument:
- ABS, ARCCOS, ARCSIN, ARCTAN, COS, EXP, FRAC, INT, LN, LOG, NOT, ROUND, SIGN, SIN, SQR, SQRT, TAN, TRUNC
- ArcCosh, ArcSinh, ArcTanh, CoTan, Cosh, Sinh, Tanh
- CycleToRad, DegToRad, GradToRad, RadToCycle, RadToDeg, RadToGrad
- LnXP1 (the logarithm of 1 + x), Log2
"""

TOPICS["cmdline"] = """
# Command String Parameters
Tarnquill understands these parameters:
K /c | the calculator alone
K /a | the ASCII table alone
K /i | install the program
K /u | uninstall the program
K /n | start a new copy of the program even when one is running
Any other text names a file to open. Without /n, a file given to a second copy of the program opens in the copy already running.
"""

TOPICS["locale"] = """
# Locale
The program's texts can be shown in another language with a language file (*.lng). Choose the file in the options dialog and check **Use Custom Language**; the program must be restarted to use it.
A language file is a text file with one line per text:
- Form.Component.Property=Text
- Form.caption=Text
Form is the name of a window, Component the name of one of its controls and Property the name of a text property. In the text, #13 starts a new line. Lines that do not start with a letter are comments.
To build your own language file, start from an existing one and translate the texts after the equals signs.
"""

TOPICS["settings"] = """
# Settings
The options dialog changes the program's settings at once; there is no OK button. Press F1 in the dialog to read this topic.
- **General Options** hold the editor's behaviour and the program's own settings.
- **Styles** set the colours and the font.
- **File Types** say what the program does with each kind of file.
- **Interface** chooses the bars and the language.
The settings can be saved to a settings script (*.tq) and loaded again, and the default settings can be restored.
"""

TOPICS["general"] = """
# General Options
Here you set how the editor behaves: auto indent, the tab width, the insert and overwrite caret, the gutter and its line numbers, whether the last session's documents open again, how many files the Reopen menu keeps, and whether documents are saved automatically at an interval.
"""

TOPICS["styles"] = """
# Styles
Choose a language and one of its token kinds, then its colours and its bold, italic and underline styles; the example shows the result. The font, its size and its character set apply to every editor. The colours of the gutter and of selected text are set on the same page.
"""

TOPICS["filetypes"] = """
# File Types
Each file type has a name, a description, its extensions and its highlighter, and carries its run commands, help commands and SmartCode texts. File types can also be associated with Tarnquill, so that the shell opens their files in it.
"""

TOPICS["interface"] = """
# Interface
Choose which bars and buttons the main window shows, and a language file for the program's texts.
"""

TOPICS["faq"] = """
# FAQ, Known bugs and problems
**A file opens in an older copy of the program.** A second start hands its file to the copy already running. Start with /n to open a new copy.
**Tabs in my file became spaces.** Tabs are replaced by blanks of the tab width when a file is read.
**The browser preview shows nothing.** The preview needs a browser engine installed on the system.
"""

TOPICS["needhelp"] = """
# Hey! I need your help!
Tarnquill gets better with every report of a problem and every translation of its texts. If you find a problem, note what you did, what you expected and what happened, together with any error message the program showed. The program's documentation says how to reach its developers.
"""

# Document ids the help window shows, in resource order.
DOCUMENTS = list(TOPICS)

COLOURS = r"{\colortbl;\red0\green0\blue128;\red128\green0\blue0;}"


def escape(text):
    out = []
    for ch in text:
        if ord(ch) > 126 or (ord(ch) < 32 and ch != "\t"):
            raise ValueError("not 7-bit text: %r" % ch)
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ch == "\t":
            out.append(r"\tab ")
        else:
            out.append(ch)
    return "".join(out)


def inline(text, printable):
    text = escape(text)
    text = re.sub(r"\*\*(.+?)\*\*", r"{\\b \1}", text)
    text = re.sub(r"//(.+?)//", r"{\\i \1}", text)
    text = re.sub(r"__(.+?)__", r"{\\ul \1}", text)
    return text


def rtf(source, printable):
    body = []
    for line in source.strip("\n").split("\n"):
        if line.startswith("# "):
            colour = "" if printable else r"\cf1"
            body.append(r"\pard\sb120\sa60\b\fs28%s %s\cf0\b0\fs20\par" % (colour, inline(line[2:], printable)))
        elif line.startswith("- "):
            body.append(r"\pard\li360\sa60 %s\par" % inline(line[2:], printable))
        elif line.startswith("K "):
            keys, text = line[2:].split(" | ", 1)
            names = " or ".join(r"{\b %s}" % escape(k) for k in keys.split(" or "))
            colour = "" if printable else r"\cf2"
            body.append(r"\pard\li1800\fi-1800%s %s\cf0  - %s\par" % (colour, names, inline(text, printable)))
        elif line.startswith("="):
            body.append(r"\pard\qc %s\par" % inline(line[1:].strip(), printable))
        elif line == "":
            body.append(r"\pard\par")
        else:
            body.append(r"\pard\sa60 %s\par" % inline(line, printable))
    head = r"{\rtf1\ansi\ansicpg1252\deff0{\fonttbl{\f0\fswiss Arial;}}"
    head += r"{\colortbl;\red0\green0\blue0;\red0\green0\blue0;}" if printable else COLOURS
    return head + "\n" + r"\f0\fs20" + "\n" + "\n".join(body) + "\n}\n"


def main():
    os.makedirs(os.path.join(HERE, "print"), exist_ok=True)
    for name, source in TOPICS.items():
        with open(os.path.join(HERE, name + ".rtf"), "w", newline="\r\n") as f:
            f.write(rtf(source, False))
        if name in PRINTED:
            with open(os.path.join(HERE, "print", name + ".rtf"), "w", newline="\r\n") as f:
                f.write(rtf(source, True))
    # The resource script that puts every document into the program. The
    # linker sorts resource names ignoring case, the loader's search compares
    # them in capitals: a name may differ from another at an underscore only
    # where the other has one too ("HELP_X" beside "HELPPRINT_X" is not found).
    with open(os.path.join(HERE, "help.rc"), "w", newline="\n") as f:
        f.write("// The help topics, one RCDATA resource per document; written by make_help.py.\n")
        for name in TOPICS:
            f.write('HELPTOPIC_%s RCDATA "%s.rtf"\n' % (name.upper(), name))
        for name in PRINTED:
            f.write('HELPPRINT_%s RCDATA "print/%s.rtf"\n' % (name.upper(), name))


if __name__ == "__main__":
    main()
