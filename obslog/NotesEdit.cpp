#include "obslog/NotesEdit.h"

#include "framework/gui/MessageBox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QSignalBlocker>
#include <QTextCursor>

NotesEdit::NotesEdit(QWidget* parent, int limit) : QPlainTextEdit(parent), limit_(limit)
{
    connect(this, &QPlainTextEdit::textChanged, this, [this] { KeepWithinLimit(); });
}

void NotesEdit::SetText(const QString& text)
{
    accepted_ = text.left(limit_);
    setPlainText(accepted_);
}

int NotesEdit::LengthWith(int n) const
{
    const QTextCursor cursor = textCursor();
    return static_cast<int>(toPlainText().size()) - (cursor.selectionEnd() - cursor.selectionStart()) + n;
}

void NotesEdit::keyPressEvent(QKeyEvent* event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const QString text = event->text();
    const bool inserts = lineBreak || (!text.isEmpty() && text.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier));
    if (inserts && LengthWith(lineBreak ? 1 : static_cast<int>(text.size())) > limit_) {
        QApplication::beep();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void NotesEdit::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText()) {
        const int length = LengthWith(static_cast<int>(source->text().size()));
        if (length > limit_) {
            fw::MessageBox(this,
                           "The notes hold at most " + std::to_string(limit_) + " characters; with the text pasted they would have " +
                               std::to_string(length) + ". Nothing was pasted.",
                           "Notes", fw::MB_OK | fw::MB_ICONEXCLAMATION);
            return;
        }
    }
    QPlainTextEdit::insertFromMimeData(source);
}

void NotesEdit::KeepWithinLimit()
{
    const QString text = toPlainText();
    if (text.size() <= limit_) {
        accepted_ = text;
        return;
    }
    const QSignalBlocker block(this);
    setPlainText(accepted_);
    moveCursor(QTextCursor::End);
}
