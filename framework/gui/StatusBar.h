// The status bar: a message area on the left (the text the program sets, and hints) and text
// gadgets on the right, each known by its id and at least as wide as its width in characters.
#pragma once

#include <map>
#include <string>

#include <QStatusBar>

class QLabel;

namespace fw {

class StatusBar : public QStatusBar {
public:
    explicit StatusBar(QWidget* parent = nullptr);

    // The message area's text.
    void SetText(const std::string& text);
    std::string GetText() const;

    // Adds a sunken text gadget at the right end, at least widthChars characters wide.
    void AddTextGadget(int id, int widthChars);
    bool HasGadget(int id) const { return gadgets_.count(id) != 0; }
    void SetGadgetText(int id, const std::string& text);
    std::string GadgetText(int id) const;
    // Gadget ids from left to right.
    std::vector<int> GadgetIds() const;

private:
    QLabel* message_;
    std::map<int, QLabel*> gadgets_;
    std::vector<int> order_;
};

} // namespace fw
