// A dialog the install script describes: a title (or none), a size in 1/200 of the parent's
// width and 1/100 of its height, centred on a point in thousandths of the parent's client
// area, a help context and up to 30 items, each made as the control 100 + its index:
//   0 text, 1 picture, 2 edit field, 3 drop-down list ("\r\n"-separated choices),
//   4 help button, 5 button ending the dialog with its value, 6 text file editor.
// A button with an even value first collects the edit texts, list selections and writable
// file editors into the description (the files saved).
#pragma once

#include "installer/support/BitmapRef.h"
#include "installer/support/DialogBox.h"

#include <string>
#include <vector>

namespace kw {

struct UserDialogItemSpec {
    enum Kind { kText = 0, kPicture = 1, kEdit = 2, kList = 3, kHelp = 4, kButton = 5, kFileEdit = 6 };
    int kind = kText;
    int x = 0, y = 0, width = 40, height = 12; // dialog units inside the dialog
    std::string text;  // the text, caption, edit contents or choices
    int value = 0;     // a button's result
    int index = 0;     // a list's selection
    BitmapRef picture; // a picture's file, below the installer's directory
    std::string file;  // a file editor's Windows path
    bool readOnly = false;
};

struct UserDialogSpec {
    enum { kMaxItems = 30 };
    std::string title; // empty: a window without a title
    int centreX = 500, centreY = 500; // thousandths of the parent's client area
    int width = 100, height = 50;     // 1/200 of the parent's width, 1/100 of its height
    int helpContext = 0;
    std::vector<UserDialogItemSpec> items;
};

// Loads a text file into a multi-line edit control and saves it back.
class FileEditControl {
public:
    enum { kMaxBytes = 32000 };
    static bool Load(QWidget* edit, const char* path);
    static bool Save(QWidget* edit, const char* path);
};

class UserDialogBox : public Dialog {
public:
    UserDialogBox(UserDialogSpec& spec, QWidget* parent) : spec_(spec), parent_(parent) {}
    ~UserDialogBox() override { DestroyWindow(); }
    std::string TemplateName() const { return spec_.title.empty() ? "DLGUSRDLGNOTITLE" : "DLGUSRDLG"; }
    int Run();            // the pressed button's value, -1 when the dialog cannot be made
    bool CreateModeless(); // shown at once
    intptr_t DialogProc(unsigned message, uintptr_t wparam, intptr_t lparam) override;

private:
    void MakeControls();
    void Collect();
    UserDialogSpec& spec_;
    QWidget* parent_;
};

} // namespace kw
