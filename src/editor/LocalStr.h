// The texts every highlighter and exporter shares: attribute names (they are
// also registry subkeys), language names, open-dialog filters and the
// editor's own messages.
#pragma once

// Attribute names.
inline constexpr const char* SAttrASP = "Asp";
inline constexpr const char* SAttrAssembler = "Assembler";
inline constexpr const char* SAttrComment = "Comment";
inline constexpr const char* SAttrCondition = "Condition";
inline constexpr const char* SAttrDocumentation = "Documentation";
inline constexpr const char* SAttrEscapeAmpersand = "Escape ampersand";
inline constexpr const char* SAttrIdentifier = "Identifier";
inline constexpr const char* SAttrIllegalChar = "Illegal char";
inline constexpr const char* SAttrInvalidSymbol = "Invalid symbol";
inline constexpr const char* SAttrKey = "Key";
inline constexpr const char* SAttrMarker = "Marker";
inline constexpr const char* SAttrNull = "Null";
inline constexpr const char* SAttrNumber = "Number";
inline constexpr const char* SAttrOperator = "Operator";
inline constexpr const char* SAttrPragma = "Pragma";
inline constexpr const char* SAttrPreprocessor = "Preprocessor";
inline constexpr const char* SAttrRegister = "Register";
inline constexpr const char* SAttrReservedWord = "Reserved word";
inline constexpr const char* SAttrSection = "Section";
inline constexpr const char* SAttrSpace = "Space";
inline constexpr const char* SAttrString = "String";
inline constexpr const char* SAttrSymbol = "Symbol";
inline constexpr const char* SAttrText = "Text";
inline constexpr const char* SAttrUnknownWord = "Unknown word";
inline constexpr const char* SAttrValue = "Value";
inline constexpr const char* SAttrVariable = "Variable";

// Language names.
inline constexpr const char* SLangJScript = "Javascript";
inline constexpr const char* SLangFortran = "Fortran";
inline constexpr const char* SLangCPP = "C++";
inline constexpr const char* SLangJava = "Java";
inline constexpr const char* SLangPerl = "Perl";
inline constexpr const char* SLangBatch = "MS-DOS Batch Language";
inline constexpr const char* SLangDfm = "Delphi C++ Builder Form Definitions";
inline constexpr const char* SLangHTML = "HTML Document";
inline constexpr const char* SLangVBScript = "MS VBScript";
inline constexpr const char* SLangPascal = "ObjectPascal";
inline constexpr const char* SLangAsm = "x86 Assembly Language";
inline constexpr const char* SLangSQL = "SQL";
inline constexpr const char* SLangINI = "INI files";
inline constexpr const char* SLangVB = "Visual Basic";
inline constexpr const char* SLangADSP21xx = "ADSP21xx";
inline constexpr const char* SLangGeneralMulti = "General Multi-Highlighter";

// Exporter names.
inline constexpr const char* SExportHTML = "HTML";
inline constexpr const char* SExportRTF = "RTF";

// Editor messages.
inline constexpr const char* STopLineHint = "TopLine: %d";
inline constexpr const char* SShortcutExists = "Shortcut already exists";

// Open-dialog filters.
inline constexpr const char* SFilterJScript = "Javascript files (*.js)|*.js";
inline constexpr const char* SFilterFortran = "Fortran Files (*.for)|*.for";
inline constexpr const char* SFilterPascal =
    "Pascal files (*.pas,*.dpr,*.dpk,*.inc)|*.pas;*.dpr;*.dpk;*.inc";
inline constexpr const char* SFilterCPP = "C++ files (*.cpp,*.h,*.hpp)|*.cpp;*.h;*.hpp";
inline constexpr const char* SFilterJava = "Java files (*.java)|*.java";
inline constexpr const char* SFilterPerl = "Perl files (*.pl,*.pm,*.cgi)|*.pl;*.pm;*.cgi";
inline constexpr const char* SFilterHTML = "HTML Document (*.htm,*.html)|*.htm;*.html";
inline constexpr const char* SFilterVBScript = "VBScript files (*.vbs)|*.vbs";
inline constexpr const char* SFilterSQL = "SQL files (*.sql)|*.sql";
inline constexpr const char* SFilterRTF = "Rich Text Format (*.rtf)|*.rtf";
inline constexpr const char* SFilterBatch = "MS-DOS Batch Files (*.bat)|*.bat";
inline constexpr const char* SFilterDfm = "Delphi/C++ Builder Form Files (*.dfm)|*.dfm";
inline constexpr const char* SFilterAsm = "x86 Assembly Files (*.asm)|*.ASM";
inline constexpr const char* SFilterINI = "INI Files (*.ini)|*.ini";
inline constexpr const char* SFilterVB = "Visual Basic files (*.bas)|*.bas";
inline constexpr const char* SFilterADSP21xx = "DSP files (*.dsp,*.inc)|*.DSP;*.INC";
