// The Edit menu's commands that windows below the application shell answer.
#pragma once

constexpr int CM_EDITDELETE = 24325;
