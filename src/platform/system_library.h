#pragma once
// Functions of the system libraries that only some commands need, taken out of
// their library the first time they are asked for. Loaded at start, comdlg32
// brings the print spooler and through it the network security libraries, and
// oleaut32 is only wanted for a start through the desktop's shell: megabytes
// and milliseconds that a launcher showing its items never needs.

using SystemFunction = void (*)();

// The function, loaded from the system folder only (never from the program's
// folder or the current one, a data folder on a stick); null when the library
// or the function cannot be had.
SystemFunction systemLibraryFunction(const wchar_t* library, const char* name);

template <typename Function>
Function systemFunction(const wchar_t* library, const char* name) {
    // Through the generic function type, which stands for any other.
    return reinterpret_cast<Function>(systemLibraryFunction(library, name));
}
