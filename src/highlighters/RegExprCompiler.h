// RegExprCompiler: turns the text of a regular expression into TRegExpr's
// instruction program. Kept apart from the matcher so each stays small.
#pragma once

#include <string>

#include "highlighters/RegExpr.h"

// Compiles text into program. On failure returns false and sets error to the
// message TRegExpr reports; program is then unspecified.
bool CompileRegExpr(const std::string& text, bool cyrillicRanges, TRegExpr::TProgram& program,
                    std::string& error);
