#pragma once
// Where Kivo's files live: the program folder, the data folder (also the current
// directory), the redirect file, a folder given on the command line, and the
// checks of the drive the program runs from.
#include <string>

#include "platform/message_box.h"
#include "settings/general_settings.h"
#include "settings/ini_document.h"

struct ProgramFolders {
    std::wstring programPath;    // full path of the program file
    std::wstring programFolder;  // with a trailing "\"
    std::wstring dataFolder;     // with a trailing "\"; also the current directory
    std::wstring programRoot;    // "E:\": the first three characters of programPath, upper case
    wchar_t programDrive = 0;
    wchar_t windowsDrive = 0;
    wchar_t homeDrive = 0;
    unsigned driveType = 0;
    bool writeProtected = false;
    // The settings file exists but could not be read at start: writing the
    // defaults over it would lose it.
    bool settingsUnreadable = false;
    bool settingsReadOnly = false;  // nothing may be written
};

extern ProgramFolders programFolders;

constexpr const wchar_t* kRedirectFileName = L"KivoRedir.ini";
constexpr const wchar_t* kSettingsFileName = L"Kivo.ini";
constexpr const wchar_t* kFindMemoryFileName = L"FindLearned.txt";  // what Find learned

// Program path and folder of this process; the data folder is the current
// directory, or the program folder where that is too long to have been it.
void initProgramFolders(ProgramFolders& folders);

// Follows `DataPath` of the redirect file in the program folder, creating the
// folder when needed (and saying so). False when the program must end.
// The redirect file is loaded into `doc`.
bool applyRedirectFile(ProgramFolders& folders, IniDocument& doc, AskUser ask);

// Loads "Kivo.ini" of the data folder (the current directory) into `doc`. A
// missing file is created empty so that it can be written at exit; one that
// exists but cannot be read is marked unreadable and never replaced in this run.
void openSettingsFile(ProgramFolders& folders, IniDocument& doc);

// A folder, a category file (its folder is taken) or a folder to create on
// request. False when the user cancelled and the program must end.
bool applyFolderArgument(ProgramFolders& folders, const std::wstring& folderArgument, AskUser ask);

// What the drive of the program file tells.
struct DriveFacts {
    unsigned driveType = 0;
    bool writeProtected = false;
};
DriveFacts inspectDrive(const std::wstring& root);

// Publishes "Vdrive", decides the variable-drive mode (general.VarDrive, from
// group "main" of `settings` unless the program runs from the Windows or home
// drive; always on for removable and CD drives) and the read-only state, and
// asks before running from write-protected removable media. False when the
// program must end.
bool checkProgramDrive(ProgramFolders& folders, IniDocument& settings, GeneralSettings& general,
                       const DriveFacts& facts, AskUser ask);

// Nothing may be written when the settings file is missing, read-only or could
// not be read at start, or the drive is write-protected.
void refreshSettingsReadOnly(ProgramFolders& folders);

std::wstring withTrailingBackslash(std::wstring path);
