#include "installer/engine/EngineStrings.h"

#include "installer/support/ResString.h"

namespace kw {

namespace {
const ResStringEntry kStrings[] = {
    {1, "The value entered is not valid."},
    {91, "There is not enough free space on the disk: the installation needs %lld KB; %lld KB are free."},
    {131, "The file %s is in use by another program."},
    {132, "Close the program that uses it and choose Retry."},
    {133, "Cancel replaces the file when Windows next starts."},
    {134, "Cancel leaves the file as it is."},
    {135, "Unable to copy the file %s"},
    {4, "%s is a shared file that other programs may still use.\nKeep it?"},
    {67, "&Remove"},
    {68, "&Keep"},
    {70, "Shared File"},
    {145, "The section [%s] still has entries.\nRemove it?"},
    {146, "Remove INI Section"},
    {147, "The group %s still holds items.\nRemove it?"},
    {148, "Remove Group"},
    {149, "The registry key %s has subkeys.\nRemove it with its subkeys?"},
    {150, "Remove Registry Key"},
    {151, "Uninstalling..."},
    {152, "Uninstall cancelled"},
    {153, "Uninstall finished"},
    {154, "Remove %s from this computer?"},
    {155, "Confirm Uninstall"},
    {156, "Directory created"},
    {157, "Directory removed"},
    {158, "File moved"},
    {159, "File deleted"},
    {160, "File created"},
    {161, "Directory created: %s"},
    {162, "Directory: %s"},
    {163, "Directory removed: %s"},
    {164, "File moved: %s"},
    {165, "From: %s\nTo: %s"},
    {166, "File deleted: %s"},
    {167, "File: %s"},
    {168, "File created: %s"},
    {169, "File extended: %s"},
    {170, "File: %s\nFormer length: %s"},
    {171, "Attributes changed: %s"},
    {172, "INI entry created: %s"},
    {173, "File: %s\nSection: %s\nEntry: %s\nIndex: %s"},
    {174, "INI entry deleted: %s"},
    {175, "INI entry changed: %s"},
    {176, "File: %s\nSection: %s\nEntry: %s\nIndex: %s\nValue: %s"},
    {177, "INI section created: %s"},
    {178, "INI section deleted: %s"},
    {179, "File: %s\nSection: %s"},
    {180, "Group: %s"},
    {182, "Group created: %s"},
    {183, "Group deleted: %s"},
    {184, "Item created: %s"},
    {185, "Group: %s\nItem: %s"},
    {186, "Item deleted: %s"},
    {187, "Group: %s\nItem: %s\nCommand: %s\nIcon: %s\nDirectory: %s"},
    {188, "Registry key created: %s"},
    {189, "Key: %s"},
    {191, "Registry key deleted: %s"},
    {193, "Registry value created: %s %s"},
    {194, "Key: %s\nValue: %s"},
    {195, "Registry value deleted: %s %s"},
    {196, "Registry value changed: %s %s"},
    {197, "Font installed: %s"},
    {198, "Data block %s"},
    {199, "Value: %s\nSize: %s"},
    // The install controller: status texts, the file gauge, the pause, the end of the
    // installation, the abort question and the disk prompt.
    {41, "Installer"},
    {43, "Please wait while %s is being installed..."},
    {44, "Please wait while %s updates the system files..."},
    {46, "Copying files"},
    {47, "From: %s"},
    {48, "To: %s"},
    {49, "Cancel stops the installation."},
    {57, "Please wait while %s prepares the installation..."},
    {58, "&Continue"},
    {59, "&Exit"},
    {60, "Setup"},
    {61, "Congratulations!\n%s has been installed successfully"},
    {62, "%s has been installed successfully\nbut we need to restart\nWindows for the changes to take effect"},
    {63, "&Restart"},
    {64, "&Stay here"},
    {65, "%s has been installed successfully\nbut we need to restart\nDOS for the changes to take effect"},
    {66, "Installation Completed"},
    {71, "Installation is incomplete\nAre you sure you want to abort the installation?"},
    {72, "Query Abort"},
    {74, "Please insert disk: %s"},
    {75, "Insert Disk"},
    {85, "Installation is being aborted"},
    {86, "Abort"},
    {140, "Install the files into"},
    {141, "&Elsewhere..."},
    {142, "The chosen files will be copied into a directory of your choice, and the installation then ends.\nGo on?"},
    {201, "Please wait while %s finishes the installation..."},
};
} // namespace

void RegisterEngineStrings()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterOwnStrings(kStrings, static_cast<int>(sizeof kStrings / sizeof kStrings[0]));
}

} // namespace kw
