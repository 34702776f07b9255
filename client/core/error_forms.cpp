#include "error_forms.h"

namespace veskor::client {

namespace {

const char* const kRunConfigurationLine = "RUN THE 'Keldrin Veskor Configuration' UTILITY";
const char* const kSetupLine = "TO SETUP THE CORRECT LOCATION FOR THE FOLDERS";

const char* const kReadAccessLine = "THE ADMINISTRATOR MUST GIVE USERS READ ACCESS TO THIS FILE";

std::string FolderMissingMessage(const char* what) {
    return JoinLines({std::string("CANNOT FIND THE <") + what + "> SHOWN ABOVE", kRunConfigurationLine, kSetupLine});
}

}  // namespace

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i) text += "\r\n";
        text += lines[i];
    }
    return text;
}

Error1Fill FillError1(const StartupState& state) {
    Error1Fill f;
    if (state.status == StartupFilesMissing) {
        f.handOver = true;
        return f;
    }
    // Texts the status does not set keep what the controls were created with.
    f.firstLabel = kApplicationFolderLabel;
    f.firstField = "Application Folder";
    f.secondLabel = kDataFolderLabel;
    f.secondField = "Application Data Folder";
    switch (state.status) {
    case IniMissing:
    case IniUnreadable:
        f.firstLabel = "Current Startup Folder";
        f.firstField = state.startupFolder;
        f.secondLabel = "Current Startup File";
        f.secondField = state.iniPath;
        f.secondRowVisible = true;
        if (state.status == IniUnreadable) {
            f.message = JoinLines({"CANNOT READ THE <CONFIGURATION INI FILE> SHOWN ABOVE", state.failureReason,
                                   kReadAccessLine});
            break;
        }
        f.message = JoinLines({"CANNOT FIND THE <CONFIGURATION INI FILE> SHOWN ABOVE",
                               "THE STARTUP FOLDER SHOULD BE IN THE SAME FOLDER AS VESKOR.EXE",
                               "OR RUN THE 'Keldrin Veskor Configuration' UTILITY", "TO CREATE THE VESKOR.INI FILE"});
        break;
    case ApplicationFolderMissing:
    case DataFolderMissing:
        f.firstField = state.applicationFolder;
        f.secondField = state.dataFolder;
        f.secondRowVisible = true;
        f.message = FolderMissingMessage(state.status == ApplicationFolderMissing ? "APPLICATION FOLDER"
                                                                                  : "APPLICATION DATA FOLDER");
        break;
    case SpoolFolderMissing:
        f.firstLabel = kDataFolderLabel;
        f.firstField = state.dataFolder;
        f.secondLabel = "Keldrin Veskor Application DATA SPOOL Folder";
        f.secondField = state.spoolFolder;
        f.secondRowVisible = true;
        f.message = FolderMissingMessage("APPLICATION DATA SPOOL FOLDER");
        break;
    case UpdateLocked:
        f.firstLabel = "Keldrin Veskor Application File Locked";
        f.firstField = state.lockPath;
        f.message = JoinLines(
            {"THE FILE ABOVE IS CURRENTLY LOCKED BY ANOTHER COMPUTER. ",
             std::string("THIS FILE IS LOCKED WHEN THE VESKOR UPDATE PROCESS WINDOW IS OPEN ON THE COMPUTER IT WAS "
                         "INSTALLED. ") +
                 "PLEASE CHECK THIS COMPUTER. IF AN UPDATE IS IN PROGRESS WAIT UNTIL IT HAS FINISHED OTHERWISE "
                 "CLOSE THE UPDATE PROCESS WINDOW"});
        break;
    case LockFileUnreadable:
        f.firstLabel = "Keldrin Veskor Application Lock File";
        f.firstField = state.lockPath;
        f.message = JoinLines({"CANNOT READ THE <UPDATE LOCK FILE> SHOWN ABOVE", state.failureReason, kReadAccessLine});
        break;
    default:
        break;
    }
    return f;
}

Error2Fill FillError2(const StartupState& state) {
    Error2Fill f;
    f.label = "Keldrin Veskor Current Folder";
    f.field = state.startupFolder;
    f.message = JoinLines({"CANNOT FIND THE VESKOR STARTUP FILES", "VESKOR.EXE AND/OR VESKOR1.EXE",
                           "IN THE FOLDER SHOWN ABOVE. CHECK THE SHORTCUT PROPORTIES AND MAKE SURE THAT ITS STARTING "
                           "FROM THE CORRECT FOLDER"});
    return f;
}

}  // namespace veskor::client
