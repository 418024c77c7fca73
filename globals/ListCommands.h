// The list-moving commands (Search menu, tool bar, keys) that the planner's and the log's
// windows both answer.
#pragma once

constexpr int CM_FIRST = 24354;
constexpr int CM_PREVIOUS = 24352;
constexpr int CM_NEXT = 24353;
constexpr int CM_LAST = 24355;
