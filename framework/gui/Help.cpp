#include "framework/gui/Help.h"

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
HelpResponder& Responder()
{
    static HelpResponder responder;
    return responder;
}
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
    if (Responder()) {
        Responder()(context);
        return true;
    }
    QFileInfo info(QString::fromStdString(File()));
    if (File().empty() || !info.exists()) return false;
    // The help is an ordinary document here; the context number becomes its fragment.
    QUrl url = QUrl::fromLocalFile(info.absoluteFilePath());
    url.setFragment(QString("context-%1").arg(context));
    return QDesktopServices::openUrl(url);
}

HelpResponder SetHelpResponder(HelpResponder responder)
{
    return std::exchange(Responder(), std::move(responder));
}

RecordedHelp::RecordedHelp()
{
    previous_ = SetHelpResponder([this](int context) { contexts_.push_back(context); });
}

RecordedHelp::~RecordedHelp()
{
    SetHelpResponder(std::move(previous_));
}

}  // namespace fw
