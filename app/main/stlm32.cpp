// stlm32: the Stellum planner.
#include "app/TStellumApp.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication qt(argc, argv);
    QApplication::setApplicationName("Stellum");
    // The program's own path first, so that its directory is the program directory whatever
    // the working directory is; then the arguments as given.
    std::vector<std::string> args{QApplication::applicationFilePath().toStdString()};
    for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    return StellumMain(std::move(args));
}
