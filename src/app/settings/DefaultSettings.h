// The program's complete default configuration, written by the installer,
// and the test whether the program has ever been set up for this user.
#pragma once

// Below ProgramRegistryKey(): the highlighters' colours ("Data"), the
// file-type table (through SetDefaultFileTypes, so the table in memory and
// the stored one agree) and the options dialog's values ("Setup"). Values
// not listed stay as they are.
void WriteDefaultSettings();

// True while the program's key has no "Version" value: every installation
// and every start of the editor writes one, while the per-document record
// ("Documents") may exist before anything was installed.
bool IsFirstRun();
