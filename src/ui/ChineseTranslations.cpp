#include "ChineseTranslations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace ChineseTranslations {

void install()
{
    const QString translations = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    for (const char *catalogue : {"qt_zh_CN", "qtbase_zh_CN"}) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        if (translator->load(QLatin1String(catalogue), translations))
            QCoreApplication::installTranslator(translator);
        else
            delete translator;
    }
}

} // namespace ChineseTranslations
