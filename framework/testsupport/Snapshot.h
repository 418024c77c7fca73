// Pictures of windows and drawings for a person to look at. They are saved only when
// $STELLUM_SNAPSHOT_DIR is set, never elsewhere, and no test depends on their being saved.
#pragma once

#include "framework/testsupport/TestSupport.h"

#include <QImage>
#include <QString>
#include <QWidget>

namespace testsupport {

// Saves an image as <name> (with its extension) in the snapshot directory.
inline void SaveSnapshot(const QImage& image, const std::string& name)
{
    const std::string path = SnapshotPath(name);
    if (!path.empty()) image.save(QString::fromStdString(path));
}

// Saves what the widget paints at its present size.
inline void SaveSnapshot(QWidget& widget, const std::string& name)
{
    if (!SnapshotPath(name).empty()) SaveSnapshot(widget.grab().toImage(), name);
}

// Shows a dialog at its natural size, saves what it paints and hides it again if it was hidden.
inline void SaveDialogSnapshot(QWidget& dialog, const std::string& name)
{
    if (SnapshotPath(name).empty()) return;
    const bool wasVisible = dialog.isVisible();
    dialog.show();
    dialog.adjustSize();
    SaveSnapshot(dialog, name);
    if (!wasVisible) dialog.hide();
}

} // namespace testsupport
