// Where the system's own character classes are not asked (every build but
// the Windows one with win/CharClassesWin.cpp), code page 1252 stands in.
#include "editor/CharClasses.h"

void SystemCharClasses(TCharClassTable& table) { Cp1252CharClasses(table); }
