#include "questioning/QuestioningCommands.h"
#include "shell/Unit2.h"
#include "store/ApplicationTitle.h"
#include "ui/Artwork.h"
#include "ui/ChineseTranslations.h"
#include "ui/FontMapping.h"
#include "ui/QtPrompter.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QScreen>
#include <QTranslator>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The application's own title; not the display name, which Qt would append to every
    // window title.
    QApplication::setApplicationName(ApplicationTitle::withVersion());

    // Yes/No/OK/Cancel and the file dialogs in Chinese, as on the teacher's desktop.
    ChineseTranslations::install();
    FontMapping::install();
    QApplication::setWindowIcon(Artwork::windowIcon());

    QtPrompter prompter;
    TForm1 window(QCoreApplication::applicationDirPath(), prompter);
    prompter.setStartFolder(window.context().paths.dataFolder());
    prompter.setParent(&window);
    window.FormCreate();
    // After the first login: the comment settings dialog, then the comment pop-up, both hidden.
    window.questioning().createWindows();
    // Fill the screen even where no window manager maximises the window.
    if (const QScreen *screen = window.screen())
        window.setGeometry(screen->availableGeometry());
    window.showMaximized();
    return app.exec();
}
