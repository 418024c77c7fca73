// The planner's Export command: writes the observing list as paragraph text (each object's
// values for its own moment of the observing session), a tab-delimited table or a TheSky label
// file. The text pane is filled object by object and gives the lines.
#pragma once

#include "catalog/ObjectId.h"

#include <functional>
#include <string>

class NGC2000Indexes;
class QWidget;
class TextPane;

class ObservingListExport {
public:
    static constexpr int kMaxEntries = 13500;

    ObservingListExport(QWidget* parent, TextPane& pane, NGC2000Indexes& database);

    // The whole command: the options dialog, the file dialog and the file. True when a file
    // was written.
    bool CmExport();
    // Writes the observing list in a form (1 paragraph, 2 tab-delimited, 4 TheSky) to a path.
    // A file that cannot be written is reported and never left half-written under the path.
    bool Export(int form, const std::string& path);
    // The text of an export, without writing it.
    std::string Compose(int form);

    // Runs the clock update for a moved current time (the main window's command 6802).
    std::function<void()> updateClock;
    // Shows the database's current object again after the export.
    std::function<void(ObjectId)> showObject;
    // Seconds between the objects of a paragraph export.
    long timeStep = 0;

    // Session length in hours from start and end hours and minutes (across midnight when the
    // end is earlier than the start).
    static double SessionHours(int startHour, int startMinute, int endHour, int endMinute);

private:
    std::string Paragraphs(int count);
    std::string TabLines(int count);
    std::string TheSkyLines(int count);

    QWidget* parent_;
    TextPane& pane_;
    NGC2000Indexes& db_;
};
