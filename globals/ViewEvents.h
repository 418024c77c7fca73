// The planner's view notifications and the events that vnAppEvent carries as its argument.
#pragma once

// The application's notification to the views of a document; its argument is an AppEvent.
constexpr int vnAppEvent = 6900;
// The observing log stored a record its form has to show again (argument 1).
constexpr int vnLogRecordChanged = 779;

enum AppEvent : int {
    aeNowChanged = 6900,            // the current date and time changed
    aeRefreshPanes = 6901,          // refresh every pane
    aeNewNight = 6902,              // a new observing night or site; daily values recomputed
    aeLogClosing = 6904,            // the observing log is about to close
    aeTransferToLog = 6905,         // transfer the planner's current object to the log
    aePositionFilterChanged = 6906, // the position filter changed
};
