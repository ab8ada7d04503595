#pragma once
// A program the shell started for a document, kept to end it later (the help
// viewer).
#include <string>

#include "platform/owned_handle.h"

void closeProcessHandle(void* process);
using ProcessHandle = OwnedHandle<closeProcessHandle>;

// Opens the document with the program associated with its type, in `folder`,
// without waiting and without the shell's error boxes. Null when nothing was
// started: no such file, no program for the type, or the document went to a
// program that was running already.
ProcessHandle openDocument(const std::wstring& file, const std::wstring& folder);
bool processStillRunning(const ProcessHandle& process);
// Ends the process at once and waits until it has gone.
void terminateProcess(const ProcessHandle& process);
