#include "framework/gui/Help.h"

#include "framework/stream/StateReset.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

#include <utility>

namespace fw {

namespace {
std::string& File()
{
    static std::string file;
    return file;
}

const StateReset resetHelpFile{[] { File().clear(); }};
} // namespace

void SetHelpFile(const std::string& path)
{
    File() = path;
}

const std::string& HelpFile()
{
    return File();
}

bool ShowHelp(int context)
{
    if (auto& answer = HelpSeam::Current()) return answer(context);
    QFileInfo info(QString::fromStdString(File()));
    if (File().empty() || !info.exists()) return false;
    // The help is an ordinary document here; the context number becomes its fragment.
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setFragment(QString("context-%1").arg(context));
    return QDesktopServices::openUrl(url);
}

RecordedHelp::RecordedHelp()
    : responder_([this](int context) {
          contexts_.push_back(context);
          return true;
      })
{
}

}  // namespace fw
