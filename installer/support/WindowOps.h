// Operations on any window of the installer: its text (formatted, read back, read as a
// number), complaints at a control, error boxes, placement and size, and commands.
#pragma once

#include <string>

class QPoint;
class QRect;
class QSize;
class QWidget;

namespace kw {

class HeapString;

// The text of a window or control (a label, button, edit field, combo box's current text).
std::string WindowText(QWidget* window);
void SetWindowText(QWidget* window, const std::string& text);

// printf-style, 512 characters.
void SetTextF(QWidget* window, const char* format, ...) __attribute__((format(printf, 2, 3)));
// The text (at most 255 characters). A blank text with a message: the message is said at the
// control and the answer is false.
bool GetText(QWidget* window, HeapString& text, const char* blankMessage = nullptr);
// The text as exactly one number and nothing after it.
bool GetInt(QWidget* window, int& value);
bool GetLong(QWidget* window, long& value);
bool GetUInt(QWidget* window, unsigned& value);
int ScanText(QWidget* window, const char* format, ...) __attribute__((format(scanf, 2, 3)));

// An error box for the control's dialog, then the focus to the control.
void ComplainAt(QWidget* control, const char* format, ...) __attribute__((format(printf, 2, 3)));
// An error box for the dialog, then the focus to its control id.
void ErrorAtItem(QWidget* dialog, int id, const char* format, ...) __attribute__((format(printf, 3, 4)));
// Caption "Error", the exclamation icon and one OK button, owned by the window.
void ErrorBox(QWidget* owner, const char* format, ...) __attribute__((format(printf, 2, 3)));
void OutOfMemory();

// Placement: centred over a window (else its parent, else the screen); its centre moved to a
// point and kept on the screen; a new size about the same centre (nothing for a zero or the
// same size); a point in thousandths of the client size as screen coordinates.
void Centre(QWidget* window, QWidget* over = nullptr);
void MoveTo(QWidget* window, int x, int y);
void ResizeCentred(QWidget* window, int width, int height);
QPoint PermilleToScreen(QWidget* window, int x, int y);
bool IsClass(QWidget* window, const char* name);
// A command to the window's own dialog procedure (false when the window has none); posted:
// delivered from the event loop.
bool SendCommand(QWidget* window, int id);
bool PostCommand(QWidget* window, int id);
// A control's notification to its dialog: the command of the control's id (the code is the
// notification the dialog's procedure receives as lparam).
bool NotifyParent(QWidget* control, int code);
bool PostNotifyParent(QWidget* control, int code);

// Geometry: the window's rectangle in its parent, outer and client sizes; a new client size
// with the position kept.
QRect RectInParent(QWidget* window);
int Width(QWidget* window);
int Height(QWidget* window);
int ClientWidth(QWidget* window);
int ClientHeight(QWidget* window);
void ResizeClient(QWidget* window, int width, int height);
void Minimise(QWidget* window);
void Maximise(QWidget* window);
// Raises the window to the top, or places it right below another.
void SetZOrder(QWidget* window, QWidget* after);
// A combo box's size with its list dropped; the window's size for any other window.
QSize ComboDropHeight(QWidget* window);
// Destroys the n windows that follow the control id in the dialog's order of controls.
void DestroyFollowing(QWidget* dialog, int id, int n);
// Nested update locking of one window at a time; locking another window while one is
// locked is a check failure (AWNDOBJ line 69).
void LockUpdate(QWidget* window, bool on);

// List boxes (QListWidget): an item scrolled into view, selected (keeping the top item when
// asked), repainted; a formatted string added to a combo box.
void ListScrollIntoView(QWidget* list, int index);
void ListSelect(QWidget* list, int index, bool keepTop);
void ListInvalidateItem(QWidget* list, int index);
int ComboAddF(QWidget* combo, const char* format, ...) __attribute__((format(printf, 2, 3)));

} // namespace kw
