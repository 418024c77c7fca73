// NotesEdit: the record form's notes field. It holds at most its limit of characters, the
// same limit the log stores: typing beyond it does nothing, and a paste or drop that would go
// beyond it is refused with a message, so that no note is ever cut without a word.
#pragma once

#include <QPlainTextEdit>

class NotesEdit : public QPlainTextEdit {
public:
    NotesEdit(QWidget* parent, int limit);

    int Limit() const { return limit_; }
    // Shows a text, at most the limit of its characters.
    void SetText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // The length the text would have with the selection replaced by n characters.
    int LengthWith(int n) const;
    // Puts the text back as it was when anything else took it beyond the limit.
    void KeepWithinLimit();

    int limit_;
    QString accepted_;
};
