#include "settings/data_folder.h"

#include "platform/drives.h"
#include "platform/environment.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/text_case.h"
#include "settings/language.h"

ProgramFolders programFolders;

namespace {

wchar_t upperDriveLetter(const std::wstring& path) {
    return path.empty() ? L'\0' : toUpperCase(path.substr(0, 1))[0];
}

wchar_t driveOfVariable(const wchar_t* name) {
    std::wstring value;
    return readEnvironmentVariable(name, value) ? upperDriveLetter(value) : L'\0';
}

bool enterDataFolder(ProgramFolders& folders, const std::wstring& folder) {
    if (!setCurrentDirectory(folder)) return false;
    folders.dataFolder = withTrailingBackslash(folder);
    return true;
}

bool hasKvlExtension(const std::wstring& path) {
    size_t dot = path.rfind(L'.');
    size_t slash = path.find_last_of(L"\\/");
    if (dot == std::wstring::npos || (slash != std::wstring::npos && dot < slash)) return false;
    return sameTextIgnoringCase(path.substr(dot + 1), L"kvl");
}

}  // namespace

std::wstring withTrailingBackslash(std::wstring path) {
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

void initProgramFolders(ProgramFolders& folders) {
    folders.programPath = programFilePath();
    size_t cut = folders.programPath.find_last_of(L'\\');
    folders.programFolder = cut == std::wstring::npos ? std::wstring() : folders.programPath.substr(0, cut + 1);
    folders.dataFolder = currentDirectory();
    // A program folder longer than a current directory may be cannot be the
    // folder a program starts in: started there (a double click does so), the
    // program lands in the Windows folder instead, where no one keeps a data
    // folder. It is the folder the program was meant to start in.
    if (folders.programFolder.size() + 1 >= kPlainPathLimit && isWindowsFolder(folders.dataFolder) &&
        setCurrentDirectory(folders.programFolder))
        folders.dataFolder = folders.programFolder;
}

bool applyRedirectFile(ProgramFolders& folders, IniDocument& doc, AskUser ask) {
    doc.path = folders.programFolder + kRedirectFileName;
    if (!load(doc)) return true;
    std::wstring dataPath = readString(doc, L"DataPath", L"");
    if (dataPath.empty()) return true;

    setCurrentDirectory(folders.programFolder);
    const std::wstring folder = withTrailingBackslash(fullPathName(expandEnvironment(withTrailingBackslash(dataPath))));
    if (enterDataFolder(folders, folder)) return true;

    // Before the language file is read: the built-in texts.
    if (createFolderPath(folder) && enterDataFolder(folders, folder)) {
        ask({builtInText(83) + L"\r\n" + folder, kRedirectFileName, MessageIcon::Information});
        return true;
    }
    ask({builtInText(84) + L"\r\n" + folder, kRedirectFileName, MessageIcon::Warning});
    return false;
}

void openSettingsFile(ProgramFolders& folders, IniDocument& doc) {
    doc.path = fullPathName(kSettingsFileName);
    folders.settingsUnreadable = false;
    if (load(doc)) return;
    if (fileAttributes(doc.path) != kNoFileAttributes)
        folders.settingsUnreadable = true;
    else
        replaceFileContent(doc.path, "");
}

bool applyFolderArgument(ProgramFolders& folders, const std::wstring& folderArgument, AskUser ask) {
    if (folderArgument.empty()) return true;
    std::wstring path = fullPathName(expandEnvironment(folderArgument, UnknownVariables::Drop));
    if (folderExists(path)) {
        path = withTrailingBackslash(path);
    } else if (hasKvlExtension(path)) {
        path = path.substr(0, path.find_last_of(L"\\/") + 1);
    } else {
        MessageAnswer answer = ask({builtInText(82) + L"\r\n" + path, builtInText(87),
                                    MessageIcon::None, MessageButtons::YesNoCancel});
        if (answer == MessageAnswer::Cancel) return false;
        if (answer == MessageAnswer::Yes) {
            path = withTrailingBackslash(path);
            createFolderPath(path);
        }
    }
    if (folderExists(path)) enterDataFolder(folders, withTrailingBackslash(path));
    return true;
}

DriveFacts inspectDrive(const std::wstring& root) {
    return DriveFacts{driveType(root), volumeIsReadOnly(root)};
}

bool checkProgramDrive(ProgramFolders& folders, IniDocument& settings, GeneralSettings& general,
                       const DriveFacts& facts, AskUser ask) {
    folders.programRoot = toUpperCase(folders.programPath.substr(0, 3));
    setEnvironmentVariable(L"Vdrive", folders.programRoot.substr(0, 2));
    folders.programDrive = upperDriveLetter(folders.programRoot);
    folders.windowsDrive = driveOfVariable(L"windir");
    folders.homeDrive = driveOfVariable(L"HOMEDRIVE");

    general.VarDrive = 0;
    if (folders.programDrive != folders.windowsDrive && folders.programDrive != folders.homeDrive) {
        selectGroup(settings, L"main");
        general.VarDrive = readInt(settings, L"VarDrive", 0);
    }
    folders.driveType = facts.driveType;
    if (facts.driveType == kDriveRemovable || facts.driveType == kDriveCdrom) general.VarDrive = 1;
    folders.writeProtected = facts.writeProtected;

    if (folders.writeProtected && folders.driveType == kDriveRemovable) {
        MessageAnswer answer = ask({languageText(85) + L"\r" + languageText(86), languageText(88),
                                    MessageIcon::Warning, MessageButtons::YesNo, 2});
        if (answer != MessageAnswer::Yes) return false;
    }
    refreshSettingsReadOnly(folders);
    return true;
}

void refreshSettingsReadOnly(ProgramFolders& folders) {
    const uint32_t attributes = fileAttributes(folders.dataFolder + kSettingsFileName);
    folders.settingsReadOnly = attributes == kNoFileAttributes || (attributes & kFileAttributeReadOnly) != 0 ||
                               folders.writeProtected || folders.settingsUnreadable;
}
