// Saves a picture of a dialog for a person to look at, in $STELLUM_SNAPSHOT_DIR when that is
// set and nowhere otherwise.
#pragma once

#include <QDialog>
#include <QPixmap>
#include <QString>

#include <cstdlib>

inline void SaveSnapshot(QDialog& dialog, const char* name)
{
    const char* dir = std::getenv("STELLUM_SNAPSHOT_DIR");
    if (!dir || !*dir)
        return;
    dialog.show();
    dialog.adjustSize();
    dialog.grab().save(QString::fromLocal8Bit(dir) + "/" + name + ".png");
    dialog.hide();
}
