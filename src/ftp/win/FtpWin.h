// The FTP components' Win32 half: wsock32 behind the socket interface (one
// hidden utility window per socket), and the system's comparison, type names,
// file attributes and folders for the portable routines.
#pragma once

#include "ftp/SocketApi.h"

// Installs both; called once at program start (and by the Win32 tests).
void InstallWinFtp();
std::unique_ptr<TSocketApi> MakeWinSocketApi(TSocketSink& sink);
